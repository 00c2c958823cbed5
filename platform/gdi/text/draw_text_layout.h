// DrawTextW's text layout, apart from fonts and DCs: '&' prefixes, line breaks, word
// breaking to a width, tab stops and the three kinds of ellipsis. Widths come from a
// measuring function, so the logic is the same for drawing and DT_CALCRECT.
#pragma once

#include <win/text.h>

#include <functional>
#include <string>
#include <vector>

namespace talix::gdi {

// Each UTF-16 unit's advance in pixels (tabs are measured by the layout itself).
using MeasureFn = std::function<std::vector<int>(std::u16string_view)>;

struct TextLayoutInput {
  std::u16string text;
  UINT format = 0;
  int width = 0;     // of the formatting rectangle
  int tabWidth = 0;  // pixels between tab stops (DT_EXPANDTABS)
  MeasureFn measure;
};

struct LaidOutLine {
  std::u16string text;     // as displayed (prefix marks removed, ellipsis applied)
  int prefix = -1;         // the underlined character, or -1
  int width = 0;
  std::vector<int> tabStops;  // x where the segment after each tab starts
};

struct TextLayout {
  std::vector<LaidOutLine> lines;
  bool ellipsised = false;
};

inline constexpr char16_t kEllipsis[] = u"...";

TextLayout LayoutText(const TextLayoutInput& input);

// The text without '&' marks ("&&" is a literal '&') and the index of the character
// the last single '&' marks, or -1.
std::u16string StripPrefixes(std::u16string_view text, int* prefix);

}  // namespace talix::gdi
