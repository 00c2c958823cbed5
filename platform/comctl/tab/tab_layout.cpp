// Tab layout: rows filled left to right, stretched or ragged, rotated for the selection.
#include "platform/comctl/tab/tab_layout.h"

#include <algorithm>
#include <cstdint>

namespace talix::comctl::tab {
namespace {

// Coordinates are kept within this bound, whatever sizes and counts a caller sets.
constexpr long long kMaxCoordinate = 1 << 28;

LONG Clamped(long long v) {
  return LONG(v < -kMaxCoordinate ? -kMaxCoordinate : v > kMaxCoordinate ? kMaxCoordinate : v);
}

int MarginX(LONG style) { return IsButtons(style) ? 0 : kTabMarginX; }
int Gap(LONG style) { return IsButtons(style) ? kButtonGap : 0; }

// Places the tabs in rows from left to right: x in rects[i].left/right, rows in rowOf.
void FillRows(const LayoutInput& in, Layout* out) {
  const int margin = MarginX(in.style), gap = Gap(in.style);
  const int limit = in.clientWidth - margin;
  const bool wrap = IsMultiLine(in.style);
  long long x = margin;
  int row = 0;
  bool rowEmpty = true;
  for (size_t i = 0; i < in.widths.size(); ++i) {
    long long w = std::max(0, in.widths[i]);
    if (wrap && !rowEmpty && x + w > limit) {
      ++row;
      x = margin;
    }
    out->rects[i] = RECT{Clamped(x), 0, Clamped(x + w), 0};
    out->rowOf[i] = row;
    x += w + gap;
    rowEmpty = false;
  }
  out->rows = row + 1;
}

// Widens the tabs of each row so the row ends at the control's right margin; the pixels
// left over from an even share go to the row's last tab.
void StretchRows(const LayoutInput& in, Layout* out) {
  const int limit = in.clientWidth - MarginX(in.style);
  const size_t count = out->rects.size();
  for (size_t first = 0; first < count;) {
    size_t end = first;
    while (end < count && out->rowOf[end] == out->rowOf[first]) ++end;
    int extra = limit - out->rects[end - 1].right;
    int n = int(end - first);
    if (extra > 0) {
      int share = extra / n, shift = 0;
      for (size_t i = first; i < end; ++i) {
        int grow = share + (i + 1 == end ? extra - share * n : 0);
        out->rects[i].left += shift;
        shift += grow;
        out->rects[i].right += shift;
      }
    }
    first = end;
  }
}

// Single line: moves the row left so that `firstVisible` is the first tab in view.
void ScrollRow(const LayoutInput& in, Layout* out) {
  if (in.firstVisible <= 0 || size_t(in.firstVisible) >= out->rects.size()) return;
  int dx = out->rects[size_t(in.firstVisible)].left - MarginX(in.style);
  for (RECT& r : out->rects) {
    r.left -= dx;
    r.right -= dx;
  }
}

// Which place from the panel outwards (0 = against it) row `row` takes.
int PlaceOfRow(const LayoutInput& in, const Layout& layout, int row) {
  if (IsButtons(in.style)) return layout.rows - 1 - row;  // buttons keep their order
  if (in.selected < 0 || size_t(in.selected) >= layout.rowOf.size()) return row;
  int selectedRow = layout.rowOf[size_t(in.selected)];
  return (row - selectedRow + layout.rows) % layout.rows;
}

void PlaceRowsVertically(const LayoutInput& in, Layout* out) {
  const bool buttons = IsButtons(in.style);
  const int step = in.itemHeight + Gap(in.style);
  const int top = buttons ? 0 : kTabMarginY;
  out->bandHeight = Clamped(top + (long long)out->rows * step);
  for (size_t i = 0; i < out->rects.size(); ++i) {
    int place = PlaceOfRow(in, *out, out->rowOf[i]);
    RECT& r = out->rects[i];
    r.top = Clamped(top + (long long)(out->rows - 1 - place) * step);
    r.bottom = Clamped((long long)r.top + in.itemHeight);
    if (in.style & TCS_BOTTOM) {
      LONG oldTop = r.top;
      r.top = in.clientHeight - r.bottom;
      r.bottom = in.clientHeight - oldTop;
    }
  }
}

// Single line: the scroll arrows sit at the right end of the row when the row has been
// scrolled or runs past the control's right edge.
void PlaceArrows(const LayoutInput& in, Layout* out) {
  if (out->rects.empty()) return;
  bool overflow = in.firstVisible > 0 || out->rects.back().right > in.clientWidth;
  if (!overflow) return;
  const RECT& row = out->rects.front();
  out->arrows = RECT{in.clientWidth - 2 * in.itemHeight, row.top, in.clientWidth, row.bottom};
}

}  // namespace

Layout ComputeLayout(const LayoutInput& in) {
  Layout out;
  out.rects.resize(in.widths.size());
  out.rowOf.resize(in.widths.size());
  FillRows(in, &out);
  if (IsMultiLine(in.style)) {
    if (out.rows > 1 && !(in.style & TCS_RAGGEDRIGHT)) StretchRows(in, &out);
  } else {
    ScrollRow(in, &out);
  }
  PlaceRowsVertically(in, &out);
  if (!IsMultiLine(in.style)) PlaceArrows(in, &out);
  return out;
}

void AdjustDisplayRect(LONG style, int bandHeight, bool toWindow, RECT* rect) {
  const long long inset = IsButtons(style) ? 0 : kDisplayInset;
  const long long sign = toWindow ? -1 : 1;
  const long long nearSide = sign * (bandHeight + inset), farSide = sign * inset;
  // A caller's rectangle may lie anywhere: the sums saturate instead of wrapping.
  auto move = [](LONG& side, long long by) {
    long long v = (long long)side + by;
    side = LONG(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
  };
  move(rect->left, farSide);
  move(rect->right, -farSide);
  move(rect->top, (style & TCS_BOTTOM) ? farSide : nearSide);
  move(rect->bottom, (style & TCS_BOTTOM) ? -nearSide : -farSide);
}

RECT PanelRect(LONG style, int bandHeight, int width, int height) {
  if (style & TCS_BOTTOM) return RECT{0, 0, width, height - bandHeight};
  return RECT{0, bandHeight, width, height};
}

}  // namespace talix::comctl::tab
