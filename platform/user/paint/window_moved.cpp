// What SetWindowPos changes for painting and the screen.
//
// A top-level window keeps its surface's pixels when it moves (the screen just shows it
// elsewhere); a child's pixels live in its top-level window's surface, so a child that
// moves or changes its place in the z-order is painted again whole, and its parent again
// where the child was. Showing a window invalidates all of it; hiding a child invalidates
// its parent where it was. A size change invalidates the frame and the newly exposed
// client area, or the whole window when the class has CS_HREDRAW / CS_VREDRAW for the
// dimension that changed (or the frame changed). SWP_NOREDRAW invalidates nothing.
#include "platform/user/compose/screen_damage.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_hooks.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/update_region.h"
#include "platform/user/paint/window_surface.h"

#include <win/paint.h>

namespace talix::user {
namespace {

constexpr UINT kEverything = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;

struct Change {
  bool moved, sized, restacked, frameChanged, wasShown, shown;
};

bool IsTopLevel(const Window& window) { return window.parent && !window.parent->parent; }

// The parent again where the child was, in the parent's window coordinates.
void ExposeParent(Window& child, const RECT& oldRect, PainterList* wake) {
  Window& parent = *child.parent;
  gdi::Region32 area(Shifted(oldRect, parent.client.left, parent.client.top));
  RedrawLocked(parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN, wake);
}

// The size change of a window that stays shown.
void Resized(Window& window, const RECT& oldClient, const Change& change, PainterList* wake) {
  UINT classStyle = window.cls ? window.cls->style : 0;
  bool wider = RectWidth(window.client) != RectWidth(oldClient);
  bool taller = RectHeight(window.client) != RectHeight(oldClient);
  if (change.frameChanged || ((classStyle & CS_HREDRAW) && wider) ||
      ((classStyle & CS_VREDRAW) && taller)) {
    RedrawLocked(window, nullptr, kEverything, wake);
    return;
  }
  gdi::Region32 exposed(window.client);
  exposed.Subtract(gdi::Region32(Shifted(RECT{0, 0, RectWidth(oldClient), RectHeight(oldClient)},
                                         window.client.left, window.client.top)));
  RedrawLocked(window, &exposed, RDW_INVALIDATE | RDW_ERASE, wake);
  gdi::Region32 frame(RECT{0, 0, RectWidth(window.rect), RectHeight(window.rect)});
  frame.Subtract(gdi::Region32(window.client));
  if (!frame.Empty())
    RedrawLocked(window, &frame, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN, wake);
}

void Repaint(Window& window, const RECT& oldRect, const RECT& oldClient, const Change& change,
             PainterList* wake) {
  bool top = IsTopLevel(window);
  bool leftItsPlace = !change.shown || change.moved || change.sized || change.restacked;
  if (!top && change.wasShown && leftItsPlace)
    ExposeParent(window, oldRect, wake);
  if (!change.shown) return;
  if (!change.wasShown || (!top && (change.moved || change.restacked)))
    RedrawLocked(window, nullptr, kEverything, wake);
  else if (change.sized || change.frameChanged)
    Resized(window, oldClient, change, wake);
}

}  // namespace

void OnWindowPosChanged(HWND hwnd, const RECT& oldRect, const RECT& oldClient, UINT flags) {
  PainterList wake;
  gdi::Region32 screen;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window || !window->parent) return;
    PaintState& state = PaintStateLocked(*window);
    Change change{};
    change.moved = window->rect.left != oldRect.left || window->rect.top != oldRect.top;
    change.sized = RectWidth(window->rect) != RectWidth(oldRect) ||
                   RectHeight(window->rect) != RectHeight(oldRect) ||
                   RectWidth(window->client) != RectWidth(oldClient) ||
                   RectHeight(window->client) != RectHeight(oldClient);
    change.restacked = !(flags & SWP_NOZORDER);
    change.frameChanged = (flags & SWP_FRAMECHANGED) != 0;
    change.wasShown = state.shown;
    change.shown = (window->style & WS_VISIBLE) != 0;
    state.shown = change.shown;
    if (IsTopLevel(*window)) {
      if (change.sized) SurfaceOfLocked(*window);
      bool anything = change.moved || change.sized || change.restacked || change.frameChanged ||
                      change.wasShown != change.shown;
      if (change.wasShown && anything) screen.Union(gdi::Region32(oldRect));
      if (change.shown && anything) screen.Union(gdi::Region32(window->rect));
    }
    if (!(flags & SWP_NOREDRAW)) Repaint(*window, oldRect, oldClient, change, &wake);
  }
  DamageScreenRegion(screen);
  WakePainters(wake);
}

}  // namespace talix::user
