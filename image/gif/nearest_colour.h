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

  int Nearest(int red, int green, int blue) const { return InHand()(red, green, blue); }

  // The lookup over the table's arrays, inlined whole into loops over pixels: a loop that
  // stores bytes would otherwise fetch the arrays from the table again for every pixel.
  struct Lookup {
    const uint32_t* cells;
    const uint8_t* candidates;
    int operator()(int red, int green, int blue) const {
      const uint32_t cell = cells[CellOf(red, green, blue)];
      if (cell & kDirect) return int(cell & 0xFF);
      const uint8_t* first = candidates + (cell >> kCountBits);
      return ScanList(first, first + (cell & kCountMask), red, green, blue);
    }
  };
  Lookup InHand() const { return Lookup{cells_.data(), candidates_.data()}; }

 private:
  static constexpr uint32_t kDirect = 0x80000000u;  // the cell holds its only candidate
  static constexpr int kCountBits = 9;              // up to 256 candidates
  static constexpr uint32_t kCountMask = (1u << kCountBits) - 1;

  NearestColourTable();
  static size_t CellOf(int red, int green, int blue) {
    return (size_t(red >> kCellShift) * kCellsPerAxis + size_t(green >> kCellShift)) *
               kCellsPerAxis + size_t(blue >> kCellShift);
  }
  uint32_t Store(const std::vector<uint8_t>& list);
  // The plain rule over the candidates [first, last): strictly closer wins.
  static int ScanList(const uint8_t* first, const uint8_t* last, int red, int green, int blue) {
    int best = 200000;
    int bestIndex = *first;
    for (const uint8_t* p = first; p != last; ++p) {
      const int distance = ColourDistance(kFixedPalette[*p], red, green, blue);
      if (distance < best) {
        best = distance;
        bestIndex = *p;
        if (distance == 0) break;
      }
    }
    return bestIndex;
  }

  std::vector<uint32_t> cells_;
  std::vector<uint8_t> candidates_;
};

}  // namespace talix::gif
