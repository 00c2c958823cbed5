#include "platform/gdi/draw/source_pixels.h"

#include <algorithm>

namespace talix::gdi {

SourcePixels::SourcePixels(const BitmapObject& bitmap, const RECT& wanted,
                           const DcObject* target, bool copy) {
  RECT inside{std::max(wanted.left, LONG(0)), std::max(wanted.top, LONG(0)),
              std::min(wanted.right, LONG(bitmap.Width())),
              std::min(wanted.bottom, LONG(bitmap.Height()))};
  if (inside.right <= inside.left || inside.bottom <= inside.top) return;
  BitmapObject* targetBitmap = target ? target->Target() : nullptr;
  bool monoToColor = bitmap.IsMonoDdb() && targetBitmap && !targetBitmap->IsMonoDdb();
  if (!monoToColor && !copy && bitmap.AsSurface32(&surface_)) return;
  int w = inside.right - inside.left, h = inside.bottom - inside.top;
  copy_.resize(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    bitmap.ReadRow(inside.left, inside.top + y, w, copy_.data() + size_t(y) * size_t(w));
  if (monoToColor) {
    uint32_t text = ColorRefToPixel(target->State().textColor);
    uint32_t back = ColorRefToPixel(target->State().bkColor);
    for (uint32_t& p : copy_) p = (p & 0xFFFFFF) ? back : text;
  }
  surface_ = Surface32{reinterpret_cast<uint8_t*>(copy_.data()), w, h, ptrdiff_t(w) * 4};
  offset_ = POINT{inside.left, inside.top};
}

void SourcePixels::MirrorRows() {
  if (Direct() || Empty()) return;
  for (int y = 0; y < surface_.height; ++y)
    std::reverse(surface_.Row(y), surface_.Row(y) + surface_.width);
}

void ClearXBytes(BitmapObject& bitmap, const RECT& rect) {
  if (!bitmap.ClearsX()) return;
  int left = std::max(int(rect.left), 0), right = std::min(int(rect.right), bitmap.Width());
  int top = std::max(int(rect.top), 0), bottom = std::min(int(rect.bottom), bitmap.Height());
  for (int y = top; y < bottom; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(bitmap.Row(y));
    for (int x = left; x < right; ++x) row[x] &= 0xFFFFFF;
  }
}

}  // namespace talix::gdi
