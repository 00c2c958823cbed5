// Mouse input: the path of a click, mouse activation, capture, double clicks, the wheel.
#include "input_test_support.h"

#include <thread>

namespace talix::testing {
namespace {

const std::set<UINT> kClickPath = {WM_NCHITTEST, WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE,
                                   WM_KILLFOCUS, WM_SETFOCUS, WM_SETCURSOR, WM_LBUTTONDOWN,
                                   WM_LBUTTONUP};

TEST_F(InputTest, ClickOnAChildOfAnInactiveWindowActivatesItThenDeliversThePress) {
  HWND back = Make(WS_POPUP | WS_VISIBLE, 300, 100, 200, 150);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 20, 30, 100, 50, back);
  HWND front = Make(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
  ASSERT_EQ(GetActiveWindow(), front);
  ASSERT_EQ(GetFocus(), front);
  SeenLog().clear();
  host::Click(300 + 20 + 7, 100 + 30 + 9);
  Pump();
  const Seen* down = Find(child, WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(GET_X_LPARAM(down->lParam), 7);
  EXPECT_EQ(GET_Y_LPARAM(down->lParam), 9);
  EXPECT_EQ(down->wParam, static_cast<WPARAM>(MK_LBUTTON));
  const Seen* activate = Find(back, WM_ACTIVATE);
  ASSERT_NE(activate, nullptr);
  EXPECT_EQ(LOWORD(activate->wParam), WA_CLICKACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(activate->lParam), front);
  const Seen* mouseActivate = Find(child, WM_MOUSEACTIVATE);
  ASSERT_NE(mouseActivate, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(mouseActivate->wParam), back);
  EXPECT_EQ(mouseActivate->lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  std::vector<Step> expected = {
      {child, WM_NCHITTEST},  {child, WM_SETCURSOR},     {back, WM_SETCURSOR},  // the move
      {child, WM_NCHITTEST},  {child, WM_MOUSEACTIVATE}, {back, WM_MOUSEACTIVATE},
      {front, WM_NCACTIVATE}, {front, WM_ACTIVATE},      {back, WM_NCACTIVATE},
      {back, WM_ACTIVATE},    {front, WM_KILLFOCUS},     {back, WM_SETFOCUS},
      {child, WM_SETCURSOR},  {back, WM_SETCURSOR},      {child, WM_LBUTTONDOWN},
      {child, WM_NCHITTEST},  {child, WM_SETCURSOR},     {back, WM_SETCURSOR},
      {child, WM_LBUTTONUP}};
  EXPECT_EQ(Take(kClickPath), expected);
  EXPECT_EQ(GetActiveWindow(), back);
  EXPECT_EQ(GetForegroundWindow(), back);
  EXPECT_EQ(GetTopWindow(nullptr), back) << "activation by click raises the window";
  DestroyWindow(front);
  DestroyWindow(back);
}

TEST_F(InputTest, MouseActivateAnswersDecideActivationAndDelivery) {
  struct Case {
    LRESULT answer;
    bool activated, delivered;
  } cases[] = {{MA_ACTIVATE, true, true},
               {MA_ACTIVATEANDEAT, true, false},
               {MA_NOACTIVATE, false, true},
               {MA_NOACTIVATEANDEAT, false, false}};
  for (const Case& c : cases) {
    HWND target = Make(WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
    HWND other = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    Answers()[{target, WM_MOUSEACTIVATE}] = c.answer;
    SeenLog().clear();
    host::MouseMove(350, 350);
    host::MouseDown();
    Pump();
    EXPECT_EQ(GetActiveWindow() == target, c.activated) << c.answer;
    EXPECT_EQ(Find(target, WM_LBUTTONDOWN) != nullptr, c.delivered) << c.answer;
    host::MouseUp();
    Pump();
    DestroyWindow(other);
    DestroyWindow(target);
  }
  // Children of the active window are asked too, and the parent may eat the press.
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
  Answers()[{top, WM_MOUSEACTIVATE}] = MA_NOACTIVATEANDEAT;
  SeenLog().clear();
  host::Click(10, 10);
  Pump();
  EXPECT_NE(Find(child, WM_MOUSEACTIVATE), nullptr);
  EXPECT_EQ(Find(child, WM_LBUTTONDOWN), nullptr);
  EXPECT_NE(Find(child, WM_LBUTTONUP), nullptr);
  DestroyWindow(top);
}

TEST_F(InputTest, CaptureSendsTheMouseToTheCapturingWindowWhereverItIs) {
  HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = Make(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(GetCapture(), a);
  SeenLog().clear();
  host::MouseMove(250, 40);
  Pump();
  const Seen* move = Find(a, WM_MOUSEMOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(GET_X_LPARAM(move->lParam), 250);
  EXPECT_EQ(Find(b, WM_NCHITTEST), nullptr) << "no hit test while captured";
  EXPECT_EQ(Find(a, WM_SETCURSOR), nullptr);

  EXPECT_EQ(SetCapture(b), a);
  const Seen* changed = Find(a, WM_CAPTURECHANGED);
  ASSERT_NE(changed, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(changed->lParam), b);
  SeenLog().clear();
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(Take({WM_CAPTURECHANGED}), (std::vector<Step>{{b, WM_CAPTURECHANGED}}));
  EXPECT_EQ(GetCapture(), nullptr);
  host::MouseMove(50, 50);
  Pump();
  EXPECT_NE(Find(a, WM_MOUSEMOVE), nullptr) << "after release the window under the cursor";

  SetCapture(a);
  DestroyWindow(a);
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyWindow(b);
}

TEST_F(InputTest, SecondPressSoonAndNearIsADoubleClickOnlyForClassesThatAskForIt) {
  HWND dbl = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND plain = Make(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, 0, kPlainClass);
  const int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
  struct Case {
    const char* name;
    HWND hwnd;
    int x, y, dx;
    uint64_t wait;
    UINT second;
  } cases[] = {
      {"quick and near", dbl, 10, 10, cx, 10, WM_LBUTTONDBLCLK},
      {"too late", dbl, 10, 10, 0, GetDoubleClickTime() + 1, WM_LBUTTONDOWN},
      {"too far", dbl, 10, 10, cx + 1, 10, WM_LBUTTONDOWN},
      {"class without CS_DBLCLKS", plain, 210, 10, 0, 10, WM_LBUTTONDOWN},
  };
  for (const Case& c : cases) {
    host::AdvanceClock(1000);  // forget earlier clicks
    host::Click(c.x, c.y);
    Pump();
    host::AdvanceClock(c.wait);
    SeenLog().clear();
    host::Click(c.x + c.dx, c.y);
    Pump();
    std::vector<Step> got = Take({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    EXPECT_EQ(got, (std::vector<Step>{{c.hwnd, c.second}})) << c.name;
  }
  // A third press after a double click starts over.
  host::Click(20, 20);
  host::Click(20, 20);
  host::Click(20, 20);
  Pump();
  EXPECT_EQ(Take({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
            (std::vector<Step>{{dbl, WM_LBUTTONDOWN}, {dbl, WM_LBUTTONDBLCLK}, {dbl, WM_LBUTTONDOWN}}));
  DestroyWindow(dbl);
  DestroyWindow(plain);
}

TEST_F(InputTest, NonClientPressesCarryTheHitTestAndScreenPoint) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT window;
  GetWindowRect(hwnd, &window);
  int y = window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  int x = (window.left + window.right) / 2;
  SeenLog().clear();
  host::MouseMove(x, y);
  host::MouseDown(host::MouseButton::Right);
  host::MouseUp(host::MouseButton::Right);
  Pump();
  EXPECT_EQ(Take({WM_NCMOUSEMOVE, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_MOUSEMOVE}),
            (std::vector<Step>{{hwnd, WM_NCMOUSEMOVE}, {hwnd, WM_NCRBUTTONDOWN}, {hwnd, WM_NCRBUTTONUP}}));
  host::MouseMove(x, y + 1);
  Pump();
  const Seen* move = Find(hwnd, WM_NCMOUSEMOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(move->lParam, MAKELPARAM(x, y + 1));
  EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(x, y + 1)));
  DestroyWindow(hwnd);
}

TEST_F(InputTest, WheelGoesToTheFocusWindowAndUpToItsParent) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
  HWND other = Make(WS_POPUP | WS_VISIBLE, 300, 300, 50, 50);
  SetForegroundWindow(top);
  SetFocus(child);
  host::MouseMove(320, 320);  // the wheel ignores where the cursor is
  Pump();
  SeenLog().clear();
  host::MouseWheel(-WHEEL_DELTA);
  Pump();
  EXPECT_EQ(Take({WM_MOUSEWHEEL}), (std::vector<Step>{{child, WM_MOUSEWHEEL}, {top, WM_MOUSEWHEEL}}));
  DestroyWindow(other);
  DestroyWindow(top);
}

TEST_F(InputTest, InputInjectedFromAnotherThreadWakesAWaitingWindowThread) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  std::thread presenter([] { host::Click(30, 40); });
  MSG msg{};
  do {
    ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
    DispatchMessageW(&msg);
  } while (msg.message != WM_LBUTTONUP);
  presenter.join();
  EXPECT_EQ(msg.hwnd, hwnd);
  EXPECT_EQ(msg.lParam, MAKELPARAM(30, 40));
  EXPECT_NE(Find(hwnd, WM_LBUTTONDOWN), nullptr);
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace talix::testing
