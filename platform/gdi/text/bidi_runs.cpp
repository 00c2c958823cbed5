#include "platform/gdi/text/bidi_runs.h"

#include "platform/kernel/utf.h"

#include <fribidi.h>

#include <algorithm>

namespace talix::gdi {

namespace {

// Rule L2: from the highest level down to the lowest odd one, reverse every sequence of
// runs at that level or above.
void ReorderRuns(std::vector<BidiRun>& runs, const std::vector<int>& levels) {
  if (runs.empty()) return;
  int highest = *std::max_element(levels.begin(), levels.end());
  int lowestOdd = highest + 1;
  for (int level : levels)
    if (level % 2) lowestOdd = std::min(lowestOdd, level);
  std::vector<size_t> order(runs.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  for (int level = highest; level >= lowestOdd; --level) {
    for (size_t i = 0; i < order.size();) {
      if (levels[order[i]] < level) {
        ++i;
        continue;
      }
      size_t j = i;
      while (j < order.size() && levels[order[j]] >= level) ++j;
      std::reverse(order.begin() + ptrdiff_t(i), order.begin() + ptrdiff_t(j));
      i = j;
    }
  }
  std::vector<BidiRun> visual;
  for (size_t i : order) visual.push_back(runs[i]);
  runs.swap(visual);
}

}  // namespace

std::vector<BidiRun> VisualRuns(std::u16string_view text, bool rtlBase) {
  std::vector<FriBidiChar> codes;
  std::vector<size_t> offsets;  // UTF-16 offset of each code point
  for (size_t i = 0; i < text.size();) {
    offsets.push_back(i);
    codes.push_back(DecodeUtf16(text, i));
  }
  std::vector<BidiRun> runs;
  if (codes.empty()) return runs;
  auto count = FriBidiStrIndex(codes.size());
  std::vector<FriBidiCharType> types(codes.size());
  std::vector<FriBidiBracketType> brackets(codes.size());
  std::vector<FriBidiLevel> levels(codes.size());
  fribidi_get_bidi_types(codes.data(), count, types.data());
  fribidi_get_bracket_types(codes.data(), count, types.data(), brackets.data());
  FriBidiParType base = rtlBase ? FRIBIDI_PAR_RTL : FRIBIDI_PAR_LTR;
  if (!fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), count, &base,
                                           levels.data()))
    return {BidiRun{0, text.size(), rtlBase}};
  std::vector<int> runLevels;
  for (size_t i = 0; i < codes.size();) {
    size_t j = i + 1;
    while (j < codes.size() && levels[j] == levels[i]) ++j;
    size_t end = j < codes.size() ? offsets[j] : text.size();
    runs.push_back(BidiRun{offsets[i], end - offsets[i], (levels[i] & 1) != 0});
    runLevels.push_back(levels[i]);
    i = j;
  }
  ReorderRuns(runs, runLevels);
  return runs;
}

}  // namespace talix::gdi
