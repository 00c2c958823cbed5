// Fast nearest-colour lookup over the fixed palette, with exactly the answers of
// NearestIndexReference for every colour.
#pragma once

#include "image/gif/fixed_palette.h"

#include <vector>

namespace talix::gif {

TALIX_EXPORT int NearestIndex(int red, int green, int blue);

// The table behind NearestIndex, for callers that look up many colours in a loop.
class TALIX_EXPORT NearestColourTable {
 public:
  static constexpr int kCellShift = 2;
  static constexpr int kCellSpan = 1 << kCellShift;
  static constexpr int kCellsPerAxis = 256 >> kCellShift;

  static const NearestColourTable& Get();  // built on first use

  int Nearest(int red, int green, int blue) const {
    uint32_t cell = cells_[CellOf(red, green, blue)];
    return cell & kDirect ? int(cell & 0xFF) : Scan(cell, red, green, blue);
  }

 private:
  static constexpr uint32_t kDirect = 0x80000000u;  // the cell holds its only candidate
  static constexpr int kCountBits = 9;              // up to 256 candidates

  NearestColourTable();
  static size_t CellOf(int red, int green, int blue) {
    return (size_t(red >> kCellShift) * kCellsPerAxis + size_t(green >> kCellShift)) *
               kCellsPerAxis + size_t(blue >> kCellShift);
  }
  uint32_t Store(const std::vector<uint8_t>& list);
  int Scan(uint32_t cell, int red, int green, int blue) const;

  std::vector<uint32_t> cells_;
  std::vector<uint8_t> candidates_;
};

}  // namespace talix::gif
