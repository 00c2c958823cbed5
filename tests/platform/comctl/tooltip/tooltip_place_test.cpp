// Where the tip goes: below the cursor, centred below the tool with TTF_CENTERTIP, above
// the cursor when there is no room below, and always inside the work area.
#include "tooltip_fixture.h"

namespace talix::testing {
namespace {

RECT WorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

enum class Where { BelowCursor, CentredBelowTool, AboveCursor, LeftOfRightEdge };
struct PlaceCase {
  const char* name;
  UINT flags;
  int parentRightGap;   // from the work area's right edge; 0 leaves the parent in place
  int parentBottomGap;  // from the work area's bottom edge; 0 leaves the parent in place
  Where where;
};

class TooltipPlaceTest : public TooltipTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(TooltipPlaceTest, TipIsPlacedNearThePointerOnTheWorkArea) {
  const PlaceCase& c = GetParam();
  RECT work = WorkArea();
  RECT frame;
  GetWindowRect(parent_, &frame);
  int x = c.parentRightGap ? work.right - c.parentRightGap - (kToolX + kToolW) : frame.left;
  int y = c.parentBottomGap ? work.bottom - c.parentBottomGap - (kToolY + kToolH) : frame.top;
  SetWindowPos(parent_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS | c.flags,
                      u"A tip wide enough to reach past the right edge of the screen"));
  MoveTo(tool_, kToolW - 2, kToolH - 2);
  Advance(InitialDelay());
  ASSERT_TRUE(TipVisible());
  RECT tip = TipRect(), tool;
  GetWindowRect(tool_, &tool);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_GE(tip.left, work.left);
  EXPECT_LE(tip.right, work.right);
  EXPECT_GE(tip.top, work.top);
  EXPECT_LE(tip.bottom, work.bottom);
  switch (c.where) {
    case Where::BelowCursor:
      EXPECT_EQ(tip.left, cursor.x);
      EXPECT_GT(tip.top, cursor.y);
      break;
    case Where::CentredBelowTool:
      EXPECT_NEAR((tip.left + tip.right) / 2, (tool.left + tool.right) / 2, 1);
      EXPECT_EQ(tip.top, tool.bottom);
      break;
    case Where::AboveCursor: EXPECT_LE(tip.bottom, cursor.y); break;
    case Where::LeftOfRightEdge: EXPECT_EQ(tip.right, work.right); break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, TooltipPlaceTest,
    ::testing::Values(PlaceCase{"BelowCursor", 0, 0, 0, Where::BelowCursor},
                      PlaceCase{"CentreTip", TTF_CENTERTIP, 0, 0, Where::CentredBelowTool},
                      PlaceCase{"NoRoomBelow", 0, 0, 2, Where::AboveCursor},
                      PlaceCase{"NoRoomRight", 0, 5, 0, Where::LeftOfRightEdge}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talix::testing
