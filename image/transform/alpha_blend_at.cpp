// AlphaBlendBitmapsBGPos: the blend of AlphaBlendBitmaps over the image-sized part of a
// larger background that starts at (x, y).
//
// The part is copied into a temporary slot record that stands in for the background slot
// during the blend; the slot's own record is put back afterwards. The part must lie inside
// the background: x + image width and y + image height past its edge are refused
// (QUO_ERR_PARAM2 / QUO_ERR_PARAM3) rather than read outside it.
#include "image/NBitmapUtil.h"
#include "image/transform/slot_group.h"

#include <memory>
#include <new>
#include <utility>

using talix::image::GroupSlot;

int CNBitmapUtil::AlphaBlendBitmapsBGPos(int mode, int x, int y, int resized, int index) {
  if (x < 0) return Fail(QUO_ERR_PARAM2, -1);
  if (y < 0) return Fail(QUO_ERR_PARAM3, -1);
  const BitmapType imageSlot = GroupSlot(resized, BT_IMAGE);
  const BitmapType backSlot = GroupSlot(resized, BT_BACKGROUND);
  int imageWidth = 0, imageHeight = 0, backWidth = 0, backHeight = 0;
  if (!talix::image::HeaderSize(GetBitmapInfo(imageSlot), &imageWidth, &imageHeight) ||
      !talix::image::HeaderSize(GetBitmapInfo(backSlot), &backWidth, &backHeight))
    return Fail(QUO_ERR_NO_IMAGE, -1);
  if (backWidth < imageWidth || backHeight < imageHeight)
    return AlphaBlendBitmaps(mode, resized, index);
  if (x > backWidth - imageWidth) return Fail(QUO_ERR_PARAM2, -1);
  if (y > backHeight - imageHeight) return Fail(QUO_ERR_PARAM3, -1);
  HBITMAP background = GetBitmapHandle(backSlot, index);
  if (!background) return Fail(QUO_ERR_NO_BACKGROUND, -1);

  std::unique_ptr<CNBitmap> part(new (std::nothrow) CNBitmap);
  if (!part) return Fail(QUO_ERR_FAILED, -1);
  part->m_pBitmapInfo = MakeHeader(imageWidth, imageHeight);
  part->m_nRowSize = RowSizeFor(imageWidth, imageHeight);
  part->m_nImageSize = part->m_nRowSize * imageHeight;
  part->m_hBitmap[index] = talix::image::CompatibleBitmapLike(background, imageWidth, imageHeight);
  if (!part->m_pBitmapInfo || !part->m_hBitmap[index] ||
      !talix::image::CopyBetweenBitmaps(part->m_hBitmap[index], 0, 0, imageWidth, imageHeight,
                                        background, x, y))
    return Fail(QUO_ERR_GDI, -1);

  // The part stands in for the background slot only for this blend.
  CNBitmap* own = std::exchange(m_pBitmaps[backSlot], part.get());
  const int rows = AlphaBlendBitmaps(mode, resized, index);
  m_pBitmaps[backSlot] = own;
  return rows;
}
