// Bitmaps from untrusted bytes: packed DIBs (RT_BITMAP resources) and .bmp files.
//
// Limits: BITMAPINFOHEADER and later headers (no core headers), uncompressed or bit
// fields (no RLE); at most kMaxLoadedBitmapPixels pixels.
#pragma once

#include <win/icon.h>

#include <cstddef>
#include <cstdint>

namespace talix::gdi {

constexpr int64_t kMaxLoadedBitmapPixels = int64_t(1) << 26;

// Bytes of a packed DIB's header, bit-field masks and colour table, or 0 when they do
// not fit in `size` or the header is not a BITMAPINFOHEADER (or later) one.
size_t PackedDibInfoBytes(const uint8_t* dib, size_t size);

// A packed DIB (header, colour table, bits) as a DIB section (LR_CREATEDIBSECTION) or a
// device-compatible bitmap (monochrome with LR_MONOCHROME); null with ERROR_INVALID_DATA
// when malformed.
HBITMAP BitmapFromPackedDib(const uint8_t* dib, size_t size, UINT flags);
// A .bmp file's bytes (BITMAPFILEHEADER, then a packed DIB whose bits start at bfOffBits).
TALIX_EXPORT HBITMAP BitmapFromFileBytes(const uint8_t* data, size_t size, UINT flags);

}  // namespace talix::gdi
