// CreateIconIndirect, GetIconInfo, CopyIcon, DestroyIcon and DestroyCursor.
#include "platform/gdi/icon/icon_object.h"

#include <win/errors.h>

#include <algorithm>

using namespace talix;
using namespace talix::gdi;

namespace {

// The icon's planes from the caller's bitmaps: a colour bitmap with a same-sized mask, or
// a double-height monochrome mask (AND half above the XOR half).
bool ReadPlanes(const ICONINFO& info, IconObject* icon) {
  int mw = 0, mh = 0;
  std::vector<uint32_t> mask;
  if (!ReadBitmapPixels(info.hbmMask, &mw, &mh, &mask)) return false;
  if (!info.hbmColor) {
    if (!icon->Resize(mw, mh / 2)) return false;
    icon->hasColorBitmap = false;
    size_t n = icon->mask.size();
    for (size_t i = 0; i < n; ++i) {
      icon->mask[i] = (mask[i] & 0xFFFFFF) != 0;
      icon->color[i] = mask[n + i] & 0xFFFFFF ? 0xFFFFFF : 0;
    }
    return true;
  }
  int cw = 0, ch = 0;
  std::vector<uint32_t> color;
  if (!ReadBitmapPixels(info.hbmColor, &cw, &ch, &color) || !icon->Resize(cw, ch)) return false;
  icon->color = std::move(color);
  // A mask smaller than the colour bitmap leaves the rest opaque.
  for (int y = 0; y < std::min(ch, mh); ++y)
    for (int x = 0; x < std::min(cw, mw); ++x)
      icon->mask[size_t(y) * cw + x] = (mask[size_t(y) * mw + x] & 0xFFFFFF) != 0;
  icon->hasAlpha = icon->ColorHasAlpha();
  return true;
}

}  // namespace

HICON CreateIconIndirect(PICONINFO piconinfo) {
  if (!piconinfo || !piconinfo->hbmMask) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto icon = std::make_shared<IconObject>();
  if (!ReadPlanes(*piconinfo, icon.get())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  icon->isIcon = piconinfo->fIcon != FALSE;
  // An icon's hot spot is its centre; a cursor's is the caller's.
  icon->hotspot = icon->isIcon ? POINT{icon->width / 2, icon->height / 2}
                               : POINT{LONG(piconinfo->xHotspot), LONG(piconinfo->yHotspot)};
  return AddIcon(std::move(icon));
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
  auto icon = IconOrError(hIcon);
  if (!icon) return FALSE;
  if (!piconinfo) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HBITMAP mask = nullptr, color = nullptr;
  if (!MakeIconBitmaps(*icon, &mask, &color)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  piconinfo->fIcon = icon->isIcon;
  piconinfo->xHotspot = DWORD(icon->hotspot.x);
  piconinfo->yHotspot = DWORD(icon->hotspot.y);
  piconinfo->hbmMask = mask;
  piconinfo->hbmColor = color;
  return TRUE;
}

HICON CopyIcon(HICON hIcon) {
  auto icon = IconOrError(hIcon);
  if (!icon) return nullptr;
  auto copy = std::make_shared<IconObject>(*icon);
  copy->shared = false;
  return AddIcon(std::move(copy));
}

BOOL DestroyIcon(HICON hIcon) {
  auto icon = IconOrError(hIcon);
  if (!icon) return FALSE;
  // Shared icons belong to the system (or the module's cache) and stay.
  if (!icon->shared) Icons().Take(ValueOfHandle(hIcon));
  return TRUE;
}

BOOL DestroyCursor(HCURSOR hCursor) { return DestroyIcon(hCursor); }
