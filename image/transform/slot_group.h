// Small helpers shared by the transforms: the slots of a group, frame sizes, the GDI
// copies between frames and device contexts.
#pragma once

#include "image/NBitmapUtil.h"

namespace talix::image {

using Slot = CNBitmapUtil::BitmapType;

// The slot `base` (BT_IMAGE..BT_BLENDED) of the plain group (resized == 0) or of the
// resized group (any other value).
inline Slot GroupSlot(int resized, Slot base) {
  return static_cast<Slot>(resized ? base + 4 : base);
}

// A slot's width and height from its header; false when it has none.
inline bool HeaderSize(const BITMAPINFO* header, int* width, int* height) {
  if (!header) return false;
  *width = header->bmiHeader.biWidth;
  *height = header->bmiHeader.biHeight;
  return *width > 0 && *height > 0;
}

// A new bitmap of width x height compatible with `reference` (the screen when NULL).
HBITMAP CompatibleBitmapLike(HBITMAP reference, int width, int height);

// BitBlt SRCCOPY of source (sx, sy, w, h) to target (x, y) between two bitmaps.
bool CopyBetweenBitmaps(HBITMAP target, int x, int y, int width, int height, HBITMAP source,
                        int sx, int sy);

}  // namespace talix::image
