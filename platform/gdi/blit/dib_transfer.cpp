// Copying a caller's DIB onto a DC: SetDIBitsToDevice (StretchDIBits is with the
// stretching copies).
#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/bitmap/dib_info.h"
#include "platform/gdi/blit/blit_engine.h"
#include "platform/gdi/blit/rop3.h"

#include <win/base.h>
#include <win/gdi.h>

#include <algorithm>

using namespace talix::gdi;

namespace {

// Draws the DIB's band of scan lines [firstScan, firstScan + bandLines) as a source
// bitmap. (xSrc, ySrc) is the source rectangle's corner in DIB coordinates: lower-left
// for a bottom-up DIB, upper-left for a top-down one.
int DrawDib(HDC hdc, int xDest, int yDest, int width, int height, int xSrc, int ySrc,
            int firstScan, int bandLines, const void* bits, const BITMAPINFO* info, UINT usage,
            uint8_t rop) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return 0;
  DibLayout layout;
  if (!bits || !ParseDibInfo(info, usage, true, &layout) || width <= 0 || height <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  bandLines = std::min(bandLines, layout.height - firstScan);
  if (firstScan < 0 || bandLines <= 0) return 0;
  auto view = BitmapObject::Wrap(static_cast<uint8_t*>(const_cast<void*>(bits)), layout.width,
                                 bandLines, layout.format, layout.topDown);
  if (!view) return 0;
  // The source rectangle's top row within the band, counted from the band's top.
  int64_t top = layout.topDown ? int64_t(ySrc) - firstScan
                               : int64_t(firstScan) + bandLines - ySrc - height;
  BlitJob job;
  job.dc = dc;
  job.rect = dc->ToDevice(RectOfSize(xDest, yDest, width, height));
  job.rop = rop;
  job.source.bitmap = view.get();
  job.source.rect = RectOfSize(xSrc, top, width, height);
  job.source.flip = dc->Mirrored() && !(dc->State().layout & LAYOUT_BITMAPORIENTATIONPRESERVED);
  if (!RunBlit(job)) return 0;
  return bandLines;
}

}  // namespace

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT StartScan, UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi,
                      UINT ColorUse) {
  if (w > DWORD(kMaxBitmapSide) || h > DWORD(kMaxBitmapSide) || StartScan > UINT(kMaxBitmapSide)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int band = int(std::min<UINT>(cLines, UINT(kMaxBitmapSide)));
  return DrawDib(hdc, xDest, yDest, int(w), int(h), xSrc, ySrc, int(StartScan), band, lpvBits,
                 lpbmi, ColorUse, Rop3Index(SRCCOPY));
}
