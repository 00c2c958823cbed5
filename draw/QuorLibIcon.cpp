// CQuorLib's icon operations: an icon mirrored left to right, and an icon drawn into a
// new screen-compatible bitmap. The icon's own bitmaps (the copies GetIconInfo hands out)
// serve only for its size and are deleted at once; icons without a colour bitmap
// (monochrome icons) are refused.
#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"

using namespace talix::draw;

namespace {

// The icon's information with its bitmaps already deleted, and the colour bitmap's size;
// false for an icon without information or without a colour bitmap.
bool QueryIcon(HICON icon, ICONINFO* info, SIZE* size) {
  *info = ICONINFO{};
  if (!icon || !GetIconInfo(icon, info)) return false;
  const bool sized = info->hbmColor && QueryBitmapSize(info->hbmColor, size);
  if (info->hbmColor) DeleteObject(info->hbmColor);
  if (info->hbmMask) DeleteObject(info->hbmMask);
  info->hbmColor = info->hbmMask = nullptr;
  return sized && size->cx > 0 && size->cy > 0;
}

// Draws one part of the icon into the bitmap through a right-to-left DC, which flips it.
bool DrawMirrored(HDC screen, HBITMAP target, HICON icon, const SIZE& size, UINT part) {
  SelectedDc dc(screen, target);
  if (!dc.ok() || SetLayout(dc.get(), LAYOUT_RTL) == GDI_ERROR) return false;
  return DrawIconEx(dc.get(), 0, 0, icon, size.cx, size.cy, 0, nullptr, part) != FALSE;
}

}  // namespace

HICON CQuorLib::CreateMirroredIcon(HICON icon) {
  ICONINFO info;
  SIZE size;
  if (!QueryIcon(icon, &info, &size)) return nullptr;
  ScreenDc screen;
  if (!screen.get()) return nullptr;
  OwnedObject<HBITMAP> color(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  OwnedObject<HBITMAP> mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
  if (!color.get() || !mask.get()) return nullptr;
  if (!DrawMirrored(screen.get(), color.get(), icon, size, DI_IMAGE) ||
      !DrawMirrored(screen.get(), mask.get(), icon, size, DI_MASK))
    return nullptr;
  // The hot spot and the icon/cursor flag stay as they were; CreateIconIndirect copies the
  // bitmaps, so the new ones are deleted with the scope.
  info.hbmColor = color.get();
  info.hbmMask = mask.get();
  return CreateIconIndirect(&info);
}

HBITMAP CQuorLib::IconToBitmap(HICON icon, unsigned int drawIconFlags) {
  ICONINFO info;
  SIZE size;
  if (!QueryIcon(icon, &info, &size)) return nullptr;
  ScreenDc screen;
  if (!screen.get()) return nullptr;
  OwnedObject<HBITMAP> result(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!result.get()) return nullptr;
  {
    // Not cleared first: what the flags leave undrawn keeps a new bitmap's content (black),
    // and a draw the flags make impossible leaves the whole bitmap so.
    SelectedDc dc(screen.get(), result.get());
    if (!dc.ok()) return nullptr;
    DrawIconEx(dc.get(), 0, 0, icon, size.cx, size.cy, 0, nullptr, drawIconFlags);
  }
  return result.release();
}
