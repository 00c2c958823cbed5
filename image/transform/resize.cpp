// Resize and ResizeRelative: a GDI stretch of a whole frame of slot n (0..3) into the same
// frame index of slot n + 4.
//
// Quality 1 stretches with HALFTONE (the platform's box filter), anything else with
// COLORONCOLOR (nearest neighbour). A target frame of the requested size is reused, so
// resizing a sequence of frames to one size keeps the handles. Between the store's own
// frames (24-bit sections) the box filter runs directly on their rows (box_resize.h, the
// same bytes as the stretch); other frames go through StretchBlt.
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"
#include "image/transform/box_resize.h"
#include "image/transform/frame_bits.h"
#include "image/transform/slot_group.h"

#include <cmath>
#include <climits>

using talix::draw::ScreenDc;
using talix::draw::SelectedDc;

namespace {

// The box filter between two frames in place; false when either is not a reachable section.
bool BoxFilterInPlace(HBITMAP target, int width, int height, HBITMAP source, int sourceWidth,
                      int sourceHeight) {
  talix::image::FrameBits from, to;
  if (!from.Attach(source, sourceWidth, sourceHeight) || !to.Attach(target, width, height))
    return false;
  return talix::image::BoxResize({from.Row(0), sourceWidth, sourceHeight, from.RowStep()},
                                 {to.Row(0), width, height, to.RowStep()});
}

bool StretchWhole(HBITMAP target, int width, int height, HBITMAP source, int sourceWidth,
                  int sourceHeight, int quality) {
  if (quality == 1 && BoxFilterInPlace(target, width, height, source, sourceWidth, sourceHeight))
    return true;
  ScreenDc screen;
  SelectedDc to(screen.get(), target), from(screen.get(), source);
  if (!to.ok() || !from.ok()) return false;
  if (quality == 1) {
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
  } else {
    SetStretchBltMode(to.get(), COLORONCOLOR);
  }
  return StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, sourceWidth, sourceHeight,
                    SRCCOPY) != FALSE;
}

}  // namespace

int CNBitmapUtil::Resize(BitmapType type, int index, int width, int height, int quality) {
  if (width <= 0) return Fail(QUO_ERR_PARAM2, 0);
  if (height <= 0) return Fail(QUO_ERR_PARAM3, 0);
  if (type < BT_IMAGE || type > BT_BLENDED) return Fail(QUO_ERR_NO_SLOT, 0);
  if (!RowSizeFor(width, height)) return Fail(QUO_ERR_PARAM2, 0);
  HBITMAP source = GetBitmapHandle(type, index);
  int sourceWidth = 0, sourceHeight = 0;
  if (!source || !talix::image::HeaderSize(GetBitmapInfo(type), &sourceWidth, &sourceHeight))
    return Fail(QUO_ERR_NO_IMAGE, 0);

  const auto target = static_cast<BitmapType>(type + 4);
  PrepareSlot(target, width, height);
  HBITMAP frame = GetBitmapHandle(target, index);
  if (!frame) {
    frame = talix::image::CompatibleBitmapLike(source, width, height);
    if (!frame) return Fail(QUO_ERR_GDI, 0);
    if (!InstallFrame(target, index, frame, width, height)) return Fail(QUO_ERR_GDI, 0);
  }
  if (!StretchWhole(frame, width, height, source, sourceWidth, sourceHeight, quality))
    return Fail(QUO_ERR_GDI, 0);
  return 1;
}

int CNBitmapUtil::ResizeRelative(BitmapType type, int index, int widthPercent,
                                 int heightPercent, int quality) {
  if (widthPercent <= 0) return Fail(QUO_ERR_PARAM2, 0);
  if (heightPercent <= 0) return Fail(QUO_ERR_PARAM3, 0);
  if (type < BT_IMAGE || type > BT_BLENDED) return Fail(QUO_ERR_NO_SLOT, 0);
  int width = 0, height = 0;
  if (!talix::image::HeaderSize(GetBitmapInfo(type), &width, &height))
    return Fail(QUO_ERR_NO_IMAGE, 0);
  const double scaledWidth = widthPercent / 100.0 * width;
  const double scaledHeight = heightPercent / 100.0 * height;
  // Sizes past an int are refused by Resize's own size limit; keep the conversion defined.
  const int newWidth = scaledWidth >= INT_MAX ? INT_MAX : int(scaledWidth);
  const int newHeight = scaledHeight >= INT_MAX ? INT_MAX : int(scaledHeight);
  return Resize(type, index, newWidth, newHeight, quality);
}
