// CQuorLib's horizontal mirroring of bitmaps: result pixel (x, y) = source pixel
// (w - 1 - x, y). A plain copy into a memory DC with right-to-left layout flips the image,
// so both operations are one BitBlt into such a DC; the screen DC is the reference DC.
#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"

using namespace talix::draw;

namespace {

// Copies `source` (size `size`) flipped left to right into `target`; false on failure.
bool CopyMirrored(HDC screen, HBITMAP source, HBITMAP target, const SIZE& size) {
  SelectedDc from(screen, source);
  SelectedDc to(screen, target);
  if (!from.ok() || !to.ok()) return false;
  if (SetLayout(to.get(), LAYOUT_RTL) == GDI_ERROR) return false;
  return BitBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, SRCCOPY) != FALSE;
}

}  // namespace

HBITMAP CQuorLib::CreateMirroredBitmap(HBITMAP bitmap) {
  SIZE size;
  if (!QueryBitmapSize(bitmap, &size)) return nullptr;
  ScreenDc screen;
  if (!screen.get()) return nullptr;
  OwnedObject<HBITMAP> result(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!result.get() || !CopyMirrored(screen.get(), bitmap, result.get(), size)) return nullptr;
  return result.release();
}

int CQuorLib::MirrorBitmap(HBITMAP bitmap) {
  SIZE size;
  if (!QueryBitmapSize(bitmap, &size)) return FALSE;
  ScreenDc screen;
  if (!screen.get()) return FALSE;
  OwnedObject<HBITMAP> flipped(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!flipped.get() || !CopyMirrored(screen.get(), bitmap, flipped.get(), size)) return FALSE;
  // Both DCs in left-to-right layout: a straight copy back over the argument.
  SelectedDc from(screen.get(), flipped.get());
  SelectedDc to(screen.get(), bitmap);
  if (!from.ok() || !to.ok()) return FALSE;
  return BitBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, SRCCOPY) ? TRUE : FALSE;
}
