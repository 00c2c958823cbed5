// RedrawWindow and the invalidate / validate / query functions built on it.
//
// Rectangles and regions are client coordinates of the window (mirrored for
// WS_EX_LAYOUTRTL windows). A null window stands for the desktop: with RDW_ALLCHILDREN
// (InvalidateRect and ValidateRect ask for it) every top-level window is affected.
#include "platform/gdi/region_object.h"
#include "platform/user/compose/screen_damage.h"
#include "platform/user/paint/paint_cycle.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/update_region.h"

#include <talix/host_screen.h>
#include <win/paint.h>

#include <optional>

using namespace talix;
using namespace talix::user;

namespace {

// The caller's rectangle or region; null for neither (a bad region handle counts as none).
std::optional<gdi::Region32> CallerArea(const RECT* rect, HRGN region) {
  if (region) {
    if (gdi::RegionObject* object = gdi::PeekRegion(region)) return gdi::Region32(&object->region);
  }
  if (rect) return gdi::Region32(*rect);
  return std::nullopt;
}

void RedrawDesktopLocked(const std::optional<gdi::Region32>& area, UINT flags, PainterList* wake) {
  const host::ScreenParams& screen = host::GetScreenParams();
  gdi::Region32 onScreen = area ? *area : gdi::Region32(RECT{0, 0, screen.width, screen.height});
  if (flags & RDW_INVALIDATE) DamageScreenRegion(onScreen);
  if (!(flags & RDW_ALLCHILDREN)) return;
  for (Window* top : DesktopLocked().children) {
    gdi::Region32 part = onScreen;
    part.Translate(-top->rect.left, -top->rect.top);
    RedrawLocked(*top, &part, flags | RDW_FRAME, wake);
  }
}

// The work of RedrawWindow before any immediate painting; false for a bad window.
bool Redraw(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  std::optional<gdi::Region32> area = CallerArea(rect, region);
  PainterList wake;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (!hwnd || hwnd == DesktopLocked().hwnd) {
      RedrawDesktopLocked(area, flags, &wake);
    } else {
      Window* window = WindowOrErrorLocked(hwnd);
      if (!window) return false;
      if (area) {
        gdi::Region32 inWindow = ClientToWindowArea(*window, *area);
        RedrawLocked(*window, &inWindow, flags, &wake);
      } else {
        RedrawLocked(*window, nullptr, flags, &wake);
      }
    }
  }
  WakePainters(wake);
  return true;
}

HWND TopOrSelf(HWND hwnd) { return hwnd ? hwnd : GetDesktopWindow(); }

// The update region in API client coordinates; false for a bad window.
bool UpdateRegionOf(HWND hwnd, gdi::Region32* out) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return false;
  PaintState* state = FindPaintStateLocked(*window);
  *out = state && IsShownLocked(*window) ? UpdateToApiClient(*window, state->update)
                                         : gdi::Region32();
  return true;
}

}  // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN updateRegion, UINT flags) {
  if (!Redraw(hwnd, update, updateRegion, flags)) return FALSE;
  if (flags & RDW_UPDATENOW)
    PaintNow(TopOrSelf(hwnd), flags);
  else if (flags & RDW_ERASENOW)
    EraseNow(TopOrSelf(hwnd), flags);
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  UINT all = hwnd ? 0 : RDW_ALLCHILDREN;
  return Redraw(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0) | all) ? TRUE : FALSE;
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
  UINT all = hwnd ? 0 : RDW_ALLCHILDREN;
  return Redraw(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0) | all) ? TRUE
                                                                                        : FALSE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  return Redraw(hwnd, rect, nullptr, RDW_VALIDATE | (hwnd ? 0 : RDW_ALLCHILDREN)) ? TRUE : FALSE;
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
  return Redraw(hwnd, nullptr, region, RDW_VALIDATE | (hwnd ? 0 : RDW_ALLCHILDREN)) ? TRUE : FALSE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  gdi::Region32 update;
  if (!UpdateRegionOf(hwnd, &update)) return FALSE;
  if (erase && !update.Empty()) EraseNow(hwnd, RDW_NOCHILDREN);
  if (rect) *rect = update.Box();
  return update.Empty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
  gdi::Region32 update;
  if (!UpdateRegionOf(hwnd, &update)) return ERROR;
  gdi::RegionObject* object = gdi::PeekRegion(region);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return ERROR;
  }
  if (!gdi::CopyRegion(&object->region, *update.get())) return ERROR;
  if (erase && !update.Empty()) EraseNow(hwnd, RDW_NOCHILDREN);
  return update.Type();
}
