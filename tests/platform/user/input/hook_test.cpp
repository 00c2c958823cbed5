// Hooks: chain order, passing on, unhooking while a chain runs, thread-specific hooks,
// and where the window manager calls each kind.
#include "input_test_support.h"

#include <thread>

namespace talix::testing {
namespace {

std::vector<int> g_calls;
HHOOK g_hooks[4];
HHOOK g_unhookDuringCall = nullptr;  // unhooked by hook 3 before it passes on
LRESULT g_answerOfHook2 = -1;        // -1: pass on

template <int N>
LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam) {
  g_calls.push_back(N);
  if (N == 3 && g_unhookDuringCall) UnhookWindowsHookEx(std::exchange(g_unhookDuringCall, nullptr));
  if (N == 2 && g_answerOfHook2 != -1) return g_answerOfHook2;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class HookTest : public InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
    g_calls.clear();
    g_answerOfHook2 = -1;
    DWORD self = GetCurrentThreadId();
    g_hooks[1] = SetWindowsHookExW(WH_MSGFILTER, FilterHook<1>, nullptr, self);
    g_hooks[2] = SetWindowsHookExW(WH_MSGFILTER, FilterHook<2>, nullptr, self);
    g_hooks[3] = SetWindowsHookExW(WH_MSGFILTER, FilterHook<3>, nullptr, self);
    ASSERT_TRUE(g_hooks[1] && g_hooks[2] && g_hooks[3]);
  }
  void TearDown() override {
    for (HHOOK& hook : g_hooks)
      if (hook) UnhookWindowsHookEx(std::exchange(hook, nullptr));
    InputTest::TearDown();
  }
  static std::vector<int> Filter() {
    g_calls.clear();
    MSG msg{};
    CallMsgFilterW(&msg, MSGF_MENU);
    return g_calls;
  }
};

TEST_F(HookTest, TheNewestHookRunsFirstAndEachPassesOn) {
  EXPECT_EQ(Filter(), (std::vector<int>{3, 2, 1}));
  g_answerOfHook2 = 1;  // a hook that answers ends the chain
  MSG msg{};
  g_calls.clear();
  EXPECT_TRUE(CallMsgFilterW(&msg, MSGF_MENU));
  EXPECT_EQ(g_calls, (std::vector<int>{3, 2}));
  g_answerOfHook2 = -1;
  EXPECT_TRUE(UnhookWindowsHookEx(std::exchange(g_hooks[3], nullptr)));
  EXPECT_EQ(Filter(), (std::vector<int>{2, 1}));
  SetLastError(0);
  EXPECT_FALSE(UnhookWindowsHookEx(g_hooks[0]));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));
}

TEST_F(HookTest, UnhookingDuringTheChainSkipsOnlyTheRemovedHook) {
  g_unhookDuringCall = std::exchange(g_hooks[2], nullptr);
  EXPECT_EQ(Filter(), (std::vector<int>{3, 1}));
  g_unhookDuringCall = std::exchange(g_hooks[3], nullptr);  // hook 3 removes itself
  EXPECT_EQ(Filter(), (std::vector<int>{3, 1}));
  EXPECT_EQ(Filter(), (std::vector<int>{1}));
}

TEST_F(HookTest, ThreadHooksRunOnlyOnTheirThread) {
  HHOOK everywhere = SetWindowsHookExW(WH_MSGFILTER, FilterHook<0>, nullptr, 0);
  ASSERT_TRUE(everywhere);
  std::vector<int> onOtherThread;
  std::thread([&] {
    MSG msg{};
    g_calls.clear();
    CallMsgFilterW(&msg, MSGF_DIALOGBOX);
    onOtherThread = g_calls;
  }).join();
  EXPECT_EQ(onOtherThread, (std::vector<int>{0}));
  EXPECT_EQ(Filter(), (std::vector<int>{0, 3, 2, 1}));
  EXPECT_TRUE(UnhookWindowsHookEx(everywhere));
}

TEST_F(HookTest, BadArgumentsAreRefused) {
  SetLastError(0);
  EXPECT_EQ(SetWindowsHookExW(WH_MAX + 1, FilterHook<0>, nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(SetWindowsHookExW(WH_MSGFILTER, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FILTER_PROC));
  EXPECT_FALSE(CallMsgFilterW(nullptr, MSGF_MENU));
  EXPECT_EQ(CallNextHookEx(nullptr, 0, 0, 0), 0) << "outside a hook there is no next";
}

std::vector<Seen> g_hookSaw;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  g_hookSaw.push_back(Seen{msg->hwnd, msg->message, wParam, 0});
  if (msg->message == WM_USER + 1) msg->message = WM_USER + 2;  // hooks may change it
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
  g_hookSaw.push_back(Seen{call->hwnd, call->message, wParam, call->lParam});
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* ret = reinterpret_cast<CWPRETSTRUCT*>(lParam);
  g_hookSaw.push_back(Seen{ret->hwnd, ret->message, wParam, ret->lResult});
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK EatKeysHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == 'X') return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
  g_hookSaw.push_back(Seen{info->hwnd, static_cast<UINT>(wParam), info->wHitTestCode, 0});
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(InputTest, WindowManagerCallsEachHookKindWhereDocumented) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  DWORD self = GetCurrentThreadId();
  HHOOK hooks[] = {SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, self),
                   SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, self),
                   SetWindowsHookExW(WH_CALLWNDPROCRET, CallWndProcRetHook, nullptr, self),
                   SetWindowsHookExW(WH_KEYBOARD, EatKeysHook, nullptr, self),
                   SetWindowsHookExW(WH_MOUSE, MouseHook, nullptr, self)};
  Answers()[{hwnd, WM_USER + 5}] = 42;

  g_hookSaw.clear();
  SendMessageW(hwnd, WM_USER + 5, 0, 7);
  ASSERT_EQ(g_hookSaw.size(), 2u);
  EXPECT_EQ(g_hookSaw[0].lParam, 7) << "WH_CALLWNDPROC sees the arguments";
  EXPECT_EQ(g_hookSaw[1].lParam, 42) << "WH_CALLWNDPROCRET sees the result";
  EXPECT_EQ(g_hookSaw[0].wParam, 1u) << "sent by this thread";

  g_hookSaw.clear();
  SeenLog().clear();
  PostMessageW(hwnd, WM_USER + 1, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  ASSERT_EQ(g_hookSaw.size(), 2u);
  EXPECT_EQ(g_hookSaw[0].wParam, static_cast<WPARAM>(PM_NOREMOVE));
  EXPECT_EQ(g_hookSaw[1].wParam, static_cast<WPARAM>(PM_REMOVE));

  UnhookWindowsHookEx(hooks[1]);
  UnhookWindowsHookEx(hooks[2]);
  g_hookSaw.clear();
  SeenLog().clear();
  host::KeyPress('X');
  host::KeyPress('Y');
  host::MouseMove(20, 30);
  Pump();
  EXPECT_EQ(Find(hwnd, WM_KEYDOWN)->wParam, static_cast<WPARAM>('Y')) << "X was eaten";
  bool sawMove = false;
  for (const Seen& s : g_hookSaw)
    sawMove = sawMove || (s.msg == WM_MOUSEMOVE && s.hwnd == hwnd && s.wParam == HTCLIENT);
  EXPECT_TRUE(sawMove);
  for (HHOOK hook : {hooks[0], hooks[3], hooks[4]}) EXPECT_TRUE(UnhookWindowsHookEx(hook));
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace talix::testing
