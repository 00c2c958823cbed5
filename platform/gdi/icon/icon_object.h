// The icon/cursor object: its pixels held as planes of its own (a 32-bit colour plane and
// an AND mask), so that the caller's bitmaps can be deleted after CreateIconIndirect and
// GetIconInfo can hand out fresh copies.
//
// Monochrome icons (no colour bitmap) keep their XOR half as a black-and-white colour
// plane and remember that they had no colour bitmap. Icons larger than kMaxIconSide a
// side are refused.
#pragma once

#include "platform/kernel/handle_table.h"

#include <win/icon.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace talix::gdi {

constexpr int kMaxIconSide = 1024;

struct IconObject {
  int width = 0;
  int height = 0;
  bool isIcon = true;
  POINT hotspot{0, 0};
  bool hasColorBitmap = true;  // false: monochrome, the mask bitmap is double height
  bool hasAlpha = false;       // the colour plane's alpha bytes are meaningful
  bool shared = false;         // LR_SHARED and system icons: DestroyIcon leaves them
  std::vector<uint32_t> color; // 0xAARRGGBB, row-major, top row first
  std::vector<uint8_t> mask;   // 1 = keep the destination (transparent)

  // Sets the size and sizes the planes; false when the size is refused.
  bool Resize(int w, int h);
  // True when any alpha byte is non-zero.
  bool ColorHasAlpha() const;
};

TALIX_EXPORT HandleTable<IconObject>& Icons();

// Registers an icon; null (ERROR_NOT_ENOUGH_MEMORY) when the table is full.
TALIX_EXPORT HICON AddIcon(std::shared_ptr<IconObject> icon);
// The icon behind a handle, or null with ERROR_INVALID_CURSOR_HANDLE.
TALIX_EXPORT std::shared_ptr<IconObject> IconOrError(HICON icon);

// Reads a bitmap (any depth) as 0xAARRGGBB pixels; false for a bad handle. Alpha is
// kept only for 32-bit DIB sections (compatible bitmaps have none).
bool ReadBitmapPixels(HBITMAP bitmap, int* width, int* height, std::vector<uint32_t>* out);
// New bitmaps holding an icon's planes, as GetIconInfo returns them: a monochrome mask
// (double height for monochrome icons) and a colour bitmap (a 32-bit DIB section when
// the icon has alpha, else a compatible bitmap), null for monochrome icons.
bool MakeIconBitmaps(const IconObject& icon, HBITMAP* mask, HBITMAP* color);

}  // namespace talix::gdi
