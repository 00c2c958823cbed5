#include "platform/gdi/region/span_region_builder.h"

#include "platform/gdi/region/region_internal.h"

#include <algorithm>

namespace talix::gdi {

void SpanRegionBuilder::AddRow(int32_t y, const Span* spans, size_t count) {
  bool sameAsBand =
      !band_.empty() && y == bandBottom_ && band_.size() == count &&
      std::equal(spans, spans + count, band_.begin(), [](const Span& a, const Span& b) {
        return a.left == b.left && a.right == b.right;
      });
  if (sameAsBand) {
    ++bandBottom_;
    return;
  }
  FlushBand();
  band_.assign(spans, spans + count);
  bandTop_ = y;
  bandBottom_ = y + 1;
}

void SpanRegionBuilder::FlushBand() {
  for (const Span& s : band_)
    boxes_.push_back(pixman_box32_t{s.left, bandTop_, s.right, bandBottom_});
  band_.clear();
}

bool SpanRegionBuilder::Finish(pixman_region32_t* out) {
  FlushBand();
  return InitRegionFromBoxes(out, boxes_);
}

}  // namespace talix::gdi
