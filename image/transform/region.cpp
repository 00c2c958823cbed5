// BitmapToRegion of a stored frame: the frame's pixels that do not match the key colour
// (0x00RRGGBB, with a per-channel tolerance) as a region the caller owns.
#include "frame/QuorLib.h"
#include "image/NBitmapUtil.h"

HRGN CNBitmapUtil::BitmapToRegion(BitmapType type, int index, unsigned long keyColor,
                                  unsigned long tolerance) {
  if (!IsSlot(type)) return Fail<HRGN>(QUO_ERR_NO_SLOT, nullptr);
  HBITMAP frame = GetBitmapHandle(type, index);
  if (!frame || !GetBitmapInfo(type)) return Fail<HRGN>(QUO_ERR_NO_IMAGE, nullptr);
  // The pixel values CQuorLib's region builder compares are the frame's 0x00RRGGBB values.
  HRGN region = CQuorLib::BitmapToRegion(frame, keyColor, tolerance);
  return region ? region : Fail<HRGN>(QUO_ERR_GDI, nullptr);
}
