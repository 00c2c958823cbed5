// ImageList_Draw and ImageList_DrawEx.
//
// An image is composed into a 32-bit buffer, then copied with BitBlt when every pixel is
// opaque and with AlphaBlend otherwise:
// - ILD_MASK draws the mask (white where transparent, black elsewhere); ILD_IMAGE draws
//   the colour image alone, opaque, ignoring mask and alpha.
// - Otherwise the background is rgbBk (CLR_DEFAULT: the list's colour). Images with a mask
//   or alpha are drawn transparently when the background is CLR_NONE or ILD_TRANSPARENT
//   is given, else over the background colour; images of lists without a mask are opaque.
// - ILD_BLEND25 (ILD_FOCUS) and ILD_BLEND50 (ILD_SELECTED) mix 25 or 50 percent of rgbFg
//   into the image's visible pixels (CLR_DEFAULT: the highlight colour); with rgbFg
//   CLR_NONE the image itself becomes that much transparent. They need a mask or alpha.
// - On a right-to-left DC images keep their orientation, unless the list has ILC_MIRROR.
// dx/dy (when positive) draw only that much of the image, from its top-left corner.
#include "platform/comctl/imagelist/image_bitmaps.h"

#include <win/sysmetrics.h>

#include <algorithm>

using namespace talix;
using namespace talix::comctl;

namespace {

struct DrawRequest {
  ListImage image;
  int cx = 0;
  UINT listFlags = 0;
  COLORREF listBackground = CLR_NONE;
  int width = 0;
  int height = 0;
  COLORREF background = CLR_NONE;
  COLORREF foreground = CLR_DEFAULT;
  UINT style = 0;
};

uint32_t PixelFromColorref(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// Per channel: a * (100 - percent) + b * percent, over 100.
uint32_t Mix(uint32_t a, uint32_t b, uint32_t percent) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * (100 - percent) + cb * percent + 50) / 100) << shift;
  }
  return out;
}

// Straight colour with coverage -> premultiplied 0xAARRGGBB.
uint32_t Premultiply(uint32_t rgb, uint32_t coverage) {
  uint32_t out = coverage << 24;
  for (int shift = 0; shift < 24; shift += 8)
    out |= ((((rgb >> shift) & 0xFF) * coverage + 127) / 255) << shift;
  return out;
}

// Straight colour with coverage over an opaque colour.
uint32_t Over(uint32_t rgb, uint32_t coverage, uint32_t under) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t c = (rgb >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    out |= ((c * coverage + b * (255 - coverage) + 127) / 255) << shift;
  }
  return out;
}

class Composer {
 public:
  explicit Composer(const DrawRequest& r) : r_(r) {
    masked_ = (r.listFlags & ILC_MASK) || r.image.alpha;
    COLORREF bk = r.background == CLR_DEFAULT ? r.listBackground : r.background;
    transparent_ = masked_ && (bk == CLR_NONE || (r.style & ILD_TRANSPARENT));
    background_ = PixelFromColorref(bk);
    blendPercent_ = !masked_ ? 0 : (r.style & ILD_BLEND50) ? 50 : (r.style & ILD_BLEND25) ? 25 : 0;
    COLORREF fg = r.foreground == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : r.foreground;
    fadeOnly_ = fg == CLR_NONE;
    foreground_ = PixelFromColorref(fg);
  }

  // The output pixel (premultiplied) for image pixel i; sets *opaque false when not opaque.
  uint32_t Pixel(size_t i, bool* opaque) const {
    uint32_t src = r_.image.color[i];
    bool hidden = r_.image.mask[i] != 0;
    if (r_.style & ILD_MASK) return hidden ? 0xFFFFFFFF : 0xFF000000;
    if (r_.style & ILD_IMAGE) return src | 0xFF000000;
    uint32_t rgb = src & 0xFFFFFF;
    uint32_t coverage = r_.image.alpha ? src >> 24 : (masked_ && hidden ? 0 : 255);
    if (blendPercent_ && coverage) {
      if (fadeOnly_)
        coverage = (coverage * (100 - blendPercent_) + 50) / 100;
      else
        rgb = Mix(rgb, foreground_, blendPercent_);
    }
    if (!transparent_) return 0xFF000000 | Over(rgb, coverage, background_);
    if (coverage != 255) *opaque = false;
    return Premultiply(rgb, coverage);
  }

 private:
  const DrawRequest& r_;
  bool masked_ = false;
  bool transparent_ = false;
  bool fadeOnly_ = false;
  uint32_t background_ = 0;
  uint32_t foreground_ = 0;
  uint32_t blendPercent_ = 0;
};

bool CopyToDc(HDC hdc, int x, int y, const DrawRequest& r) {
  uint32_t* bits = nullptr;
  HBITMAP section = NewColorSection(r.width, r.height, &bits);
  HDC memory = section ? CreateCompatibleDC(hdc) : nullptr;
  if (!memory) {
    if (section) DeleteObject(section);
    return false;
  }
  DWORD layout = GetLayout(hdc);
  bool blitMirrors = (layout & LAYOUT_RTL) && !(layout & LAYOUT_BITMAPORIENTATIONPRESERVED);
  bool wantMirrored = (layout & LAYOUT_RTL) && (r.listFlags & ILC_MIRROR);
  bool flip = blitMirrors != wantMirrored;
  Composer composer(r);
  bool opaque = true;
  for (int row = 0; row < r.height; ++row)
    for (int col = 0; col < r.width; ++col) {
      int source = flip ? r.width - 1 - col : col;
      bits[size_t(row) * r.width + col] = composer.Pixel(size_t(row) * r.cx + source, &opaque);
    }
  HGDIOBJ old = SelectObject(memory, section);
  BOOL done = opaque ? BitBlt(hdc, x, y, r.width, r.height, memory, 0, 0, SRCCOPY)
                     : AlphaBlend(hdc, x, y, r.width, r.height, memory, 0, 0, r.width, r.height,
                                  BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(section);
  return done != FALSE;
}

}  // namespace

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy,
                      COLORREF rgbBk, COLORREF rgbFg, UINT fStyle) {
  DrawRequest request;
  {
    std::lock_guard<std::mutex> lock(ImageListLock());
    ImageList* list = ImageListLocked(himl);
    if (!list || i < 0 || size_t(i) >= list->images.size()) return FALSE;
    request.image = list->images[size_t(i)];
    request.cx = list->cx;
    request.listFlags = list->flags;
    request.listBackground = list->background;
    request.width = dx > 0 ? std::min(dx, list->cx) : list->cx;
    request.height = dy > 0 ? std::min(dy, list->cy) : list->cy;
  }
  request.background = rgbBk;
  request.foreground = rgbFg;
  request.style = fStyle;
  return CopyToDc(hdcDst, x, y, request) ? TRUE : FALSE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
  return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}
