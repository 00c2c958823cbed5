#include "platform/user/compose/screen_copy.h"

#include "platform/gdi/dc/screen_dc.h"

#include <talix/host_capture.h>

#include <algorithm>
#include <cstring>

namespace talix::user {

bool CopyComposedScreen(const RECT& rect, uint32_t* rows, size_t strideBytes) {
  if (!rows) return false;
  host::ComposeScreen();
  std::shared_ptr<gdi::BitmapObject> screen = gdi::ScreenSurface();
  if (!screen) return false;
  int left = std::max<LONG>(rect.left, 0), top = std::max<LONG>(rect.top, 0);
  int right = std::min<LONG>(rect.right, screen->Width());
  int bottom = std::min<LONG>(rect.bottom, screen->Height());
  if (right <= left || bottom <= top) return false;
  gdi::PixelGuard guard(gdi::PixelLock());
  for (int y = top; y < bottom; ++y) {
    auto* out = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(rows) +
                                            size_t(y - rect.top) * strideBytes) +
                (left - rect.left);
    std::memcpy(out, reinterpret_cast<const uint32_t*>(screen->Row(y)) + left,
                size_t(right - left) * 4);
  }
  return true;
}

}  // namespace talix::user
