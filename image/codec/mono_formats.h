// The two one-bit formats: WBMP (type 0) and the OTA bitmap.
//
// WBMP: 0x00, 0x00, width and height as multi-byte integers (7 bits per byte, most
// significant group first, bit 7 set on every byte but the last), then rows top to
// bottom, each starting on a new byte, most significant bit first, 1 = white.
// OTA: 0x00, width, height, 0x01 (depth), then the pixels of all rows as one bit stream,
// most significant bit first, 1 = black.
//
// Limits: the reader takes WBMP sizes of at most two bytes (16383) and OTA files below
// 8197 bytes; the OTA writer takes sizes up to 255.
#pragma once

#include "image/codec/picture.h"

namespace talix::image {

enum class MonoStatus { kOk, kBadFormat };

MonoStatus DecodeWbmp(const uint8_t* data, size_t size, Picture* out);
MonoStatus DecodeOta(const uint8_t* data, size_t size, Picture* out);

// Bottom-up 24-bit rows of `rowSize` bytes in; the file's bytes out. Each pixel's colour
// goes through the random-threshold test: light when each channel, blue, green then red,
// passes t < value for t = Random15() / 255.
std::vector<uint8_t> EncodeWbmp(const uint8_t* rows, int width, int height, int rowSize);
std::vector<uint8_t> EncodeOta(const uint8_t* rows, int width, int height, int rowSize);

// The random-threshold test of one pixel (B, G, R bytes).
bool PixelIsLight(const uint8_t* bgr);

}  // namespace talix::image
