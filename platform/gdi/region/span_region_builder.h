// Builds a pixman region from rows of spans, joining runs of identical rows into one band.
#pragma once

#include "platform/gdi/region/region_shapes.h"

#include <pixman.h>

#include <vector>

namespace talix::gdi {

class SpanRegionBuilder {
 public:
  // Rows must come top to bottom, as the shape generators deliver them.
  void AddRow(int32_t y, const Span* spans, size_t count);
  // Initialises *out with the collected rows; false (out empty) when memory runs out.
  bool Finish(pixman_region32_t* out);

  SpanRowSink Sink() {
    return [this](int32_t y, const Span* spans, size_t count) {
      AddRow(y, spans, count);
      return true;
    };
  }

 private:
  void FlushBand();

  std::vector<pixman_box32_t> boxes_;
  std::vector<Span> band_;  // spans of the band being collected
  int32_t bandTop_ = 0;
  int32_t bandBottom_ = 0;
};

}  // namespace talix::gdi
