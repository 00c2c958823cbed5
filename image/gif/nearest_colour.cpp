// The colour cube is cut into 64x64x64 cells of 4 levels per channel. For each cell we
// keep, in index order, the palette entries that can be nearest to some colour inside
// it: those whose smallest possible distance to the cell is at most the smallest
// largest-distance of any entry. Every entry at the true minimum distance passes that
// test, so scanning the candidates in index order with the plain rule (strictly closer
// wins) finds the same lowest index as scanning the whole palette. Entries that another
// entry beats at every colour of the cell are dropped as well. Most cells keep a single
// candidate, stored in the cell itself.
//
// The table (1 MB of cells plus the lists) is built once, on first use, in two steps:
// cells of 8 levels first from the whole palette, then their eight sub-cells from the
// parent's candidates only (an entry nearest to a colour of the sub-cell is nearest to
// a colour of the parent, so it is among them).
#include "image/gif/nearest_colour.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace talix::gif {
namespace {

constexpr int kCellSpan = NearestColourTable::kCellSpan;

struct Box {
  int low[3];
  int span;
};

int NearestGap(int value, int low, int span) {
  int high = low + span - 1;
  int gap = value < low ? low - value : value > high ? value - high : 0;
  return gap * gap;
}
int FarthestGap(int value, int low, int span) {
  int gap = std::max(std::abs(value - low), std::abs(value - (low + span - 1)));
  return gap * gap;
}

// The entries of `from` that can be nearest to some colour in the box, in index order.
void Candidates(const Box& box, const std::vector<uint8_t>& from, std::vector<uint8_t>* out) {
  int bound = 1 << 30;
  for (uint8_t i : from) {
    uint32_t e = kFixedPalette[i];
    int far = FarthestGap(RedOf(e), box.low[0], box.span) +
              FarthestGap(GreenOf(e), box.low[1], box.span) +
              FarthestGap(BlueOf(e), box.low[2], box.span);
    bound = std::min(bound, far);
  }
  out->clear();
  for (uint8_t i : from) {
    uint32_t e = kFixedPalette[i];
    int near = NearestGap(RedOf(e), box.low[0], box.span) +
               NearestGap(GreenOf(e), box.low[1], box.span) +
               NearestGap(BlueOf(e), box.low[2], box.span);
    if (near <= bound) out->push_back(i);
  }
}

// True when entry q is strictly closer than entry p to every colour of the box. The
// difference of the squared distances is linear in the colour, so its least value over
// the box is at a corner, chosen channel by channel.
bool AlwaysCloser(uint32_t q, uint32_t p, const Box& box) {
  int pc[3] = {RedOf(p), GreenOf(p), BlueOf(p)}, qc[3] = {RedOf(q), GreenOf(q), BlueOf(q)};
  int least = 0;
  for (int c = 0; c < 3; ++c) {
    int slope = pc[c] - qc[c];
    int x = slope > 0 ? box.low[c] + box.span - 1 : box.low[c];
    least += pc[c] * pc[c] - qc[c] * qc[c] - 2 * x * slope;
  }
  return least > 0;
}

// Drops the candidates that another candidate beats everywhere in the box.
void DropDominated(const Box& box, std::vector<uint8_t>* list) {
  std::vector<uint8_t> kept;
  for (uint8_t p : *list) {
    bool dominated = false;
    for (uint8_t q : *list)
      if (q != p && AlwaysCloser(kFixedPalette[q], kFixedPalette[p], box)) {
        dominated = true;
        break;
      }
    if (!dominated) kept.push_back(p);
  }
  list->swap(kept);
}

}  // namespace

NearestColourTable::NearestColourTable()
    : cells_(size_t(kCellsPerAxis) * kCellsPerAxis * kCellsPerAxis) {
  std::vector<uint8_t> palette(256), parent, child;
  for (int i = 0; i < 256; ++i) palette[size_t(i)] = uint8_t(i);
  constexpr int kParentSpan = kCellSpan * 2;
  for (int r = 0; r < 256; r += kParentSpan)
    for (int g = 0; g < 256; g += kParentSpan)
      for (int b = 0; b < 256; b += kParentSpan) {
        Candidates(Box{{r, g, b}, kParentSpan}, palette, &parent);
        for (int sub = 0; sub < 8; ++sub) {
          Box box{{r + (sub & 1) * kCellSpan, g + (sub >> 1 & 1) * kCellSpan,
                   b + (sub >> 2) * kCellSpan}, kCellSpan};
          Candidates(box, parent, &child);
          DropDominated(box, &child);
          cells_[CellOf(box.low[0], box.low[1], box.low[2])] = Store(child);
        }
      }
}

uint32_t NearestColourTable::Store(const std::vector<uint8_t>& list) {
  if (list.size() == 1) return kDirect | list[0];
  uint32_t cell = uint32_t(candidates_.size()) << kCountBits | uint32_t(list.size());
  candidates_.insert(candidates_.end(), list.begin(), list.end());
  return cell;
}

const NearestColourTable& NearestColourTable::Get() {
  static const NearestColourTable table;
  return table;
}

int NearestIndex(int red, int green, int blue) {
  return NearestColourTable::Get().Nearest(red, green, blue);
}

}  // namespace talix::gif
