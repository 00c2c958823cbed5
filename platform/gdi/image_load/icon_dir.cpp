#include "platform/gdi/image_load/icon_dir.h"

#include <cstdlib>

namespace talix::gdi {

namespace {

// Depth from the colour count when the bit count is left 0.
int DepthOf(int bitCount, int colorCount) {
  if (bitCount) return bitCount;
  if (colorCount == 0) return 8;  // 256 colours or more are written as 0
  int bpp = 1;
  while ((1 << bpp) < colorCount && bpp < 8) ++bpp;
  return bpp;
}

bool ParseHeader(const uint8_t* data, size_t size, bool icon, size_t entrySize, int* count) {
  if (!data || size < 6 || ReadU16(data) != 0 || ReadU16(data + 2) != (icon ? 1 : 2)) return false;
  *count = ReadU16(data + 4);
  return *count > 0 && *count <= kMaxDirEntries && size >= 6 + entrySize * size_t(*count);
}

}  // namespace

bool ParseGroupDirectory(const uint8_t* data, size_t size, bool icon,
                         std::vector<IconDirEntry>* out) {
  int count = 0;
  if (!ParseHeader(data, size, icon, 14, &count)) return false;
  out->clear();
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + 14 * size_t(i);
    IconDirEntry entry;
    if (icon) {
      entry.width = e[0] ? e[0] : 256;
      entry.height = e[1] ? e[1] : 256;
      entry.bpp = DepthOf(ReadU16(e + 6), e[2]);
    } else {  // cursors store 16-bit sizes, the height doubled for the mask
      entry.width = ReadU16(e);
      entry.height = ReadU16(e + 2) / 2;
      entry.bpp = DepthOf(ReadU16(e + 6), 0);
    }
    entry.bytes = ReadU32(e + 8);
    entry.idOrOffset = ReadU16(e + 12);
    out->push_back(entry);
  }
  return true;
}

bool ParseFileDirectory(const uint8_t* data, size_t size, bool icon,
                        std::vector<IconDirEntry>* out) {
  int count = 0;
  if (!ParseHeader(data, size, icon, 16, &count)) return false;
  out->clear();
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + 16 * size_t(i);
    IconDirEntry entry;
    entry.width = e[0] ? e[0] : 256;
    entry.height = e[1] ? e[1] : 256;
    if (icon) {
      entry.bpp = DepthOf(ReadU16(e + 6), e[2]);
    } else {  // the planes and bit count fields hold the hot spot
      entry.hotX = ReadU16(e + 4);
      entry.hotY = ReadU16(e + 6);
      entry.bpp = DepthOf(0, e[2]);
    }
    entry.bytes = ReadU32(e + 8);
    entry.idOrOffset = ReadU32(e + 12);
    if (entry.idOrOffset > size || entry.bytes > size - entry.idOrOffset) return false;
    out->push_back(entry);
  }
  return true;
}

int BestIconEntry(const std::vector<IconDirEntry>& entries, int cx, int cy, int displayBpp) {
  // Size first: the closest that fits inside the request, else the closest overall.
  int best = -1;
  long bestDistance = 0;
  bool bestFits = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    const IconDirEntry& e = entries[i];
    bool fits = e.width <= cx && e.height <= cy;
    long distance = std::labs(long(cx) - e.width) + std::labs(long(cy) - e.height);
    if (best < 0 || (fits && !bestFits) || (fits == bestFits && distance < bestDistance)) {
      best = int(i);
      bestDistance = distance;
      bestFits = fits;
    }
  }
  if (best < 0) return -1;
  // Then depth among the entries of that size.
  int w = entries[best].width, h = entries[best].height;
  auto better = [&](int a, int b) {  // is depth a a better choice than depth b?
    if (a == b) return false;
    if (b == displayBpp) return false;
    if (a == displayBpp) return true;
    bool aBelow = a < displayBpp, bBelow = b < displayBpp;
    if (aBelow != bBelow) return aBelow;
    return aBelow ? a > b : a < b;
  };
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].width == w && entries[i].height == h && better(entries[i].bpp, entries[best].bpp))
      best = int(i);
  return best;
}

}  // namespace talix::gdi
