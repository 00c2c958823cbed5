// MirrorSection: flips a rectangle of a frame in place, horizontally, vertically or both.
//
// The rectangle is stretched with negative extents into a temporary 24-bit section of its
// size (which flips it) and copied back with BitBlt. The rectangle must lie inside the
// frame; flags other than 0 count as 1.
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"
#include "image/transform/slot_group.h"

using talix::draw::OwnedObject;
using talix::draw::ScreenDc;
using talix::draw::SelectedDc;

namespace {

// Stretches (x, y, w, h) of `frame` flipped into `temporary` (w x h).
bool CopyFlipped(HBITMAP temporary, HBITMAP frame, int x, int y, int width, int height,
                 bool horizontal, bool vertical) {
  ScreenDc screen;
  SelectedDc to(screen.get(), temporary), from(screen.get(), frame);
  if (!to.ok() || !from.ok()) return false;
  SetStretchBltMode(to.get(), COLORONCOLOR);
  // A negative extent covers the pixels from its origin towards smaller coordinates, so a
  // flipped axis starts at the far edge of the temporary section.
  return StretchBlt(to.get(), horizontal ? width : 0, vertical ? height : 0,
                    horizontal ? -width : width, vertical ? -height : height, from.get(), x, y,
                    width, height, SRCCOPY) != FALSE;
}

}  // namespace

int CNBitmapUtil::MirrorSection(BitmapType type, int index, int x, int y, int width, int height,
                                int flipHorizontally, int flipVertically) {
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  HBITMAP frame = GetBitmapHandle(type, index);
  int frameWidth = 0, frameHeight = 0;
  if (!frame || !talix::image::HeaderSize(GetBitmapInfo(type), &frameWidth, &frameHeight))
    return Fail(QUO_ERR_NO_IMAGE, 0);
  if (x < 0 || x >= frameWidth) return Fail(QUO_ERR_PARAM3, 0);
  if (y < 0 || y >= frameHeight) return Fail(QUO_ERR_PARAM4, 0);
  if (width <= 0 || width > frameWidth - x) return Fail(QUO_ERR_PARAM5, 0);
  if (height <= 0 || height > frameHeight - y) return Fail(QUO_ERR_PARAM6, 0);

  OwnedObject<HBITMAP> temporary(CreateFrameSection(width, height, nullptr));
  if (!temporary.get()) return Fail(QUO_ERR_GDI, 0);
  if (!CopyFlipped(temporary.get(), frame, x, y, width, height, flipHorizontally != 0,
                   flipVertically != 0) ||
      !talix::image::CopyBetweenBitmaps(frame, x, y, width, height, temporary.get(), 0, 0))
    return Fail(QUO_ERR_GDI, 0);
  return 1;
}
