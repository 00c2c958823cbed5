// One display monitor: the virtual screen. Its handle lives in the monitor handle table
// from first use to the end of the process.
//
// Limits: EnumDisplayMonitors with a DC reports the DC's clip box (with lprcClip) as the
// monitor's part, which is right while the one monitor covers every window.
#include "platform/kernel/handle_table.h"

#include <talix/host_screen.h>
#include <win/gdi.h>
#include <win/sysparams.h>
#include <win/user.h>
#include <win/wstr.h>

#include <algorithm>

namespace talix::sysparams {

namespace {

struct Monitor {};

HMONITOR ThePrimary() {
  static HandleTable<Monitor>* table = new HandleTable<Monitor>(HandleKind::Monitor);
  static const uint32_t value = table->Add(std::make_shared<Monitor>());
  return HandleFromValue<HMONITOR>(value);
}

RECT ScreenRect() {
  const host::ScreenParams& s = host::GetScreenParams();
  return RECT{0, 0, s.width, s.height};
}

RECT Intersection(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool IsEmptyRect(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

bool Contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Outside every monitor: the primary or the nearest (the same here), or none.
HMONITOR Outside(DWORD flags) {
  return flags & (MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST) ? ThePrimary() : nullptr;
}

// A rectangle with no area is looked up by its top-left corner, as a point.
HMONITOR ForRect(const RECT& r, DWORD flags) {
  RECT screen = ScreenRect();
  bool on = IsEmptyRect(r) ? Contains(screen, POINT{r.left, r.top})
                           : !IsEmptyRect(Intersection(r, screen));
  return on ? ThePrimary() : Outside(flags);
}

}  // namespace

}  // namespace talix::sysparams

using namespace talix::sysparams;

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags) {
  return Contains(ScreenRect(), pt) ? ThePrimary() : Outside(dwFlags);
}

HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return ForRect(*lprc, dwFlags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags) {
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return nullptr;  // GetWindowRect set the error
  return ForRect(r, dwFlags);
}

BOOL GetMonitorInfoW(HMONITOR hMonitor, LPMONITORINFO lpmi) {
  if (!hMonitor || hMonitor != ThePrimary()) {
    SetLastError(ERROR_INVALID_MONITOR_HANDLE);
    return FALSE;
  }
  if (!lpmi || (lpmi->cbSize != sizeof(MONITORINFO) && lpmi->cbSize != sizeof(MONITORINFOEXW))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpmi->rcMonitor = ScreenRect();
  lpmi->rcWork = talix::host::GetScreenParams().workArea;
  lpmi->dwFlags = MONITORINFOF_PRIMARY;
  if (lpmi->cbSize == sizeof(MONITORINFOEXW))
    lstrcpynW(reinterpret_cast<MONITORINFOEXW*>(lpmi)->szDevice, u"\\\\.\\DISPLAY1",
              CCHDEVICENAME);
  return TRUE;
}

BOOL EnumDisplayMonitors(HDC hdc, LPCRECT lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData) {
  if (!lpfnEnum) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT part = ScreenRect();
  if (hdc && GetClipBox(hdc, &part) == ERROR) return FALSE;
  if (lprcClip) part = Intersection(part, *lprcClip);
  if (!IsEmptyRect(part)) lpfnEnum(ThePrimary(), hdc, &part, dwData);
  return TRUE;
}
