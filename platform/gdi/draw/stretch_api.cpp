// StretchBlt and StretchDIBits.
#include "platform/gdi/bitmap/dib_info.h"
#include "platform/gdi/blit/rop3.h"
#include "platform/gdi/draw/stretch_copy.h"

#include <win/base.h>
#include <win/gdi.h>

#include <cstdlib>

using namespace talix::gdi;

namespace {

// A source DC's logical rectangle (signed extents) in its bitmap's pixels, signs kept.
StretchSource SourceOf(const DcObject& src, int x, int y, int width, int height) {
  RECT logical = RectOfSize(width < 0 ? int64_t(x) + width : x,
                            height < 0 ? int64_t(y) + height : y, std::abs(int64_t(width)),
                            std::abs(int64_t(height)));
  RECT device = src.ToDevice(logical);
  POINT origin = src.Origin();
  StretchSource s;
  s.bitmap = src.Target();
  s.x = (width < 0 ? device.right : device.left) + origin.x;
  s.y = (height < 0 ? device.bottom : device.top) + origin.y;
  s.width = width;
  s.height = height;
  s.mirrored = src.Mirrored();
  s.bkColor = src.State().bkColor;
  return s;
}

}  // namespace

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
  DcObject* dst = DcOrError(hdcDest);
  if (!dst) return FALSE;
  StretchSource source;
  if (RopUsesSource(Rop3Index(rop))) {
    DcObject* src = DcOrError(hdcSrc);
    if (!src) return FALSE;
    source = SourceOf(*src, xSrc, ySrc, wSrc, hSrc);
    if (!source.bitmap) return FALSE;
  } else {
    source.width = source.height = 1;
  }
  return StretchOnto(*dst, xDest, yDest, wDest, hDest, source, rop) ? TRUE : FALSE;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc,
                  int ySrc, int SrcWidth, int SrcHeight, const void* lpBits,
                  const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return 0;
  DibLayout layout;
  if (!lpBits || !ParseDibInfo(lpbmi, iUsage, true, &layout)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto view = BitmapObject::Wrap(static_cast<uint8_t*>(const_cast<void*>(lpBits)), layout.width,
                                 layout.height, layout.format, layout.topDown);
  if (!view) return 0;
  StretchSource source;
  source.bitmap = view.get();
  source.x = xSrc;
  source.width = SrcWidth;
  source.height = SrcHeight;
  // A bottom-up DIB counts rows from its bottom: (xSrc, ySrc) is the lower-left corner.
  source.y = layout.topDown ? ySrc : ClampCoord(int64_t(layout.height) - ySrc - SrcHeight);
  if (!StretchOnto(*dc, xDest, yDest, DestWidth, DestHeight, source, rop)) return 0;
  return std::abs(SrcHeight);
}
