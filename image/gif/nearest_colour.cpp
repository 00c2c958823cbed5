// The colour cube is cut into 32x32x32 cells of 8 levels per channel. For each cell we
// keep, in index order, the palette entries that can be nearest to some colour inside
// it: those whose smallest possible distance to the cell is at most the smallest
// largest-distance of any entry. Every entry at the true minimum distance passes that
// test, so scanning the candidates in index order with the plain rule (strictly closer
// wins) finds the same lowest index as scanning the whole palette. Most cells keep one
// or two candidates. The table (about 100 KB) is built once, on first use.
#include "image/gif/nearest_colour.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace talix::gif {
namespace {

constexpr int kCellShift = 3;
constexpr int kCellSpan = 1 << kCellShift;
constexpr int kCellsPerAxis = 256 >> kCellShift;

// Squared distance from value to the nearest / farthest point of [low, low + span - 1].
int NearestGap(int value, int low) {
  int high = low + kCellSpan - 1;
  int gap = value < low ? low - value : value > high ? value - high : 0;
  return gap * gap;
}
int FarthestGap(int value, int low) {
  int gap = std::max(std::abs(value - low), std::abs(value - (low + kCellSpan - 1)));
  return gap * gap;
}

class CandidateTable {
 public:
  CandidateTable() {
    starts_.resize(size_t(kCellsPerAxis) * kCellsPerAxis * kCellsPerAxis + 1);
    size_t cell = 0;
    for (int r = 0; r < 256; r += kCellSpan)
      for (int g = 0; g < 256; g += kCellSpan)
        for (int b = 0; b < 256; b += kCellSpan) {
          starts_[cell++] = uint32_t(candidates_.size());
          AddCandidates(r, g, b);
        }
    starts_[cell] = uint32_t(candidates_.size());
  }

  int Nearest(int red, int green, int blue) const {
    size_t cell = (size_t(red >> kCellShift) * kCellsPerAxis + size_t(green >> kCellShift)) *
                      kCellsPerAxis + size_t(blue >> kCellShift);
    const uint8_t* first = candidates_.data() + starts_[cell];
    const uint8_t* last = candidates_.data() + starts_[cell + 1];
    if (last - first == 1) return *first;
    int best = 200000;
    int bestIndex = *first;
    for (const uint8_t* p = first; p != last; ++p) {
      int distance = ColourDistance(kFixedPalette[*p], red, green, blue);
      if (distance < best) {
        best = distance;
        bestIndex = *p;
        if (distance == 0) break;
      }
    }
    return bestIndex;
  }

 private:
  void AddCandidates(int r, int g, int b) {
    int nearest[256];
    int bound = 1 << 30;
    for (int i = 0; i < 256; ++i) {
      uint32_t e = kFixedPalette[i];
      nearest[i] = NearestGap(RedOf(e), r) + NearestGap(GreenOf(e), g) + NearestGap(BlueOf(e), b);
      int farthest = FarthestGap(RedOf(e), r) + FarthestGap(GreenOf(e), g) + FarthestGap(BlueOf(e), b);
      bound = std::min(bound, farthest);
    }
    for (int i = 0; i < 256; ++i)
      if (nearest[i] <= bound) candidates_.push_back(uint8_t(i));
  }

  std::vector<uint32_t> starts_;
  std::vector<uint8_t> candidates_;
};

}  // namespace

int NearestIndex(int red, int green, int blue) {
  static const CandidateTable table;
  return table.Nearest(red, green, blue);
}

}  // namespace talix::gif
