// Reading and writing the BITMAPINFO that describes a caller's DIB.
//
// Limits: BITMAPINFOHEADER and its later versions (the fields past the first 40 bytes
// other than the masks are ignored); no core headers, no RLE/JPEG/PNG compression, and
// colour tables only as DIB_RGB_COLORS.
#pragma once

#include "platform/gdi/bitmap/pixel_format.h"

#include <win/gdi.h>

namespace talix::gdi {

struct DibLayout {
  int width = 0;
  int height = 0;  // always positive
  bool topDown = false;
  PixelFormat format;
  int64_t rowBytes = 0;  // padded to 4 bytes
  int64_t imageBytes = 0;
};

// Parses a header with its masks and colour table; false when it is malformed or not
// supported. A colour table is read only when readColors is set.
bool ParseDibInfo(const BITMAPINFO* info, UINT usage, bool readColors, DibLayout* out);

// Where the colour table (or the masks of BI_BITFIELDS) starts.
RGBQUAD* ColorTableOf(BITMAPINFO* info);
const RGBQUAD* ColorTableOf(const BITMAPINFO* info);
// Entries in the colour table for this header (biClrUsed, or 2^bpp for indexed depths).
int ColorTableEntries(const BITMAPINFOHEADER& header);

}  // namespace talix::gdi
