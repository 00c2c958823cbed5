// Bidirectional runs: the text split into runs of one embedding level, in visual order.
#pragma once

#include <string_view>
#include <vector>

namespace talix::gdi {

struct BidiRun {
  size_t start = 0;  // UTF-16 offsets
  size_t length = 0;
  bool rtl = false;
};

// The runs of a paragraph (FriBidi levels, rule L2 reordering), left to right.
std::vector<BidiRun> VisualRuns(std::u16string_view text, bool rtlBase);

}  // namespace talix::gdi
