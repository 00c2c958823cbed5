// Hit-testing: the default frame answers, windows under a point (regions, transparent,
// disabled and mirrored windows), ChildWindowFromPointEx's flags.
#include "input_test_support.h"

namespace talix::testing {
namespace {

LRESULT HitAt(HWND hwnd, int x, int y) { return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)); }

TEST_F(InputTest, DefaultHitTestFollowsTheFrame) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  RECT w;
  GetWindowRect(hwnd, &w);
  const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
  const int button = GetSystemMetrics(SM_CXSIZE);
  const int midX = (w.left + w.right) / 2, midY = (w.top + w.bottom) / 2;
  const int captionY = w.top + fy + GetSystemMetrics(SM_CYCAPTION) / 2;
  struct Case {
    const char* name;
    int x, y;
    LRESULT expected;
  } cases[] = {
      {"client", midX, midY, HTCLIENT},
      {"left edge", w.left + 1, midY, HTLEFT},
      {"right edge", w.right - 1, midY, HTRIGHT},
      {"top edge", midX, w.top + 1, HTTOP},
      {"bottom edge", midX, w.bottom - 1, HTBOTTOM},
      {"top-left corner", w.left + 1, w.top + 1, HTTOPLEFT},
      {"top-right corner", w.right - 1, w.top + 1, HTTOPRIGHT},
      {"bottom-left corner", w.left + 1, w.bottom - 1, HTBOTTOMLEFT},
      {"bottom-right corner", w.right - 1, w.bottom - 1, HTBOTTOMRIGHT},
      {"caption", midX, captionY, HTCAPTION},
      {"system menu", w.left + fx + 2, captionY, HTSYSMENU},
      {"close", w.right - fx - 2, captionY, HTCLOSE},
      {"maximize", w.right - fx - button - 2, captionY, HTMAXBUTTON},
      {"minimize", w.right - fx - 2 * button - 2, captionY, HTMINBUTTON},
      {"outside", w.right + 5, midY, HTNOWHERE},
  };
  for (const Case& c : cases) EXPECT_EQ(HitAt(hwnd, c.x, c.y), c.expected) << c.name;

  HWND bordered = Make(WS_POPUP | WS_BORDER | WS_VISIBLE, 600, 100, 100, 100);
  EXPECT_EQ(HitAt(bordered, 600, 150), HTBORDER);
  EXPECT_EQ(HitAt(bordered, 650, 150), HTCLIENT);
  DestroyWindow(bordered);
  DestroyWindow(hwnd);
}

TEST_F(InputTest, WindowFromPointLooksBelowTransparentAnswersAndClickThroughWindows) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND lower = Make(WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, top);
  HWND upper = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);  // above `lower`
  HWND lone = Make(WS_CHILD | WS_VISIBLE, 150, 150, 20, 20, top);
  Answers()[{upper, WM_NCHITTEST}] = HTTRANSPARENT;
  Answers()[{lone, WM_NCHITTEST}] = HTTRANSPARENT;
  EXPECT_EQ(WindowFromPoint(POINT{20, 20}), lower);
  EXPECT_EQ(WindowFromPoint(POINT{155, 155}), top);
  EXPECT_EQ(RealChildWindowFromPoint(top, POINT{20, 20}), lower);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{20, 20}), upper);
  SeenLog().clear();
  host::Click(20, 20);
  Pump();
  EXPECT_EQ(Take({WM_LBUTTONDOWN}), (std::vector<Step>{{lower, WM_LBUTTONDOWN}}));

  HWND ghost = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, WS_EX_LAYERED | WS_EX_TRANSPARENT);
  EXPECT_EQ(WindowFromPoint(POINT{80, 80}), lower) << "layered and transparent: clicks pass";
  EXPECT_EQ(WindowFromPoint(POINT{500, 500}), nullptr);
  DestroyWindow(ghost);
  DestroyWindow(top);
}

TEST_F(InputTest, ChildWindowFromPointExSkipsWhatTheFlagsSay) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 100);
  HWND hidden = Make(WS_CHILD, 0, 0, 50, 50, top);
  HWND disabled = Make(WS_CHILD | WS_VISIBLE | WS_DISABLED, 100, 0, 50, 50, top);
  HWND clear = Make(WS_CHILD | WS_VISIBLE, 200, 0, 50, 50, top, WS_EX_TRANSPARENT);
  struct Case {
    int x;
    UINT flags;
    HWND expected;
  } cases[] = {
      {10, CWP_ALL, hidden},         {10, CWP_SKIPINVISIBLE, top},
      {110, CWP_ALL, disabled},      {110, CWP_SKIPDISABLED, top},
      {210, CWP_ALL, clear},         {210, CWP_SKIPTRANSPARENT, top},
      {290, CWP_ALL, top},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{c.x, 10}, c.flags), c.expected) << c.x << " " << c.flags;
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{400, 10}, CWP_ALL), nullptr) << "outside the parent";
  DestroyWindow(top);
}

TEST_F(InputTest, ChildrenOfAMirroredParentArePlacedFromItsRightEdge) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, WS_EX_LAYOUTRTL);
  // Screen x 160..189. (Children inherit the mirrored layout in CreateWindowExW; given here.)
  HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, top, WS_EX_LAYOUTRTL);
  EXPECT_EQ(WindowFromPoint(POINT{170, 20}), child);
  EXPECT_EQ(WindowFromPoint(POINT{20, 20}), top);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 15}), child);
  SeenLog().clear();
  host::Click(185, 20);
  host::Click(195, 20);
  Pump();
  const Seen* onChild = Find(child, WM_LBUTTONDOWN);
  ASSERT_NE(onChild, nullptr);
  EXPECT_EQ(GET_X_LPARAM(onChild->lParam), 4) << "client x runs right to left";
  const Seen* onTop = Find(top, WM_LBUTTONDOWN);
  ASSERT_NE(onTop, nullptr);
  EXPECT_EQ(GET_X_LPARAM(onTop->lParam), 4);
  DestroyWindow(top);
}

TEST_F(InputTest, PointsOutsideAWindowRegionFallThrough) {
  HWND below = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND shaped = Make(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
  ASSERT_TRUE(SetWindowRgn(shaped, CreateRectRgn(0, 0, 50, 50), FALSE));  // the window owns it now
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), shaped);
  EXPECT_EQ(WindowFromPoint(POINT{120, 120}), below);
  SeenLog().clear();
  host::Click(120, 120);
  Pump();
  EXPECT_EQ(Take({WM_LBUTTONDOWN}), (std::vector<Step>{{below, WM_LBUTTONDOWN}}));
  DestroyWindow(shaped);
  DestroyWindow(below);
}

}  // namespace
}  // namespace talix::testing
