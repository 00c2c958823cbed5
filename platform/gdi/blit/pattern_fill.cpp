#include "platform/gdi/blit/pattern_fill.h"

#include "platform/gdi/bitmap/pixel_format.h"

namespace talix::gdi {
namespace {

uint32_t NearestMono(uint32_t pixel) {
  static const std::vector<RGBQUAD> kMono = DefaultPalette(1);
  return NearestIndex(kMono, pixel) ? 0xFFFFFF : 0;
}

int Mod(int a, int m) {
  int r = a % m;
  return r < 0 ? r + m : r;
}

}  // namespace

PatternFill::PatternFill(const DcObject& dc, const BrushObject* brush) {
  if (!brush || brush->Style() == BS_NULL) return;
  const DcState& s = dc.State();
  uint32_t text = ColorRefToPixel(s.textColor), back = ColorRefToPixel(s.bkColor);
  origin_ = s.brushOrg;
  switch (brush->Style()) {
    case BS_SOLID:
      width_ = height_ = 1;
      pixels_.push_back(ColorRefToPixel(brush->IsDcBrush() ? s.dcBrushColor : brush->Log().lbColor));
      break;
    case BS_HATCHED: {
      width_ = height_ = 8;
      uint32_t line = ColorRefToPixel(brush->Log().lbColor);
      bool gaps = s.bkMode == TRANSPARENT;
      for (int y = 0; y < 8; ++y) {
        uint8_t bits = HatchRow(int(brush->Log().lbHatch), y);
        for (int x = 0; x < 8; ++x) {
          bool on = (bits >> (7 - x)) & 1;
          pixels_.push_back(on ? line : back);
          if (gaps) opaque_.push_back(on ? 1 : 0);
        }
      }
      break;
    }
    default:
      width_ = brush->PatternWidth();
      height_ = brush->PatternHeight();
      pixels_ = brush->PatternPixels();
      if (brush->PatternIsMono())
        for (uint32_t& p : pixels_) p = p ? back : text;
      break;
  }
  BitmapObject* target = dc.Target();
  if (target && target->IsMonoDdb())
    for (uint32_t& p : pixels_) p = NearestMono(p);
}

void PatternFill::Row(int x, int y, int count, uint32_t* out, uint8_t* opaque) const {
  size_t rowStart = size_t(Mod(y - origin_.y, height_)) * size_t(width_);
  const uint32_t* row = pixels_.data() + rowStart;
  if (width_ == 1) {
    for (int i = 0; i < count; ++i) out[i] = row[0];
  } else {
    int px = Mod(x - origin_.x, width_);
    for (int i = 0; i < count; ++i) {
      out[i] = row[px];
      if (opaque) opaque[i] = opaque_[rowStart + size_t(px)];
      if (++px == width_) px = 0;
    }
  }
}

}  // namespace talix::gdi
