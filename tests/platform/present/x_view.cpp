#include "x_view.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace talix::testing {

bool WaitUntil(const std::function<bool()>& done) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

ScopedDisplayVariable::ScopedDisplayVariable(const char* value) {
  if (const char* old = std::getenv("DISPLAY")) saved_ = old;
  if (value != nullptr) {
    setenv("DISPLAY", value, 1);
  } else {
    unsetenv("DISPLAY");
  }
}

ScopedDisplayVariable::~ScopedDisplayVariable() {
  if (saved_) {
    setenv("DISPLAY", saved_->c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
}

unsigned long FindWindowNamed(Display* display, const char* title) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    return 0;
  }
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name != nullptr) {
      if (std::string(name) == title) found = children[i];
      XFree(name);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

bool WaitForMappedWindow(Display* display, const char* title, unsigned long* window) {
  return WaitUntil([&] {
    *window = FindWindowNamed(display, title);
    XWindowAttributes attributes;
    return *window != 0 && XGetWindowAttributes(display, *window, &attributes) &&
           attributes.map_state == IsViewable;
  });
}

std::vector<uint32_t> ReadWindowPixels(Display* display, unsigned long window, int width,
                                       int height) {
  XWindowAttributes attributes;
  if (width <= 0 || height <= 0 || !XGetWindowAttributes(display, window, &attributes) ||
      attributes.width < width || attributes.height < height) {
    return {};
  }
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return {};
  std::vector<uint32_t> pixels;
  pixels.reserve(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
    }
  }
  XDestroyImage(image);
  return pixels;
}

}  // namespace talix::testing
