// BMP decoding: file header plus a core (12-byte), info (40) or later (52 to 124-byte)
// header; 1, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB, BI_RLE8, BI_RLE4 and
// BI_BITFIELDS; bottom-up and top-down rows.
//
// Limits: no embedded JPEG or PNG (BI_JPEG, BI_PNG) and no alpha; pixels that RLE data
// skips take palette entry 0; palette indices past the table give black.
#pragma once

#include "image/codec/picture.h"

namespace talix::image {

bool DecodeBmp(const uint8_t* data, size_t size, Picture* out);

}  // namespace talix::image
