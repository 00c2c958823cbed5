// The presenter's copy of the screen and the XImage that describes it to Xlib. The pixels
// are the screen's own BGRX rows, which are what a 24-bit TrueColor visual with red in
// bits 16-23 takes in least-significant-byte-first order, so nothing is converted.
#pragma once

#include "platform/present/presenter.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace talix::present {

class X11ScreenImage {
 public:
  X11ScreenImage(Display* display, Visual* visual, int depth);
  ~X11ScreenImage();
  X11ScreenImage(const X11ScreenImage&) = delete;
  X11ScreenImage& operator=(const X11ScreenImage&) = delete;

  // Reallocates for a new screen size; false when the size is unusable.
  bool Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // `rect` clipped to the image; empty when it lies outside.
  ScreenRect Clip(const ScreenRect& rect) const;
  // Copies `rect` (clipped) of the source's screen into the image.
  void Refresh(ScreenSource& source, const ScreenRect& rect);
  // Sends `rect` (clipped) of the image to the drawable.
  void Put(Drawable drawable, GC gc, const ScreenRect& rect);

 private:
  void ReleaseImage();

  Display* display_;
  Visual* visual_;
  int depth_;
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
  XImage* image_ = nullptr;
};

}  // namespace talix::present
