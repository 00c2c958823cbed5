// Copies of whole frames: Clone (a frame into another slot or index), CreateTiledBitmap (a
// frame repeated over a larger BT_BLENDED frame) and CreateBitmapFromBitmapSection (a part
// of any bitmap as a new one).
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"
#include "image/transform/slot_group.h"

#include <memory>

using talix::draw::OwnedObject;

int CNBitmapUtil::Clone(BitmapType sourceType, int sourceIndex, BitmapType targetType,
                        int targetIndex) {
  m_nLastError = QUO_OK;
  if (!IsSlot(sourceType) || !IsSlot(targetType)) return Fail(QUO_ERR_NO_SLOT, 0);
  int width = 0, height = 0;
  if (!GetBitmapHandle(sourceType, sourceIndex) ||
      !talix::image::HeaderSize(GetBitmapInfo(sourceType), &width, &height))
    return Fail(QUO_ERR_NO_IMAGE, 0);
  if (sourceType == targetType && sourceIndex == targetIndex) return Fail(QUO_ERR_FAILED, 0);
  if (!IsFrameIndex(targetIndex)) return Fail(QUO_ERR_PARAM4, 0);
  // Read before the target slot is touched: replacing it may delete the source's slot mates.
  std::unique_ptr<char[]> packed(GetBitmapDataNAAlloc(sourceType, sourceIndex));
  if (!packed) return Fail(QUO_ERR_NO_SLOT, 0);
  PrepareSlot(targetType, width, height);
  return CreateBitmapFromData(width, height, packed.get(), targetType, targetIndex) ? 1 : 0;
}

int CNBitmapUtil::CreateTiledBitmap(int width, int height, BitmapType type, int index) {
  if (width <= 0) return Fail(QUO_ERR_PARAM1, 0);
  if (height <= 0) return Fail(QUO_ERR_PARAM2, 0);
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  if (!RowSizeFor(width, height)) return Fail(QUO_ERR_PARAM1, 0);
  HBITMAP tile = GetBitmapHandle(type, index);
  int tileWidth = 0, tileHeight = 0;
  if (!tile || !talix::image::HeaderSize(GetBitmapInfo(type), &tileWidth, &tileHeight))
    return Fail(QUO_ERR_NO_IMAGE, 0);
  // The result replaces BT_BLENDED's frame at the index, which must not be the tile itself.
  if (type == BT_BLENDED) return Fail(QUO_ERR_FAILED, 0);

  OwnedObject<HBITMAP> tiled(talix::image::CompatibleBitmapLike(nullptr, width, height));
  if (!tiled.get()) return Fail(QUO_ERR_GDI, 0);
  bool copied = false;
  for (int y = 0; y < height; y += tileHeight)
    for (int x = 0; x < width; x += tileWidth)
      copied |= talix::image::CopyBetweenBitmaps(tiled.get(), x, y, tileWidth, tileHeight, tile, 0, 0);
  if (!copied) return Fail(QUO_ERR_GDI, 0);
  DeleteBitmap(BT_BLENDED, index);
  return InstallFrame(BT_BLENDED, index, tiled.release(), width, height) ? 1 : Fail(QUO_ERR_GDI, 0);
}

HBITMAP CNBitmapUtil::CreateBitmapFromBitmapSection(int x, int y, int width, int height,
                                                    HBITMAP bitmap) {
  if (width <= 0) return Fail<HBITMAP>(QUO_ERR_PARAM3, nullptr);
  if (height <= 0) return Fail<HBITMAP>(QUO_ERR_PARAM4, nullptr);
  if (!RowSizeFor(width, height)) return Fail<HBITMAP>(QUO_ERR_PARAM3, nullptr);
  if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return Fail<HBITMAP>(QUO_ERR_PARAM5, nullptr);
  OwnedObject<HBITMAP> part(talix::image::CompatibleBitmapLike(nullptr, width, height));
  if (!part.get() || !talix::image::CopyBetweenBitmaps(part.get(), 0, 0, width, height, bitmap, x, y))
    return Fail<HBITMAP>(QUO_ERR_GDI, nullptr);
  return part.release();
}
