// Icon and cursor directories: the group resources (RT_GROUP_ICON / RT_GROUP_CURSOR)
// and the headers of .ico / .cur files, read from untrusted bytes, and the choice of the
// entry that best fits a requested size and colour depth.
//
// Every count, size and offset is checked against the bytes given; a directory with no
// entries or more than kMaxDirEntries is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talix::gdi {

constexpr int kMaxDirEntries = 256;

struct IconDirEntry {
  int width = 0;   // pixels (a 0 byte in the header means 256)
  int height = 0;
  int bpp = 0;
  uint32_t bytes = 0;
  uint32_t idOrOffset = 0;  // resource id (groups) or image offset (files)
  int hotX = 0, hotY = 0;   // .cur files only
};

// A group resource (6-byte header, 14-byte entries). False when malformed.
bool ParseGroupDirectory(const uint8_t* data, size_t size, bool icon,
                         std::vector<IconDirEntry>* out);
// A .ico / .cur file header (6-byte header, 16-byte entries; offsets inside the file).
bool ParseFileDirectory(const uint8_t* data, size_t size, bool icon,
                        std::vector<IconDirEntry>* out);

// The index of the best entry: the largest size not above the request (else the nearest
// larger one), then the display's depth, else the deepest below it, else the shallowest.
// cx/cy must be positive.
int BestIconEntry(const std::vector<IconDirEntry>& entries, int cx, int cy, int displayBpp);

inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t ReadU32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace talix::gdi
