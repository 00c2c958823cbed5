#include "platform/kernel/sync/waitable.h"
#include "sync_test_support.h"

#include <atomic>

#include <vector>

namespace talix::testing {
namespace {

using WaitTest = SyncTest;
using WaitClockTest = VirtualClockTest;

// Manual-reset events, signalled or not.
std::vector<HANDLE> MakeEvents(std::initializer_list<bool> states) {
  std::vector<HANDLE> events;
  for (bool signalled : states) events.push_back(CreateEventW(nullptr, TRUE, signalled, nullptr));
  return events;
}

void CloseAll(const std::vector<HANDLE>& handles) {
  for (HANDLE h : handles) EXPECT_TRUE(CloseHandle(h));
}

TEST_F(WaitTest, WaitForAnyReportsTheLowestSignalledIndex) {
  struct Case {
    std::initializer_list<bool> states;
    DWORD any, all;
  };
  for (const Case& c : {Case{{false, true, true}, WAIT_OBJECT_0 + 1, WAIT_TIMEOUT},
                        Case{{true, false, true}, WAIT_OBJECT_0, WAIT_TIMEOUT},
                        Case{{false, false, false}, WAIT_TIMEOUT, WAIT_TIMEOUT},
                        Case{{true, true, true}, WAIT_OBJECT_0, WAIT_OBJECT_0}}) {
    std::vector<HANDLE> events = MakeEvents(c.states);
    EXPECT_EQ(WaitForMultipleObjects(3, events.data(), FALSE, 0), c.any);
    EXPECT_EQ(WaitForMultipleObjects(3, events.data(), TRUE, 0), c.all);
    CloseAll(events);
  }
}

TEST_F(WaitTest, WaitForAllTakesAutoResetEventsOnlyWhenAllAreSignalled) {
  HANDLE a = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  HANDLE b = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE both[] = {a, b};
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0) << "a failed wait for all takes nothing";
  SetEvent(a);
  SetEvent(b);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_TIMEOUT) << "both were taken";
  CloseAll({a, b});
}

TEST_F(WaitTest, WaitForAllWakesWhenTheLastObjectIsSignalledByAnotherThread) {
  std::vector<HANDLE> events = MakeEvents({true, false, false});
  TestThread setter([&] {
    SetEvent(events[2]);
    SetEvent(events[1]);
    return DWORD{0};
  });
  EXPECT_EQ(WaitForMultipleObjects(3, events.data(), TRUE, INFINITE), WAIT_OBJECT_0);
  setter.Join();
  CloseAll(events);
}

TEST_F(WaitTest, BadArgumentsFailWithTheDocumentedErrors) {
  std::vector<HANDLE> events(MAXIMUM_WAIT_OBJECTS + 1);
  for (HANDLE& h : events) h = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS, events.data(), TRUE, 0), WAIT_OBJECT_0)
      << "64 objects are allowed";
  HANDLE closed = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  CloseHandle(closed);
  HANDLE withClosed[] = {events[0], closed};
  HANDLE twice[] = {events[0], events[0]};
  struct Case {
    DWORD count;
    const HANDLE* handles;
    BOOL all;
    DWORD error;
  };
  for (const Case& c : {Case{0, events.data(), FALSE, ERROR_INVALID_PARAMETER},
                        Case{MAXIMUM_WAIT_OBJECTS + 1, events.data(), FALSE, ERROR_INVALID_PARAMETER},
                        Case{2, nullptr, FALSE, ERROR_INVALID_PARAMETER},
                        Case{2, withClosed, FALSE, ERROR_INVALID_HANDLE},
                        Case{2, withClosed, TRUE, ERROR_INVALID_HANDLE},
                        Case{2, twice, TRUE, ERROR_INVALID_PARAMETER}}) {
    SetLastError(0);
    EXPECT_EQ(WaitForMultipleObjects(c.count, c.handles, c.all, 0), WAIT_FAILED) << c.count;
    EXPECT_EQ(GetLastError(), c.error) << c.count;
  }
  EXPECT_EQ(WaitForMultipleObjects(2, twice, FALSE, 0), WAIT_OBJECT_0) << "fine for any";
  for (HANDLE pseudo : {GetCurrentThread(), GetCurrentProcess()}) {
    EXPECT_EQ(WaitForSingleObject(pseudo, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  }
  CloseAll(events);
}

// The pattern of a module watcher: a private stop event and two named events, waited on
// for any, each reset once handled.
TEST_F(WaitClockTest, WatcherLoopSeesEachEventAndStopsOnItsStopEvent) {
  HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE unload = CreateEventW(nullptr, TRUE, FALSE, u"talix-test-unload");
  HANDLE reload = CreateEventW(nullptr, TRUE, FALSE, u"talix-test-reload");
  std::vector<DWORD> seen;
  TestThread watcher([&] {
    HANDLE mine[] = {stop, unload, reload};
    for (;;) {
      // The time-out only lets the test see that the watcher is blocked.
      DWORD result = WaitForMultipleObjects(3, mine, FALSE, 1000000);
      if (result == WAIT_OBJECT_0 || result == WAIT_TIMEOUT || result == WAIT_FAILED) return result;
      seen.push_back(result);
      ResetEvent(mine[result - WAIT_OBJECT_0]);
    }
  });
  AwaitPendingClockWaits(1);
  SetEvent(reload);
  host::AdvanceClock(1);
  AwaitPendingClockWaits(1);
  SetEvent(unload);
  host::AdvanceClock(1);
  AwaitPendingClockWaits(1);
  SetEvent(stop);
  EXPECT_EQ(watcher.Join(), WAIT_OBJECT_0);
  EXPECT_EQ(seen, (std::vector<DWORD>{WAIT_OBJECT_0 + 2, WAIT_OBJECT_0 + 1}));
  CloseAll({stop, unload, reload});
}

// The hook a message queue uses: a wait that also ends when a condition outside the
// objects becomes true and the thread is told to look again.
TEST_F(WaitClockTest, ExtraWakeConditionEndsTheWaitWithIndexCount) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> input{false};
  std::function<bool()> hasInput = [&] { return input.load(); };
  TestThread waiter([&] { return WaitForHandles(&event, 1, false, 1000000, &hasInput); });
  AwaitPendingClockWaits(1);
  input = true;
  WakeThreadWait(waiter.id());
  EXPECT_EQ(waiter.Join(), WAIT_OBJECT_0 + 1);

  // Objects still come first, and no handles at all is allowed with a condition.
  SetEvent(event);
  EXPECT_EQ(WaitForHandles(&event, 1, false, 0, &hasInput), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForHandles(nullptr, 0, false, INFINITE, &hasInput), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(event));
}

}  // namespace
}  // namespace talix::testing
