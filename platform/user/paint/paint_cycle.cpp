// BeginPaint, EndPaint, UpdateWindow and the immediate painting of RedrawWindow.
//
// BeginPaint: WM_NCPAINT when the frame is due; then the update region is taken (the
// window is validated), a DC clipped to it is made, and WM_ERASEBKGND is sent with that
// DC when erasing is due. fErase tells the caller the background is still to be erased:
// erasing was due and WM_ERASEBKGND returned 0.
#include "platform/user/paint/paint_cycle.h"

#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/update_region.h"
#include "platform/user/paint/window_dc.h"

#include <win/paint.h>

#include <cstring>

namespace talix::user {
namespace {

struct Taken {
  HDC hdc = nullptr;
  gdi::Region32 update;  // client coordinates
  bool erase = false;
  bool appErase = false;
};

// Takes the update region and makes a DC clipped to it; validates the window.
Taken TakeUpdate(HWND hwnd, bool takeRegion) {
  Taken taken;
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window) return taken;
  PaintState& state = PaintStateLocked(*window);
  taken.update = state.update;
  taken.erase = state.erase;
  taken.appErase = state.appErase;
  state.erase = false;
  state.appErase = false;
  if (takeRegion) {
    state.update = gdi::Region32();
    state.internal = false;
  }
  WindowDcRequest request;
  request.clip = StyleClipLocked(*window, false);
  request.intersect = taken.update;
  taken.hdc = MakeWindowDcLocked(*window, request);
  return taken;
}

void ReleaseWindowDc(HDC hdc) {
  if (hdc && ForgetWindowDc(hdc)) DeleteDC(hdc);
}

void RecordEraseResult(HWND hwnd, bool erased) {
  std::lock_guard<std::mutex> lock(UserLock());
  if (Window* window = WindowLocked(hwnd)) PaintStateLocked(*window).appErase = !erased;
}

// Whether `test` holds for the window, and its children the flags take in.
std::vector<HWND> ChildrenTaken(HWND hwnd, UINT flags, bool* due,
                                bool (*test)(Window&, PaintState&)) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window) return {};
  *due = test(*window, PaintStateLocked(*window));
  return TakesChildren(*window, flags) ? ChildHandlesLocked(*window) : std::vector<HWND>();
}

}  // namespace

void PaintFrameIfDue(HWND hwnd) {
  bool due = false;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return;
    PaintState& state = PaintStateLocked(*window);
    due = state.frame && HasFrame(*window) && IsShownLocked(*window);
    state.frame = false;
  }
  if (due) SendMessageW(hwnd, WM_NCPAINT, 1, 0);
}

void PaintNow(HWND hwnd, UINT flags) {
  bool due = false;
  std::vector<HWND> children = ChildrenTaken(hwnd, flags, &due, [](Window& w, PaintState& s) {
    return NeedsPaintLocked(w, s);
  });
  if (due) SendMessageW(hwnd, WM_PAINT, 0, 0);
  for (HWND child : children) PaintNow(child, flags);
}

void EraseNow(HWND hwnd, UINT flags) {
  bool due = false;
  std::vector<HWND> children = ChildrenTaken(hwnd, flags, &due, [](Window& w, PaintState& s) {
    return IsShownLocked(w) && s.erase && !s.update.Empty();
  });
  PaintFrameIfDue(hwnd);
  if (due) {
    Taken taken = TakeUpdate(hwnd, false);
    if (taken.hdc && taken.erase) {
      LRESULT erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(taken.hdc), 0);
      RecordEraseResult(hwnd, erased != 0);
    }
    ReleaseWindowDc(taken.hdc);
  }
  for (HWND child : children) EraseNow(child, flags);
}

}  // namespace talix::user

using namespace talix;
using namespace talix::user;

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  if (!paint) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  PaintFrameIfDue(hwnd);
  Taken taken = TakeUpdate(hwnd, true);
  if (!taken.hdc) return nullptr;
  BOOL fErase = taken.appErase ? TRUE : FALSE;
  if (taken.erase) {
    LRESULT erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(taken.hdc), 0);
    fErase = erased ? FALSE : TRUE;
  }
  std::memset(paint, 0, sizeof(*paint));
  paint->hdc = taken.hdc;
  paint->fErase = fErase;
  std::lock_guard<std::mutex> lock(UserLock());
  if (Window* window = WindowLocked(hwnd)) {
    gdi::Region32 visible = UpdateToApiClient(*window, taken.update);
    visible.Intersect(RECT{0, 0, RectWidth(window->client), RectHeight(window->client)});
    paint->rcPaint = visible.Box();
  }
  return taken.hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  (void)hwnd;
  if (paint) ReleaseWindowDc(paint->hdc);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  PaintNow(hwnd, RDW_ALLCHILDREN);
  return TRUE;
}
