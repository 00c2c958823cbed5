#include "image/transform/frame_bits.h"

namespace talix::image {

bool FrameBits::Attach(HBITMAP frame, int width, int height) {
  DIBSECTION section{};
  if (!frame || width <= 0 || height <= 0 ||
      GetObjectW(frame, sizeof section, &section) != int(sizeof section))
    return false;
  const BITMAPINFOHEADER& h = section.dsBmih;
  const LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  const LONG stride = ((LONG(width) * 3 + 3) & ~3);
  if (!section.dsBm.bmBits || h.biBitCount != 24 || h.biCompression != BI_RGB ||
      h.biWidth != width || rows != height || section.dsBm.bmWidthBytes != stride)
    return false;
  bits_ = static_cast<uint8_t*>(section.dsBm.bmBits);
  width_ = width;
  height_ = height;
  stride_ = int(stride);
  bottomUp_ = h.biHeight > 0;
  return true;
}

}  // namespace talix::image
