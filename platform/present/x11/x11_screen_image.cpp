#include "platform/present/x11/x11_screen_image.h"

#include <X11/Xutil.h>

#include <algorithm>

namespace talix::present {
namespace {

// Far beyond any screen; keeps the row arithmetic inside int.
constexpr int kMaxSide = 16384;

}  // namespace

X11ScreenImage::X11ScreenImage(Display* display, Visual* visual, int depth)
    : display_(display), visual_(visual), depth_(depth) {}

X11ScreenImage::~X11ScreenImage() { ReleaseImage(); }

void X11ScreenImage::ReleaseImage() {
  if (image_ == nullptr) return;
  image_->data = nullptr;  // the pixels belong to pixels_, not to Xlib
  XDestroyImage(image_);
  image_ = nullptr;
}

bool X11ScreenImage::Resize(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  ReleaseImage();
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0,
                        reinterpret_cast<char*>(pixels_.data()), static_cast<unsigned>(width),
                        static_cast<unsigned>(height), 32, width * 4);
  if (image_ == nullptr) {
    pixels_.clear();
    width_ = height_ = 0;
    return false;
  }
  // Our rows are little-endian words whatever the server's order; Xlib swaps if needed.
  image_->byte_order = LSBFirst;
  width_ = width;
  height_ = height;
  return true;
}

ScreenRect X11ScreenImage::Clip(const ScreenRect& rect) const {
  int left = std::max(rect.x, 0);
  int top = std::max(rect.y, 0);
  // In 64 bits: a hostile rect near INT_MAX must not wrap.
  int64_t right = std::min<int64_t>(int64_t{rect.x} + rect.width, width_);
  int64_t bottom = std::min<int64_t>(int64_t{rect.y} + rect.height, height_);
  if (right <= left || bottom <= top) return {};
  return {left, top, static_cast<int>(right - left), static_cast<int>(bottom - top)};
}

void X11ScreenImage::Refresh(ScreenSource& source, const ScreenRect& rect) {
  ScreenRect clipped = Clip(rect);
  if (clipped.width == 0) return;
  uint32_t* first = pixels_.data() + static_cast<size_t>(clipped.y) * width_ + clipped.x;
  source.CopyRect(clipped, first, static_cast<size_t>(width_) * 4);
}

void X11ScreenImage::Put(Drawable drawable, GC gc, const ScreenRect& rect) {
  ScreenRect clipped = Clip(rect);
  if (clipped.width == 0 || image_ == nullptr) return;
  XPutImage(display_, drawable, gc, image_, clipped.x, clipped.y, clipped.x, clipped.y,
            static_cast<unsigned>(clipped.width), static_cast<unsigned>(clipped.height));
}

}  // namespace talix::present
