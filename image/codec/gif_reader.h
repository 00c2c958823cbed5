// GIF decoding of the first image of a file through giflib, with its place on the
// logical screen and its transparency, so that callers draw only its opaque pixels.
//
// Limits: only the first image is decoded; indices outside the colour table give black.
#pragma once

#include "image/codec/picture.h"

namespace talix::image {

struct GifImage {
  int screenWidth = 0, screenHeight = 0;  // the image's own size when the screen is 0 x 0
  int left = 0, top = 0;
  Picture pixels;                          // the image's own rectangle
  std::vector<uint8_t> opaque;             // 1 per drawn pixel, 0 per transparent one
  uint32_t background = 0xFFFFFFFF;        // COLORREF from the global table, or none
};

bool DecodeGifFirstImage(const uint8_t* data, size_t size, GifImage* out);
// Draws the opaque pixels of the image onto the canvas at (left, top), clipped.
void DrawGifImage(const GifImage& image, Picture* canvas);

}  // namespace talix::image
