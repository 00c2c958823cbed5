// System colours: the classic scheme, the indices that name no colour, and SetSysColors.
#include <win/base.h>
#include <win/sysmetrics.h>

#include <gtest/gtest.h>

namespace {

TEST(SysColors, ClassicSchemeAndNothingOutsideTheTable) {
  struct Case {
    int index;
    COLORREF color;
  } cases[] = {
      {COLOR_BTNFACE, RGB(212, 208, 200)},  {COLOR_BTNTEXT, RGB(0, 0, 0)},
      {COLOR_GRAYTEXT, RGB(128, 128, 128)}, {COLOR_WINDOW, RGB(255, 255, 255)},
      {COLOR_HIGHLIGHT, RGB(10, 36, 106)},  {COLOR_3DDKSHADOW, RGB(64, 64, 64)},
      {COLOR_INFOBK, RGB(255, 255, 225)},   {COLOR_MENUBAR, RGB(212, 208, 200)},
  };
  for (const Case& c : cases) EXPECT_EQ(GetSysColor(c.index), c.color) << c.index;
  for (int index : {-1, 25, COLOR_MENUBAR + 1, 1000}) EXPECT_EQ(GetSysColor(index), 0u) << index;
  for (int index = 0; index <= COLOR_MENUBAR; ++index)
    EXPECT_EQ(GetSysColor(index) >> 24, 0u) << "a COLORREF has no high byte: " << index;
}

TEST(SysColors, SetSysColorsIsAllOrNothing) {
  COLORREF oldFace = GetSysColor(COLOR_BTNFACE), oldText = GetSysColor(COLOR_BTNTEXT);
  INT good[] = {COLOR_BTNFACE, COLOR_BTNTEXT};
  COLORREF colors[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
  ASSERT_TRUE(SetSysColors(2, good, colors));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), RGB(4, 5, 6));

  INT bad[] = {COLOR_BTNFACE, 25};
  COLORREF others[] = {RGB(9, 9, 9), RGB(9, 9, 9)};
  SetLastError(0);
  EXPECT_FALSE(SetSysColors(2, bad, others));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3)) << "nothing changes when one index is bad";
  EXPECT_FALSE(SetSysColors(1, nullptr, colors));

  COLORREF restore[] = {oldFace, oldText};
  ASSERT_TRUE(SetSysColors(2, good, restore));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), oldFace);
}

}  // namespace
