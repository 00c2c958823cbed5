// Creation and destruction: message order, failed creations, stale handles.
#include "user_test_support.h"

namespace talix::testing {
namespace {

using Msgs = std::vector<UINT>;

TEST_F(UserTest, CreationSendsTheDocumentedMessagesInOrder) {
  struct Case {
    const char* name;
    DWORD style;
    Msgs expected;
  } cases[] = {
      {"overlapped", WS_OVERLAPPEDWINDOW,
       {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}},
      {"popup", WS_POPUP, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}},
      {"visible popup", WS_POPUP | WS_VISIBLE,
       {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
        WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS,
        WM_WINDOWPOSCHANGED}},  // shown windows are activated
      {"sizable popup", WS_POPUP | WS_THICKFRAME,
       {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}},
  };
  for (const Case& c : cases) {
    HWND hwnd = Make(c.style);
    ASSERT_TRUE(hwnd) << c.name;
    EXPECT_EQ(MessageLog::Get().TakeMessages(), c.expected) << c.name;
    EXPECT_EQ(IsWindowVisible(hwnd), (c.style & WS_VISIBLE) ? TRUE : FALSE) << c.name;
    DestroyWindow(hwnd);
    MessageLog::Get().Take();
  }
}

TEST_F(UserTest, ChildCreationNotifiesTheParentChainUnlessAsked) {
  HWND top = Make(WS_POPUP);
  HWND mid = Make(WS_CHILD, top, 0, nullptr, 7);
  MessageLog::Get().Take();
  HWND child = Make(WS_CHILD, mid, 0, nullptr, 9);
  std::vector<Logged> log = MessageLog::Get().Take();
  std::vector<Logged> expected = {{child, WM_NCCREATE}, {child, WM_NCCALCSIZE},
                                  {child, WM_CREATE},   {child, WM_SIZE},
                                  {child, WM_MOVE},     {mid, WM_PARENTNOTIFY},
                                  {top, WM_PARENTNOTIFY}};
  EXPECT_EQ(log, expected);
  HWND quiet = Make(WS_CHILD, mid, WS_EX_NOPARENTNOTIFY);
  for (const Logged& l : MessageLog::Get().Take()) EXPECT_EQ(l.hwnd, quiet);
  EXPECT_EQ(GetDlgItem(top, 7), mid);
  EXPECT_EQ(GetDlgCtrlID(child), 9);
  EXPECT_TRUE(IsChild(top, child));
  EXPECT_FALSE(IsChild(child, top));
  DestroyWindow(top);
}

TEST_F(UserTest, DestructionGoesParentsFirstThenChildrenFirst) {
  HWND top = Make(WS_POPUP | WS_VISIBLE);
  HWND a = Make(WS_CHILD, top, WS_EX_NOPARENTNOTIFY);
  HWND a1 = Make(WS_CHILD, a, WS_EX_NOPARENTNOTIFY);
  HWND owned = Make(WS_POPUP, top);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
  MessageLog::Get().Take();
  ASSERT_TRUE(DestroyWindow(top));
  std::vector<Logged> expected = {
      {top, WM_WINDOWPOSCHANGING}, {top, WM_WINDOWPOSCHANGED},  // hidden first
      {top, WM_NCACTIVATE},        {top, WM_ACTIVATE},          // and deactivated
      {owned, WM_ACTIVATEAPP},     {top, WM_ACTIVATEAPP},
      {top, WM_KILLFOCUS},
      {owned, WM_DESTROY},         {owned, WM_NCDESTROY},       // owned windows go before
      {top, WM_DESTROY},           {a, WM_DESTROY},
      {a1, WM_DESTROY},            {a1, WM_NCDESTROY},
      {a, WM_NCDESTROY},           {top, WM_NCDESTROY}};
  EXPECT_EQ(MessageLog::Get().Take(), expected);
  for (HWND gone : {top, a, a1, owned}) EXPECT_FALSE(IsWindow(gone));
}

TEST_F(UserTest, RefusedCreationReturnsNullAndLeavesNoWindow) {
  struct Case {
    const char* name;
    intptr_t param;
    Msgs expected;
  } cases[] = {
      {"WM_NCCREATE FALSE", 2, {WM_NCCREATE, WM_NCDESTROY}},
      {"WM_CREATE -1", 1, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Make(WS_POPUP, nullptr, 0, reinterpret_cast<void*>(c.param)), nullptr) << c.name;
    EXPECT_EQ(MessageLog::Get().TakeMessages(), c.expected) << c.name;
    EXPECT_EQ(host::LiveWindowCount(), 0u) << c.name;
  }
}

TEST_F(UserTest, StaleAndBogusHandlesFailWithInvalidWindowHandle) {
  HWND hwnd = Make(WS_POPUP);
  DestroyWindow(hwnd);
  HWND bogus = reinterpret_cast<HWND>(uintptr_t{0x1234});
  for (HWND bad : {hwnd, bogus}) {
    SetLastError(0);
    EXPECT_FALSE(IsWindow(bad));
    EXPECT_FALSE(DestroyWindow(bad));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(PostMessageW(bad, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(bad, GWLP_USERDATA), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_EQ(SendMessageW(bad, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  }
}

TEST_F(UserTest, CreationErrors) {
  SetLastError(0);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr,
                            nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  SetLastError(0);
  EXPECT_EQ(Make(WS_CHILD), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(UserTest, GeometryFollowsTheFrameAndTheParent) {
  HWND top = CreateWindowExW(0, kRecordingClass, u"", WS_POPUP | WS_BORDER, 100, 50, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExW(0, kRecordingClass, u"", WS_CHILD, 10, 20, 30, 40, top,
                               nullptr, nullptr, nullptr);
  RECT r;
  GetClientRect(top, &r);
  EXPECT_EQ(r.right, 298);
  EXPECT_EQ(r.bottom, 198);
  GetWindowRect(child, &r);
  EXPECT_EQ(r.left, 111);  // parent at 100, its border 1, child at 10
  EXPECT_EQ(r.top, 71);
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 111);
  MapWindowPoints(child, top, &p, 1);
  EXPECT_EQ(p.x, 111 + 10);  // the child sits 10 into the parent's client area
  RECT adjusted{0, 0, 100, 100};
  AdjustWindowRectEx(&adjusted, WS_POPUP | WS_BORDER, FALSE, 0);
  EXPECT_EQ(adjusted.left, -1);
  EXPECT_EQ(adjusted.bottom, 101);
  MessageLog::Get().Take();
  MoveWindow(child, 0, 0, 50, 40, TRUE);
  EXPECT_EQ(MessageLog::Get().TakeMessages(),
            (Msgs{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
  DestroyWindow(top);
}

}  // namespace
}  // namespace talix::testing
