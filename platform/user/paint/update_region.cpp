#include "platform/user/paint/update_region.h"

#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"

#include <win/paint.h>

#include <algorithm>

namespace talix::user {
namespace {

void AddPainter(const Window& window, PainterList* wake) {
  if (!wake || !window.queue) return;
  if (std::find(wake->begin(), wake->end(), window.queue) == wake->end())
    wake->push_back(window.queue);
}

// The client area's visible part in client coordinates.
gdi::Region32 VisibleClient(const Window& window) {
  gdi::Region32 visible = VisibleRegionLocked(window, StyleClipLocked(window, false));
  RECT client = ClientRectInTopLocked(window);
  visible.Translate(-client.left, -client.top);
  return visible;
}

void Invalidate(Window& window, PaintState& state, const gdi::Region32& clientPart,
                bool frameHit, UINT flags, PainterList* wake) {
  if (!IsShownLocked(window) || window.destroying) return;
  gdi::Region32 added = clientPart;
  added.Intersect(VisibleClient(window));
  if (!added.Empty()) {
    state.update.Union(added);
    if (flags & RDW_ERASE) state.erase = true;
  }
  if ((flags & RDW_FRAME) && frameHit && HasFrame(window)) state.frame = true;
  if (NeedsPaintLocked(window, state)) AddPainter(window, wake);
}

void Validate(PaintState& state, const gdi::Region32& clientPart, UINT flags) {
  state.update.Subtract(clientPart);
  if (flags & RDW_NOFRAME) state.frame = false;
  if ((flags & RDW_NOERASE) || state.update.Empty()) {
    state.erase = false;
    state.appErase = false;
  }
}

}  // namespace

bool TakesChildren(const Window& window, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return !(window.style & WS_CLIPCHILDREN);
}

bool HasFrame(const Window& window) {
  return window.client.left > 0 || window.client.top > 0 ||
         window.client.right < RectWidth(window.rect) ||
         window.client.bottom < RectHeight(window.rect);
}

void RedrawLocked(Window& window, const gdi::Region32* area, UINT flags, PainterList* wake) {
  RECT whole{0, 0, RectWidth(window.rect), RectHeight(window.rect)};
  gdi::Region32 target = area ? *area : gdi::Region32((flags & RDW_FRAME) ? whole : window.client);
  target.Intersect(whole);
  gdi::Region32 inClient = target;
  inClient.Intersect(window.client);
  gdi::Region32 outside = target;
  outside.Subtract(inClient);
  gdi::Region32 clientPart = inClient;
  clientPart.Translate(-window.client.left, -window.client.top);

  PaintState& state = PaintStateLocked(window);
  if (flags & RDW_INVALIDATE) Invalidate(window, state, clientPart, !outside.Empty(), flags, wake);
  if (flags & RDW_VALIDATE) Validate(state, clientPart, flags);
  if (flags & RDW_NOINTERNALPAINT) state.internal = false;
  if ((flags & RDW_INTERNALPAINT) && IsShownLocked(window)) {
    state.internal = true;
    AddPainter(window, wake);
  }
  if (!TakesChildren(window, flags)) return;
  UINT childFlags = (flags & ~(RDW_INTERNALPAINT | RDW_NOINTERNALPAINT)) |
                    ((flags & RDW_INVALIDATE) ? RDW_FRAME : 0);
  for (Window* child : window.children) {
    if (!(child->style & WS_VISIBLE) && (flags & RDW_INVALIDATE)) continue;
    gdi::Region32 childArea = inClient;
    // The update region is never mirrored; a right-to-left window's children sit
    // mirrored in it.
    LONG childLeft = (window.exStyle & WS_EX_LAYOUTRTL)
                         ? RectWidth(window.client) - child->rect.right
                         : child->rect.left;
    childArea.Translate(-(window.client.left + childLeft), -(window.client.top + child->rect.top));
    childArea.Intersect(RECT{0, 0, RectWidth(child->rect), RectHeight(child->rect)});
    if (!childArea.Empty()) RedrawLocked(*child, &childArea, childFlags, wake);
  }
}

void WakePainters(const PainterList& wake) {
  for (const auto& queue : wake) queue->Signal(QS_PAINT);
}

gdi::Region32 ClientToWindowArea(const Window& window, gdi::Region32 client) {
  if (window.exStyle & WS_EX_LAYOUTRTL) client.MirrorX(RectWidth(window.client));
  client.Translate(window.client.left, window.client.top);
  return client;
}

gdi::Region32 UpdateToApiClient(const Window& window, gdi::Region32 update) {
  if (window.exStyle & WS_EX_LAYOUTRTL) update.MirrorX(RectWidth(window.client));
  return update;
}

}  // namespace talix::user
