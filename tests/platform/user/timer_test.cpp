// Timers on the virtual clock.
#include "user_test_support.h"

#include <thread>

namespace talix::testing {
namespace {

class TimerTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    host::UseVirtualClock(true);
  }
  void TearDown() override {
    host::UseVirtualClock(false);
    UserTest::TearDown();
  }
  // The WM_TIMER ids waiting now, taken from the queue.
  std::vector<WPARAM> Timers() {
    std::vector<WPARAM> ids;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) ids.push_back(msg.wParam);
    return ids;
  }
};

using Ids = std::vector<WPARAM>;

TEST_F(TimerTest, AdvancingTheClockMakesExactlyTheDueTimersAndCoalesces) {
  HWND hwnd = Make(WS_POPUP);
  ASSERT_EQ(SetTimer(hwnd, 1, 100, nullptr), 1u);
  ASSERT_EQ(SetTimer(hwnd, 2, 250, nullptr), 2u);
  host::AdvanceClock(99);
  EXPECT_EQ(Timers(), Ids{});
  host::AdvanceClock(1);
  EXPECT_EQ(Timers(), Ids{1});
  host::AdvanceClock(400);  // timer 1 came due four times, timer 2 twice: one each
  EXPECT_EQ(Timers(), (Ids{1, 2}));
  EXPECT_EQ(Timers(), Ids{});
  ASSERT_EQ(SetTimer(hwnd, 1, 30, nullptr), 1u);  // replacing restarts the period
  host::AdvanceClock(30);
  EXPECT_EQ(Timers(), Ids{1});
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 1));
  host::AdvanceClock(1000);
  EXPECT_EQ(Timers(), Ids{2});
  DestroyWindow(hwnd);  // takes timer 2 with it
  host::AdvanceClock(1000);
  EXPECT_EQ(Timers(), Ids{});
}

TEST_F(TimerTest, TimerMessagesWaitBehindPostedMessages) {
  HWND hwnd = Make(WS_POPUP);
  SetTimer(hwnd, 5, 10, nullptr);
  host::AdvanceClock(10);
  PostMessageW(hwnd, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  DestroyWindow(hwnd);
}

int g_procCalls = 0;
void CALLBACK CountingTimerProc(HWND, UINT msg, UINT_PTR, DWORD) {
  if (msg == WM_TIMER) ++g_procCalls;
}

TEST_F(TimerTest, ThreadTimersGetFreshIdsAndRunTheirProcedure) {
  g_procCalls = 0;
  UINT_PTR a = SetTimer(nullptr, 0, 50, CountingTimerProc);
  UINT_PTR b = SetTimer(nullptr, 0, 50, CountingTimerProc);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_NE(a, b);
  EXPECT_EQ(SetTimer(nullptr, a, 70, CountingTimerProc), a);  // replaces its own timer
  host::AdvanceClock(60);
  EXPECT_EQ(host::PumpMessagesUntilIdle(), 1u);
  EXPECT_EQ(g_procCalls, 1);
  // A posted WM_TIMER naming some procedure is not called unless it is a live timer's.
  MSG fake{nullptr, WM_TIMER, 999, reinterpret_cast<LPARAM>(CountingTimerProc), 0, {}};
  DispatchMessageW(&fake);
  EXPECT_EQ(g_procCalls, 1);
  EXPECT_TRUE(KillTimer(nullptr, a));
  EXPECT_TRUE(KillTimer(nullptr, b));
}

TEST_F(TimerTest, GetMessageSleepsUntilTheTimerIsDue) {
  HWND hwnd = Make(WS_POPUP);
  SetTimer(hwnd, 9, 500, nullptr);
  std::thread advancer([] {
    while (host::PendingClockWaits() == 0) std::this_thread::yield();
    host::AdvanceClock(500);
  });
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 9u);
  advancer.join();
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace talix::testing
