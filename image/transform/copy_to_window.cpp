// Copying a part of a frame to a window: opaque (BitBlt) or with a constant alpha
// (AlphaBlend, no per-pixel alpha). GetDC(NULL) is the screen, so a NULL window draws on
// the screen.
//
// Limits: the alpha argument is clamped to 0..255.
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"

#include <algorithm>

using talix::draw::ScreenDc;
using talix::draw::SelectedDc;

namespace {

struct CopyRequest {
  HWND window;
  int x, y, width, height;
  int sourceX, sourceY;
  int alpha;  // -1 for an opaque copy
};

// The copy itself; the DC of the window is released on every path.
BOOL CopyFrameToWindow(HBITMAP frame, const CopyRequest& r) {
  HDC windowDc = GetDC(r.window);
  if (!windowDc) return FALSE;
  BOOL done = FALSE;
  {
    ScreenDc screen;
    SelectedDc source(screen.get(), frame);
    if (source.ok() && r.alpha < 0) {
      done = BitBlt(windowDc, r.x, r.y, r.width, r.height, source.get(), r.sourceX, r.sourceY, SRCCOPY);
    } else if (source.ok()) {
      const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(r.alpha), 0};
      done = AlphaBlend(windowDc, r.x, r.y, r.width, r.height, source.get(), r.sourceX, r.sourceY,
                        r.width, r.height, blend);
    }
  }
  ReleaseDC(r.window, windowDc);
  return done;
}

// The code of the first refused argument, QUO_OK when all are acceptable.
CNBitmapUtil::QUOError RefusedArgument(const CopyRequest& r, HBITMAP frame) {
  if (r.x < 0) return CNBitmapUtil::QUO_ERR_PARAM2;
  if (r.y < 0) return CNBitmapUtil::QUO_ERR_PARAM3;
  if (r.width <= 0) return CNBitmapUtil::QUO_ERR_PARAM4;
  if (r.height <= 0) return CNBitmapUtil::QUO_ERR_PARAM5;
  if (r.sourceX < 0) return CNBitmapUtil::QUO_ERR_PARAM7;
  if (r.sourceY < 0) return CNBitmapUtil::QUO_ERR_PARAM8;
  if (!frame) return CNBitmapUtil::QUO_ERR_PARAM6;
  return CNBitmapUtil::QUO_OK;
}

}  // namespace

int CNBitmapUtil::SetBitmapStatic(HWND window, int x, int y, int width, int height,
                                  BitmapType type, int index, int sourceX, int sourceY) {
  const CopyRequest request{window, x, y, width, height, sourceX, sourceY, -1};
  HBITMAP frame = GetBitmapHandle(type, index);
  const QUOError refused = RefusedArgument(request, frame);
  return refused == QUO_OK ? CopyFrameToWindow(frame, request) : Fail(refused, 0);
}

int CNBitmapUtil::SetBitmapStaticAlpha(HWND window, int x, int y, int width, int height,
                                       BitmapType type, int index, int sourceX, int sourceY,
                                       int alpha) {
  const CopyRequest request{window, x, y, width, height, sourceX, sourceY, std::clamp(alpha, 0, 255)};
  HBITMAP frame = GetBitmapHandle(type, index);
  const QUOError refused = RefusedArgument(request, frame);
  if (refused != QUO_OK) return Fail(refused, 0);
  const BOOL done = CopyFrameToWindow(frame, request);
  return done ? done : Fail(QUO_ERR_FAILED, 0);
}
