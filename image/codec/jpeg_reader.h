// JPEG decoding through libjpeg-turbo: baseline and progressive, grey and colour, any
// subsampling the library takes; output in B, G, R with the library's default settings
// (islow DCT, fancy upsampling).
//
// Limits: CMYK and YCCK files are refused.
#pragma once

#include "image/codec/picture.h"

namespace talix::image {

bool DecodeJpeg(const uint8_t* data, size_t size, Picture* out);

}  // namespace talix::image
