// Where a tip goes on the screen.
#include "platform/comctl/tooltip/tooltip_state.h"

#include <algorithm>

namespace talix::comctl::tooltip {
namespace {

// The arrow of the standard cursor ends about five eighths of the way down its cell: a
// tip that far below the hot spot starts just under the visible arrow.
int BelowArrow() { return GetSystemMetrics(SM_CYCURSOR) * 5 / 8; }

RECT WorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

RECT ToolScreenRect(const Tool& tool) {
  RECT r = tool.rect;
  if (tool.flags & TTF_IDISHWND) GetClientRect(tool.Window(), &r);
  MapWindowPoints(tool.Window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

// Where the top-left corner of a tip of `size` goes: tracking tips at the track point
// (exactly with TTF_ABSOLUTE), TTF_CENTERTIP tips centred below the tool, others below
// the cursor's arrow; above instead when there is no room below; then moved onto the work
// area.
POINT TipPlacement(const TooltipState& s, const Tool& tool, SIZE size) {
  if (s.tracking && (tool.flags & TTF_ABSOLUTE)) return s.trackPoint;
  RECT work = WorkArea();
  POINT pos;
  if (s.tracking) {
    pos = s.trackPoint;
  } else if (tool.flags & TTF_CENTERTIP) {
    RECT r = ToolScreenRect(tool);
    pos = POINT{(r.left + r.right - size.cx) / 2, r.bottom};
    if (pos.y + size.cy > work.bottom) pos.y = r.top - size.cy;
  } else {
    POINT cursor{};
    GetCursorPos(&cursor);
    pos = POINT{cursor.x, cursor.y + BelowArrow()};
    if (pos.y + size.cy > work.bottom) pos.y = cursor.y - size.cy;
  }
  pos.x = std::max<LONG>(work.left, std::min<LONG>(pos.x, work.right - size.cx));
  pos.y = std::max<LONG>(work.top, std::min<LONG>(pos.y, work.bottom - size.cy));
  return pos;
}

}  // namespace talix::comctl::tooltip
