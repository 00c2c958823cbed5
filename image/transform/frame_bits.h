// The pixels of a store frame in place: the rows of a 24-bit DIB section, reached through
// its bits rather than copied out and back with GetDIBits / SetDIBits. Transforms that
// run over whole frames many times a second take this path and fall back to the copies
// for frames that are not such sections (device-dependent bitmaps put in by callers).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace talix::image {

class FrameBits {
 public:
  // True when `frame` is a 24-bit BI_RGB DIB section of exactly width x height pixels.
  bool Attach(HBITMAP frame, int width, int height);

  // Picture row y, counted from the top whatever the section's orientation.
  uint8_t* Row(int y) const {
    const int stored = bottomUp_ ? height_ - 1 - y : y;
    return bits_ + size_t(stored) * size_t(stride_);
  }
  // Bytes from one picture row to the next one down (negative for bottom-up sections).
  ptrdiff_t RowStep() const { return bottomUp_ ? -ptrdiff_t(stride_) : ptrdiff_t(stride_); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  uint8_t* bits_ = nullptr;
  int width_ = 0, height_ = 0, stride_ = 0;
  bool bottomUp_ = true;
};

}  // namespace talix::image
