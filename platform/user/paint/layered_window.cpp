// Layered windows: SetLayeredWindowAttributes, GetLayeredWindowAttributes and
// UpdateLayeredWindow.
//
// A WS_EX_LAYERED window is not shown until one of the two setters was called. After
// SetLayeredWindowAttributes the window paints as usual and the screen blends its
// surface with the alpha and colour key; UpdateLayeredWindow then fails until
// WS_EX_LAYERED is taken away and set again. UpdateLayeredWindow gives the window its
// pixels: they are copied from the source DC (32-bit, premultiplied when the blend asks
// for the source's alpha) and the window gets no WM_PAINT. Both need the style on a
// top-level window (ERROR_INVALID_PARAMETER otherwise).
//
// Limits: hdcDst is ignored (the screen is the only destination); ULW_EX_NORESIZE is
// not known.
#include "platform/gdi/dc/dc_access.h"
#include "platform/user/compose/screen_damage.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/update_region.h"

#include <win/paint.h>

using namespace talix;
using namespace talix::user;

namespace {

// The layered state of a top-level WS_EX_LAYERED window; null with the error set.
LayeredState* LayeredLocked(HWND hwnd, Window** out) {
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return nullptr;
  if (!(window->exStyle & WS_EX_LAYERED) || !window->parent || window->parent->parent) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  *out = window;
  return &CurrentLayeredLocked(*window, PaintStateLocked(*window));
}

RECT ShownRect(const Window& window) {
  return (window.style & WS_VISIBLE) ? window.rect : RECT{};
}

// Reads size.cx x size.cy pixels at `from` of the source DC as 32-bit words; false when
// the rectangle does not lie inside the DC's 32-bit surface.
bool ReadSource(HDC hdcSrc, POINT from, SIZE size, std::vector<uint32_t>* out) {
  RECT logical{from.x, from.y, from.x + size.cx, from.y + size.cy};
  RECT onSurface;
  gdi::Surface32 whole;
  if (!gdi::DcLogicalToSurface(hdcSrc, logical, &onSurface) || !gdi::DcSurface32(hdcSrc, &whole))
    return false;
  if (onSurface.left < 0 || onSurface.top < 0 || onSurface.right > whole.width ||
      onSurface.bottom > whole.height)
    return false;
  gdi::ScopedSurface32 pixels(hdcSrc, onSurface);
  if (!pixels.Valid()) return false;
  out->resize(size_t(size.cx) * size_t(size.cy));
  for (int y = 0; y < size.cy; ++y) {
    const uint32_t* row = pixels.Surface().Row(y);
    std::copy(row, row + size.cx, out->data() + size_t(y) * size_t(size.cx));
  }
  return true;
}

}  // namespace

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
  RECT changed{};
  PainterList wake;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = nullptr;
    LayeredState* layered = LayeredLocked(hwnd, &window);
    if (!layered) return FALSE;
    bool wasContent = layered->mode == LayeredMode::Content;
    *layered = LayeredState();
    layered->mode = LayeredMode::Attributes;
    layered->key = key;
    layered->alpha = alpha;
    layered->flags = flags & (LWA_ALPHA | LWA_COLORKEY);
    if (wasContent) RedrawLocked(*window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME |
                                                       RDW_ALLCHILDREN, &wake);
    changed = ShownRect(*window);
  }
  DamageScreen(changed);
  WakePainters(wake);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = nullptr;
  LayeredState* layered = LayeredLocked(hwnd, &window);
  if (!layered) return FALSE;
  if (layered->mode != LayeredMode::Attributes) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (key) *key = layered->key;
  if (alpha) *alpha = layered->alpha;
  if (flags) *flags = layered->flags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc,
                         POINT* pptSrc, COLORREF key, BLENDFUNCTION* blend, DWORD flags) {
  (void)hdcDst;
  RECT rect;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = nullptr;
    LayeredState* layered = LayeredLocked(hwnd, &window);
    if (!layered) return FALSE;
    if (layered->mode == LayeredMode::Attributes || (psize && (psize->cx < 0 || psize->cy < 0)) ||
        ((flags & ULW_ALPHA) && !blend)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    rect = window->rect;
  }
  SIZE size = psize ? *psize : SIZE{RectWidth(rect), RectHeight(rect)};
  auto pixels = std::make_shared<std::vector<uint32_t>>();
  if (hdcSrc && !ReadSource(hdcSrc, pptSrc ? *pptSrc : POINT{0, 0}, size, pixels.get())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  POINT at = pptDst ? *pptDst : POINT{rect.left, rect.top};
  if (at.x != rect.left || at.y != rect.top || size.cx != RectWidth(rect) ||
      size.cy != RectHeight(rect))
    SetWindowPos(hwnd, nullptr, at.x, at.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  RECT changed{};
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = nullptr;
    LayeredState* layered = LayeredLocked(hwnd, &window);
    if (!layered) return FALSE;
    layered->mode = LayeredMode::Content;
    layered->key = key;
    layered->flags = flags & (ULW_COLORKEY | ULW_ALPHA | ULW_OPAQUE);
    if (blend) layered->blend = *blend;
    if (hdcSrc) {
      layered->pixels = std::move(pixels);
      layered->width = size.cx;
      layered->height = size.cy;
    }
    changed = ShownRect(*window);
  }
  DamageScreen(changed);
  return TRUE;
}
