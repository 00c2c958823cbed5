// SetWindowRgn, GetWindowRgn and GetWindowRgnBox.
//
// The region is kept as the caller gave it, in window coordinates: relative to the
// window's top-left corner, or to its top-right corner (x running leftwards) when the
// window has a right-to-left layout. GetWindowRgn and GetWindowRgnBox hand it back
// unchanged; WindowRegionLocked turns it into the on-screen shape. A window whose layout
// changes later reads the same region in its new layout's terms. Once set, it
// belongs to the window: it is deleted when replaced and when the window is destroyed.
// Painting, composition and hit-testing read Window::windowRegion under UserLock, so
// the region is swapped and deleted under that lock.
#include "platform/gdi/region_object.h"
#include "platform/user/compose/screen_damage.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/update_region.h"

#include <win/paint.h>

using namespace talix;
using namespace talix::user;

namespace {

// The part of the screen a top-level window covers or covered.
RECT ScreenRectOfTop(const Window& window) {
  return window.parent && !window.parent->parent && (window.style & WS_VISIBLE) ? window.rect
                                                                                 : RECT{};
}

}  // namespace

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
  if (region && !gdi::PeekRegion(region)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  RECT changed{};
  PainterList wake;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowOrErrorLocked(hwnd);
    if (!window) return 0;
    if (window == &DesktopLocked()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
    HRGN old = window->windowRegion;
    window->windowRegion = region;
    if (old && old != region) DeleteObject(old);
    changed = ScreenRectOfTop(*window);
    if (redraw && IsShownLocked(*window)) {
      if (window->parent && window->parent->parent) {  // a child: its parent shows through
        gdi::Region32 area(window->rect);
        area.Translate(window->parent->client.left, window->parent->client.top);
        RedrawLocked(*window->parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN, &wake);
      }
      RedrawLocked(*window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN,
                   &wake);
    }
  }
  DamageScreen(changed);
  WakePainters(wake);
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
  gdi::RegionObject* out = gdi::PeekRegion(region);
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window || !out) return ERROR;
  gdi::RegionObject* shape = window->windowRegion ? gdi::PeekRegion(window->windowRegion) : nullptr;
  if (!shape || !gdi::CopyRegion(&out->region, shape->region)) return ERROR;
  return gdi::RegionType(out->region);
}

int GetWindowRgnBox(HWND hwnd, LPRECT rect) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window || !rect) return ERROR;
  gdi::RegionObject* shape = window->windowRegion ? gdi::PeekRegion(window->windowRegion) : nullptr;
  if (!shape) return ERROR;
  gdi::Region32 copy(&shape->region);
  *rect = copy.Box();
  return copy.Type();
}
