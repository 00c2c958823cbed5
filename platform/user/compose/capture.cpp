// The host's captures of windows and the screen, and PNG writing (libpng's simplified
// interface, 8-bit RGBA).
#include "platform/gdi/dc/screen_dc.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/window_surface.h"

#include <talix/host_capture.h>
#include <win/gdi.h>

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace talix::host {
namespace {

using user::Window;

uint32_t Unpremultiply(uint32_t p) {
  uint32_t a = p >> 24;
  if (a == 0) return 0;
  if (a == 255) return p;
  auto channel = [&](int shift) {
    uint32_t c = (p >> shift) & 0xFF;
    return std::min<uint32_t>(255, (c * 255 + a / 2) / a) << shift;
  };
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

// Copies a rectangle of a 32-bit surface with alpha 255.
void CopyOpaque(const gdi::BitmapObject& surface, const RECT& rect, CapturedImage* out) {
  out->width = user::RectWidth(rect);
  out->height = user::RectHeight(rect);
  out->pixels.assign(size_t(out->width) * size_t(out->height), 0xFF000000u);
  gdi::PixelGuard guard(gdi::PixelLock());
  int top = std::max<LONG>(rect.top, 0), bottom = std::min<LONG>(rect.bottom, surface.Height());
  int left = std::max<LONG>(rect.left, 0), right = std::min<LONG>(rect.right, surface.Width());
  for (int y = top; y < bottom; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(surface.Row(y));
    for (int x = left; x < right; ++x)
      out->pixels[size_t(y - rect.top) * size_t(out->width) + size_t(x - rect.left)] =
          row[x] | 0xFF000000u;
  }
}

void CopyContent(const user::LayeredState& layered, CapturedImage* out) {
  out->width = layered.width;
  out->height = layered.height;
  out->pixels.resize(layered.pixels->size());
  bool premultiplied = (layered.flags & ULW_ALPHA) && (layered.blend.AlphaFormat & AC_SRC_ALPHA);
  for (size_t i = 0; i < out->pixels.size(); ++i) {
    uint32_t p = (*layered.pixels)[i];
    out->pixels[i] = premultiplied ? Unpremultiply(p) : (p | 0xFF000000u);
  }
}

HBITMAP ToDibSection(const CapturedImage& image) {
  if (image.width <= 0 || image.height <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) std::memcpy(bits, image.pixels.data(), image.pixels.size() * 4);
  return bitmap;
}

}  // namespace

bool CaptureWindow(HWND hwnd, CapturedImage* out) {
  if (!out) return false;
  std::shared_ptr<gdi::BitmapObject> surface;
  RECT rect;
  {
    std::lock_guard<std::mutex> lock(user::UserLock());
    Window* window = user::WindowLocked(hwnd);
    Window* top = window ? user::TopLevelLocked(*window) : nullptr;
    if (!top) return false;
    user::PaintState& state = user::PaintStateLocked(*top);
    const user::LayeredState& layered = user::CurrentLayeredLocked(*top, state);
    if (window == top && layered.mode == user::LayeredMode::Content && layered.pixels) {
      CopyContent(layered, out);
      return true;
    }
    surface = user::SurfaceOfLocked(*top);
    rect = user::WindowRectInTopLocked(*window);
  }
  if (!surface) return false;
  CopyOpaque(*surface, rect, out);
  return true;
}

bool CaptureScreenRect(const RECT& rect, CapturedImage* out) {
  if (!out) return false;
  ComposeScreen();
  std::shared_ptr<gdi::BitmapObject> screen = gdi::ScreenSurface();
  if (!screen) return false;
  RECT part{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
            std::min<LONG>(rect.right, screen->Width()),
            std::min<LONG>(rect.bottom, screen->Height())};
  if (part.right <= part.left || part.bottom <= part.top) return false;
  CopyOpaque(*screen, part, out);
  return true;
}

bool CaptureScreen(CapturedImage* out) {
  return CaptureScreenRect(RECT{0, 0, gdi::kMaxBitmapSide, gdi::kMaxBitmapSide}, out);
}

HBITMAP CaptureWindowBitmap(HWND hwnd) {
  CapturedImage image;
  return CaptureWindow(hwnd, &image) ? ToDibSection(image) : nullptr;
}

HBITMAP CaptureScreenBitmap() {
  CapturedImage image;
  return CaptureScreen(&image) ? ToDibSection(image) : nullptr;
}

bool WritePng(const CapturedImage& image, const char* path) {
  if (!path || image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != size_t(image.width) * size_t(image.height))
    return false;
  png_image png;
  std::memset(&png, 0, sizeof(png));
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_BGRA;
  bool ok = png_image_write_to_file(&png, path, 0, image.pixels.data(), image.width * 4, nullptr);
  png_image_free(&png);
  if (!ok) std::remove(path);
  return ok;
}

bool CaptureWindowToPng(HWND hwnd, const char* path) {
  CapturedImage image;
  return CaptureWindow(hwnd, &image) && WritePng(image, path);
}

bool CaptureScreenToPng(const char* path) {
  CapturedImage image;
  return CaptureScreen(&image) && WritePng(image, path);
}

}  // namespace talix::host
