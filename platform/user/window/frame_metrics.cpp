#include "platform/user/window/frame_metrics.h"

#include <talix/host_screen.h>
#include <win/sysmetrics.h>

namespace talix::user {

RECT FrameInsets(DWORD style, DWORD exStyle, bool hasMenu) {
  int x = 0, y = 0;
  if (style & WS_THICKFRAME) {
    x = GetSystemMetrics(SM_CXFRAME);
    y = GetSystemMetrics(SM_CYFRAME);
  } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    x = GetSystemMetrics(SM_CXDLGFRAME);
    y = GetSystemMetrics(SM_CYDLGFRAME);
  } else if (style & WS_BORDER) {
    x = GetSystemMetrics(SM_CXBORDER);
    y = GetSystemMetrics(SM_CYBORDER);
  }
  if (exStyle & WS_EX_CLIENTEDGE) {
    x += GetSystemMetrics(SM_CXEDGE);
    y += GetSystemMetrics(SM_CYEDGE);
  }
  if (exStyle & WS_EX_STATICEDGE) {
    x += GetSystemMetrics(SM_CXBORDER);
    y += GetSystemMetrics(SM_CYBORDER);
  }
  RECT insets{x, y, x, y};
  if ((style & WS_CAPTION) == WS_CAPTION)
    insets.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (hasMenu) insets.top += GetSystemMetrics(SM_CYMENU);
  return insets;
}

MINMAXINFO DefaultMinMaxInfo(DWORD style, DWORD exStyle) {
  const host::ScreenParams& screen = host::GetScreenParams();
  RECT frame = FrameInsets(style, exStyle, false);
  MINMAXINFO info{};
  info.ptMaxSize = POINT{screen.width + frame.left + frame.right,
                         screen.height + frame.top + frame.bottom};
  info.ptMaxPosition = POINT{-frame.left, -frame.top};
  info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  return info;
}

}  // namespace talix::user

using namespace talix::user;

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT insets = FrameInsets(style, exStyle, menu != FALSE);
  rect->left -= insets.left;
  rect->top -= insets.top;
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}
