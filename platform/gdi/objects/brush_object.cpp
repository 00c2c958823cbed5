#include "platform/gdi/objects/brush_object.h"

#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/bitmap/dib_info.h"

#include <win/base.h>

#include <cstring>

namespace talix::gdi {

void BrushObject::SetPattern(int width, int height, std::vector<uint32_t> pixels, bool mono) {
  patternWidth_ = width;
  patternHeight_ = height;
  pattern_ = std::move(pixels);
  patternMono_ = mono;
}

int BrushObject::GetObjectInfo(int cb, void* out) const {
  if (!out) return int(sizeof(LOGBRUSH));
  if (cb < int(sizeof(LOGBRUSH))) return 0;
  std::memcpy(out, &log_, sizeof(LOGBRUSH));
  return int(sizeof(LOGBRUSH));
}

uint8_t HatchRow(int style, int y) {
  y &= 7;
  uint8_t forward = uint8_t(0x80 >> y);    // "\": x == y
  uint8_t backward = uint8_t(0x01 << y);   // "/": x == 7 - y
  switch (style) {
    case HS_HORIZONTAL: return y == 3 ? 0xFF : 0x00;
    case HS_VERTICAL: return 0x10;
    case HS_FDIAGONAL: return forward;
    case HS_BDIAGONAL: return backward;
    case HS_CROSS: return y == 3 ? 0xFF : 0x10;
    case HS_DIAGCROSS: return uint8_t(forward | backward);
    default: return 0;
  }
}

namespace {

HBRUSH AddBrush(std::shared_ptr<BrushObject> brush) {
  return static_cast<HBRUSH>(AddGdiObject(std::move(brush)));
}

// A copy of a bitmap's pixels for a pattern brush.
std::shared_ptr<BrushObject> PatternFromBitmap(const BitmapObject& bitmap, const LOGBRUSH& log) {
  auto brush = std::make_shared<BrushObject>(log);
  int w = bitmap.Width(), h = bitmap.Height();
  std::vector<uint32_t> pixels(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    uint32_t* row = pixels.data() + size_t(y) * size_t(w);
    bitmap.ReadRow(0, y, w, row);
    for (int x = 0; x < w; ++x) row[x] &= 0xFFFFFF;
  }
  brush->SetPattern(w, h, std::move(pixels), bitmap.IsMonoDdb());
  return brush;
}

}  // namespace

}  // namespace talix::gdi

using namespace talix::gdi;

HBRUSH CreateSolidBrush(COLORREF color) {
  return AddBrush(std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, color & 0xFFFFFF, 0}));
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color) {
  if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return AddBrush(std::make_shared<BrushObject>(
      LOGBRUSH{BS_HATCHED, color & 0xFFFFFF, ULONG_PTR(iHatch)}));
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
  BitmapObject* bitmap = PeekBitmap(hbm);
  if (!bitmap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return AddBrush(PatternFromBitmap(*bitmap, LOGBRUSH{BS_PATTERN, 0, ULONG_PTR(hbm)}));
}

HBRUSH CreateDIBPatternBrushPt(const void* lpPackedDIB, UINT iUsage) {
  auto* info = static_cast<const BITMAPINFO*>(lpPackedDIB);
  DibLayout layout;
  if (!ParseDibInfo(info, iUsage, true, &layout)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* bits = reinterpret_cast<const uint8_t*>(ColorTableOf(info) +
                                                ColorTableEntries(info->bmiHeader));
  auto view = BitmapObject::Wrap(const_cast<uint8_t*>(bits), layout.width, layout.height,
                                 layout.format, layout.topDown);
  if (!view) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return AddBrush(
      PatternFromBitmap(*view, LOGBRUSH{BS_DIBPATTERNPT, 0, ULONG_PTR(lpPackedDIB)}));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
  if (!plbrush) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: return AddBrush(std::make_shared<BrushObject>(LOGBRUSH{BS_NULL, 0, 0}));
    case BS_HATCHED: return CreateHatchBrush(int(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    case BS_DIBPATTERNPT:
    case BS_DIBPATTERN8X8:
      return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(plbrush->lbHatch),
                                     LOWORD(plbrush->lbColor));
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}
