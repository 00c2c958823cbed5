// GDI bitmaps made from image-list planes, and icons rendered into planes.
#pragma once

#include "platform/comctl/imagelist/image_list.h"

namespace talix::comctl {

// A 32-bit top-down DIB section; `bits` receives its pixels (0xAARRGGBB).
HBITMAP NewColorSection(int width, int height, uint32_t** bits);
// A monochrome bitmap: mask value 1 is a white (1) bit.
HBITMAP NewMaskBitmap(const uint8_t* mask, int width, int height);
// Renders an icon at the list's size; false for a bad icon.
bool RenderIcon(const ImageList& list, HICON icon, ListImage* out);

}  // namespace talix::comctl
