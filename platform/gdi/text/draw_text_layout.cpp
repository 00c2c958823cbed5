#include "platform/gdi/text/draw_text_layout.h"

#include <algorithm>
#include <numeric>

namespace talix::gdi {

namespace {

constexpr UINT kEllipsisFlags = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;

bool IsBreakSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// Advances with tab characters advanced to the next stop.
std::vector<int> Advances(const TextLayoutInput& in, std::u16string_view text) {
  std::vector<int> advances = in.measure(text);
  if (!(in.format & DT_EXPANDTABS) || in.tabWidth <= 0) return advances;
  int x = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\t') advances[i] = in.tabWidth - x % in.tabWidth;
    x += advances[i];
  }
  return advances;
}

int Sum(const std::vector<int>& v, size_t from, size_t to) {
  return std::accumulate(v.begin() + ptrdiff_t(from), v.begin() + ptrdiff_t(to), 0);
}

// How many leading characters fit in `width` (at least one when any are left).
size_t FitCount(const std::vector<int>& advances, size_t from, int width) {
  int x = 0;
  size_t i = from;
  while (i < advances.size() && x + advances[i] <= width) x += advances[i++];
  return std::max<size_t>(i - from, advances.size() > from ? 1 : 0);
}

// Splits one paragraph into lines no wider than the width, breaking after spaces where
// possible and inside a word only when the word alone is too wide.
std::vector<std::pair<size_t, size_t>> WrapParagraph(const TextLayoutInput& in,
                                                     std::u16string_view para) {
  std::vector<std::pair<size_t, size_t>> lines;
  std::vector<int> advances = Advances(in, para);
  size_t start = 0;
  while (start < para.size()) {
    size_t fit = FitCount(advances, start, in.width);
    size_t end = start + fit;
    if (end < para.size() && !IsBreakSpace(para[end])) {
      size_t space = end;
      while (space > start && !IsBreakSpace(para[space - 1])) --space;
      if (space > start) end = space;
    }
    size_t trimmed = end;
    while (trimmed > start && IsBreakSpace(para[trimmed - 1])) --trimmed;
    lines.emplace_back(start, trimmed);
    start = end;
    while (start < para.size() && IsBreakSpace(para[start])) ++start;
  }
  if (lines.empty()) lines.emplace_back(0, 0);
  return lines;
}

// The longest head of `text` that fits with `tail` after it.
size_t HeadThatFits(const std::vector<int>& advances, int budget) {
  size_t k = 0;
  int x = 0;
  while (k < advances.size() && x + advances[k] <= budget) x += advances[k++];
  return k;
}

std::u16string EndEllipsis(const TextLayoutInput& in, std::u16string_view text, bool words) {
  std::vector<int> advances = Advances(in, text);
  int ellipsis = Sum(in.measure(kEllipsis), 0, 3);
  size_t k = HeadThatFits(advances, in.width - ellipsis);
  if (words) {
    size_t space = k;
    while (space > 0 && !IsBreakSpace(text[space - 1])) --space;
    if (space > 0 && k < text.size() && !IsBreakSpace(text[k])) k = space;
    while (k > 0 && IsBreakSpace(text[k - 1])) --k;
  }
  return std::u16string(text.substr(0, k)) + kEllipsis;
}

// Keeps the part after the last path separator and drops characters before it.
std::u16string PathEllipsis(const TextLayoutInput& in, std::u16string_view text) {
  size_t slash = text.find_last_of(u"\\/");
  if (slash == std::u16string_view::npos || slash == 0) return EndEllipsis(in, text, false);
  std::u16string tail = std::u16string(kEllipsis) + std::u16string(text.substr(slash));
  int tailWidth = Sum(Advances(in, tail), 0, tail.size());
  if (tailWidth > in.width) return EndEllipsis(in, tail, false);
  std::vector<int> advances = Advances(in, text.substr(0, slash));
  size_t k = HeadThatFits(advances, in.width - tailWidth);
  return std::u16string(text.substr(0, k)) + tail;
}

void Ellipsise(const TextLayoutInput& in, LaidOutLine* line, bool* changed) {
  if (line->width <= in.width) return;
  if (in.format & DT_PATH_ELLIPSIS) line->text = PathEllipsis(in, line->text);
  else line->text = EndEllipsis(in, line->text, (in.format & DT_WORD_ELLIPSIS) != 0);
  if (line->prefix >= int(line->text.size()) - 3) line->prefix = -1;
  *changed = true;
}

void Measure(const TextLayoutInput& in, LaidOutLine* line) {
  std::vector<int> advances = Advances(in, line->text);
  line->width = 0;
  line->tabStops.clear();
  for (size_t i = 0; i < advances.size(); ++i) {
    line->width += advances[i];
    if (line->text[i] == u'\t' && (in.format & DT_EXPANDTABS)) line->tabStops.push_back(line->width);
  }
}

}  // namespace

std::u16string StripPrefixes(std::u16string_view text, int* prefix) {
  std::u16string out;
  *prefix = -1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'&') {
      out += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == u'&') {
      out += u'&';
      ++i;
    } else if (i + 1 < text.size()) {
      *prefix = int(out.size());
    }
  }
  return out;
}

TextLayout LayoutText(const TextLayoutInput& in) {
  TextLayout layout;
  int prefix = -1;
  std::u16string text = in.format & DT_NOPREFIX ? in.text : StripPrefixes(in.text, &prefix);
  // Paragraphs end at CR LF, CR or LF (single-line text keeps them as characters).
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = in.format & DT_SINGLELINE ? text.size() : text.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string_view para(text.data() + start, end - start);
    std::vector<std::pair<size_t, size_t>> pieces{{0, para.size()}};
    if ((in.format & DT_WORDBREAK) && !(in.format & DT_SINGLELINE)) pieces = WrapParagraph(in, para);
    for (auto [from, to] : pieces) {
      LaidOutLine line;
      line.text = std::u16string(para.substr(from, to - from));
      int at = prefix - int(start + from);
      if (prefix >= 0 && at >= 0 && at < int(line.text.size())) line.prefix = at;
      Measure(in, &line);
      if (in.format & kEllipsisFlags) {
        Ellipsise(in, &line, &layout.ellipsised);
        Measure(in, &line);
      }
      layout.lines.push_back(std::move(line));
    }
    if (end >= text.size()) break;
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
  return layout;
}

}  // namespace talix::gdi
