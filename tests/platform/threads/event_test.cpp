#include "sync_test_support.h"

#include <atomic>
#include <vector>

namespace talix::testing {
namespace {

using EventTest = SyncTest;
using EventClockTest = VirtualClockTest;

TEST_F(EventTest, NamedEventIsSharedAndSignalsAnotherThread) {
  HANDLE created = CreateEventW(nullptr, TRUE, FALSE, u"talix-test-ready");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

  // The same name again: the existing event, whatever the new arguments say.
  HANDLE again = CreateEventW(nullptr, FALSE, TRUE, u"Local\\talix-test-ready");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_NE(again, created);
  EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_TIMEOUT) << "initial state of the first creation";

  TestThread setter([] {
    HANDLE opened = OpenEventW(EVENT_MODIFY_STATE, FALSE, u"talix-test-ready");
    if (!opened) return DWORD{1};
    SetEvent(opened);
    CloseHandle(opened);
    return DWORD{0};
  });
  EXPECT_EQ(WaitForSingleObject(created, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(setter.Join(), 0u);
  EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_OBJECT_0) << "manual reset stays signalled";

  EXPECT_TRUE(CloseHandle(created));
  EXPECT_TRUE(CloseHandle(again));
  // The last handle took the name with it.
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, u"talix-test-ready"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(EventTest, BadNamesAndNamesOfOtherObjectsFail) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, u"talix-test-taken");
  ASSERT_NE(mutex, nullptr);
  struct Case {
    const WCHAR* name;
    DWORD error;
  };
  std::u16string tooLong(MAX_PATH + 1, u'x');
  for (const Case& c : {Case{u"talix-test-taken", ERROR_INVALID_HANDLE},
                        Case{u"Local\\talix-test-taken", ERROR_INVALID_HANDLE},
                        Case{u"Other\\space", ERROR_PATH_NOT_FOUND},
                        Case{u"Global\\", ERROR_PATH_NOT_FOUND},
                        Case{tooLong.c_str(), ERROR_FILENAME_EXCED_RANGE}}) {
    SetLastError(0);
    EXPECT_EQ(CreateEventW(nullptr, TRUE, FALSE, c.name), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, u"talix-test-taken"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(CloseHandle(mutex));
}

TEST_F(EventTest, ResetModesAndInitialState) {
  struct Case {
    BOOL manual, initial;
    DWORD firstWait, secondWait;
  };
  for (const Case& c : {Case{TRUE, TRUE, WAIT_OBJECT_0, WAIT_OBJECT_0},
                        Case{FALSE, TRUE, WAIT_OBJECT_0, WAIT_TIMEOUT},
                        Case{TRUE, FALSE, WAIT_TIMEOUT, WAIT_TIMEOUT}}) {
    HANDLE event = CreateEventW(nullptr, c.manual, c.initial, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), c.firstWait) << c.manual << c.initial;
    EXPECT_EQ(WaitForSingleObject(event, 0), c.secondWait) << c.manual << c.initial;
    EXPECT_TRUE(SetEvent(event));
    EXPECT_TRUE(ResetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "reset wins";
    EXPECT_TRUE(CloseHandle(event));
  }
}

// Waiters block with a long virtual time-out, so PendingClockWaits tells how many are
// still asleep, and advancing the clock by 1 ms makes every one test its event again.
class WaitersOnOneEvent {
 public:
  WaitersOnOneEvent(HANDLE event, int count) {
    for (int i = 0; i < count; ++i)
      threads_.push_back(std::make_unique<TestThread>([this, event] {
        DWORD result = WaitForSingleObject(event, 1000000);
        if (result == WAIT_OBJECT_0) ++woken_;
        return result;
      }));
    AwaitPendingClockWaits(count);
  }
  int JoinAll() {
    for (auto& t : threads_) t->Join();
    return woken_;
  }

 private:
  std::atomic<int> woken_{0};
  std::vector<std::unique_ptr<TestThread>> threads_;
};

TEST_F(EventClockTest, AutoResetReleasesExactlyOneWaiterPerSet) {
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  WaitersOnOneEvent waiters(event, 3);
  for (int round = 1; round <= 3; ++round) {
    EXPECT_TRUE(SetEvent(event));
    host::AdvanceClock(1);  // every waiter has looked at the event again
    EXPECT_EQ(host::PendingClockWaits(), static_cast<size_t>(3 - round));
  }
  EXPECT_EQ(waiters.JoinAll(), 3);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "each set was consumed";
  EXPECT_TRUE(CloseHandle(event));
}

TEST_F(EventClockTest, ManualResetReleasesEveryWaiter) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  WaitersOnOneEvent waiters(event, 3);
  EXPECT_TRUE(SetEvent(event));
  EXPECT_EQ(waiters.JoinAll(), 3);
  EXPECT_TRUE(CloseHandle(event));
}

TEST_F(EventClockTest, PulseReleasesCurrentWaitersAndLeavesTheEventReset) {
  struct Case {
    BOOL manual;
    int released;
  };
  for (const Case& c : {Case{TRUE, 2}, Case{FALSE, 1}}) {
    HANDLE event = CreateEventW(nullptr, c.manual, FALSE, nullptr);
    WaitersOnOneEvent waiters(event, 2);
    EXPECT_TRUE(PulseEvent(event));
    host::AdvanceClock(1);
    EXPECT_EQ(host::PendingClockWaits(), static_cast<size_t>(2 - c.released)) << c.manual;
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "not left signalled";
    host::AdvanceClock(1000000);  // the rest time out
    EXPECT_EQ(waiters.JoinAll(), c.released);
    EXPECT_TRUE(CloseHandle(event));
  }
}

TEST_F(EventTest, StaleAndForeignHandlesFailCleanly) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(CloseHandle(event));
  HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
  HANDLE junk = reinterpret_cast<HANDLE>(uintptr_t{0x12345});
  for (HANDLE bad : {event, mutex, junk, HANDLE{nullptr}, INVALID_HANDLE_VALUE}) {
    SetLastError(0);
    EXPECT_FALSE(SetEvent(bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ResetEvent(bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  }
  SetLastError(0);
  EXPECT_FALSE(CloseHandle(event)) << "double close";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  SetLastError(0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(CloseHandle(mutex));
}

TEST_F(EventClockTest, AWaitOutlivesTheHandleItWaitsOn) {
  HANDLE waited = CreateEventW(nullptr, TRUE, FALSE, u"talix-test-shared-wait");
  HANDLE other = CreateEventW(nullptr, TRUE, FALSE, u"talix-test-shared-wait");
  TestThread waiter([&] { return WaitForSingleObject(waited, 1000000); });
  AwaitPendingClockWaits(1);
  EXPECT_TRUE(CloseHandle(waited));
  EXPECT_TRUE(SetEvent(other));
  EXPECT_EQ(waiter.Join(), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(other));
}

}  // namespace
}  // namespace talix::testing
