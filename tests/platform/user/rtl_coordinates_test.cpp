// Right-to-left windows: children inherit the layout, sit where the mirrored parent puts
// them, and every mapping (GetWindowRect, ClientToScreen, ScreenToClient,
// MapWindowPoints, painting on the screen) agrees on where that is.
#include "user_test_support.h"

namespace talix::testing {
namespace {

class RtlTest : public UserTest {
 protected:
  // A borderless right-to-left parent at (100, 100), 300x200, with a child placed at
  // (10, 20) 50x40 in its mirrored client coordinates.
  void MakePair(DWORD parentExStyle = WS_EX_LAYOUTRTL) {
    parent_ = CreateWindowExW(parentExStyle, kRecordingClass, u"", WS_POPUP | WS_VISIBLE, 100,
                              100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
    child_ = CreateWindowExW(0, kRecordingClass, u"", WS_CHILD | WS_VISIBLE, 10, 20, 50, 40,
                             parent_, nullptr, nullptr, nullptr);
    ASSERT_NE(child_, nullptr);
  }
  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
    UserTest::TearDown();
  }
  HWND parent_ = nullptr;
  HWND child_ = nullptr;
};

TEST_F(RtlTest, ChildrenInheritTheLayoutUnlessTheParentSaysNo) {
  MakePair();
  EXPECT_TRUE(GetWindowLongPtrW(child_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  DestroyWindow(parent_);
  MakePair(WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT);
  EXPECT_FALSE(GetWindowLongPtrW(child_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
}

TEST_F(RtlTest, ChildIsPlacedFromTheParentsRightEdge) {
  MakePair();
  RECT r;
  ASSERT_TRUE(GetWindowRect(child_, &r));
  EXPECT_EQ(r.left, 100 + 300 - 60);
  EXPECT_EQ(r.right, 100 + 300 - 10);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.bottom, 160);
}

TEST_F(RtlTest, PointMappingsAgree) {
  MakePair();
  struct Case {
    HWND hwnd;
    POINT client;
    POINT screen;
  } const cases[] = {
      {parent_, {0, 0}, {399, 100}},    // client column 0 is the rightmost column
      {parent_, {299, 199}, {100, 299}},
      {child_, {0, 0}, {389, 120}},
      {child_, {49, 39}, {340, 159}},
  };
  for (const Case& c : cases) {
    POINT p = c.client;
    ASSERT_TRUE(ClientToScreen(c.hwnd, &p));
    EXPECT_EQ(p.x, c.screen.x) << c.client.x;
    EXPECT_EQ(p.y, c.screen.y) << c.client.y;
    ASSERT_TRUE(ScreenToClient(c.hwnd, &p));
    EXPECT_EQ(p.x, c.client.x);
    EXPECT_EQ(p.y, c.client.y);
  }
  // Between two mirrored windows the mapping keeps its direction: a plain offset.
  POINT p{5, 6};
  MapWindowPoints(child_, parent_, &p, 1);
  EXPECT_EQ(p.x, 15);
  EXPECT_EQ(p.y, 26);
}

TEST_F(RtlTest, RectanglesStayRectanglesWhenTheDirectionChanges) {
  MakePair();
  RECT r{0, 0, 50, 40};  // the child's client area
  MapWindowPoints(child_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  RECT expected;
  ASSERT_TRUE(GetWindowRect(child_, &expected));
  EXPECT_EQ(r.left, expected.left);
  EXPECT_EQ(r.right, expected.right);
  EXPECT_EQ(r.top, expected.top);
  EXPECT_EQ(r.bottom, expected.bottom);
  MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 50);
}

TEST_F(RtlTest, ChildPaintsWhereItIsOnTheScreen) {
  MakePair();
  HDC dc = GetDC(child_);
  ASSERT_NE(dc, nullptr);
  RECT all{0, 0, 50, 40};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  DeleteObject(red);
  ReleaseDC(child_, dc);
  host::CapturedImage screen;
  ASSERT_TRUE(host::CaptureScreen(&screen));
  EXPECT_EQ(screen.At(345, 125) & 0xFFFFFF, 0xFF0000u) << "inside the mirrored child";
  EXPECT_NE(screen.At(115, 125) & 0xFFFFFF, 0xFF0000u) << "where an unmirrored child would be";
}

}  // namespace
}  // namespace talix::testing
