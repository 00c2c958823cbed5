// One icon or cursor image from untrusted bytes: a BITMAPINFOHEADER entry (1, 4, 8, 16,
// 24 or 32 bits, uncompressed or bit fields, followed by its AND mask) or a PNG stream.
//
// Limits: images above kMaxIconSide (1024) a side are refused; a 32-bit image without
// its AND mask is accepted (the alpha decides), other depths need the mask.
#pragma once

#include "platform/gdi/icon/icon_object.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace talix::gdi {

// Null when the bytes are not a valid image.
std::shared_ptr<IconObject> DecodeIconImage(const uint8_t* data, size_t size);
// A resized copy (nearest neighbour; the hot spot scales along).
std::shared_ptr<IconObject> ScaleIcon(const IconObject& icon, int width, int height);
// The size LoadImageW-style flags ask for: 0 means the image's own size unless
// LR_DEFAULTSIZE asks for the system metric.
void RequestedIconSize(bool icon, int cx, int cy, UINT flags, int* outCx, int* outCy);

// An RT_ICON / RT_CURSOR resource's bytes (a cursor's start with its hot spot) as an
// icon of the requested size (RequestedIconSize); null when malformed.
std::shared_ptr<IconObject> IconFromResourceBytes(const uint8_t* bits, size_t size, bool icon,
                                                  int cx, int cy, UINT flags);
// The best-fitting image of a .ico / .cur file's bytes; null when malformed. Exported for
// the fuzz target.
TALIX_EXPORT std::shared_ptr<IconObject> IconFromFileBytes(const uint8_t* data, size_t size,
                                                           bool icon, int cx, int cy,
                                                           UINT flags);
// The depth the best-fit choice aims at: the display's, or 1 for LR_MONOCHROME.
int DisplayDepthFor(UINT flags);

}  // namespace talix::gdi
