#include "platform/kernel/sync/clock.h"
#include "sync_test_support.h"

#include <vector>

namespace talix::testing {

// The child's side of the environment test: exit 0 when the clock mode is the one named
// by the argument and, for the virtual clock, time stands still.
int RunClockChild(int argc, char** argv) {
  if (argc != 1) return 2;
  bool wantVirtual = std::string(argv[0]) == "virtual";
  if (host::IsVirtualClock() != wantVirtual) return 10;
  ULONGLONG before = GetTickCount64();
  Sleep(0);
  if (wantVirtual && GetTickCount64() != before) return 11;
  return 0;
}

namespace {

using ClockTest = VirtualClockTest;

uint64_t FileTimeTicks() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
}

TEST_F(ClockTest, TimeStandsStillUntilAdvanced) {
  ULONGLONG tick = GetTickCount64();
  LARGE_INTEGER counter, frequency, later;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  ASSERT_TRUE(QueryPerformanceCounter(&counter));
  uint64_t wall = FileTimeTicks();
  Sleep(0);
  EXPECT_EQ(GetTickCount64(), tick);
  EXPECT_EQ(host::Now(), tick);
  host::AdvanceClock(1500);
  EXPECT_EQ(GetTickCount64(), tick + 1500);
  EXPECT_EQ(GetTickCount(), static_cast<DWORD>(tick + 1500));
  ASSERT_TRUE(QueryPerformanceCounter(&later));
  EXPECT_EQ(later.QuadPart - counter.QuadPart, frequency.QuadPart * 3 / 2);
  EXPECT_EQ(FileTimeTicks() - wall, 1500u * 10000u);
}

TEST_F(ClockTest, SleepOnAnotherThreadEndsOnlyWhenVirtualTimeReachesItsDeadline) {
  ULONGLONG start = GetTickCount64();
  TestThread sleeper([] {
    Sleep(100);
    return static_cast<DWORD>(GetTickCount64());
  });
  AwaitPendingClockWaits(1);
  host::AdvanceClock(60);
  host::AdvanceClock(39);
  EXPECT_EQ(host::PendingClockWaits(), 1u) << "still asleep at 99 ms";
  host::AdvanceClock(1);
  EXPECT_EQ(host::PendingClockWaits(), 0u);
  EXPECT_EQ(sleeper.Join(), static_cast<DWORD>(start + 100));
}

TEST_F(ClockTest, WaitTimeOutsRunInVirtualTime) {
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  TestThread timesOut([event] { return WaitForSingleObject(event, 500); });
  AwaitPendingClockWaits(1);
  host::AdvanceClock(499);
  EXPECT_EQ(host::PendingClockWaits(), 1u);
  host::AdvanceClock(1);
  EXPECT_EQ(timesOut.Join(), static_cast<DWORD>(WAIT_TIMEOUT));

  TestThread signalled([event] { return WaitForSingleObject(event, 500); });
  AwaitPendingClockWaits(1);
  SetEvent(event);
  EXPECT_EQ(signalled.Join(), WAIT_OBJECT_0) << "no clock movement needed";
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "zero never blocks";
  EXPECT_TRUE(CloseHandle(event));
}

// Records the times at which it was called; due once at a fixed time.
class RecordingListener : public ClockListener {
 public:
  RecordingListener(uint64_t due, std::vector<uint64_t>* log) : due_(due), log_(log) {}
  uint64_t NextDue() override { return due_; }
  void OnClock(uint64_t now) override {
    if (now >= due_) {
      log_->push_back(due_);
      due_ = kNeverDue;
    }
  }

 private:
  uint64_t due_;
  std::vector<uint64_t>* log_;
};

TEST_F(ClockTest, AdvancingStepsThroughDueTimesInOrder) {
  uint64_t start = host::Now();
  std::vector<uint64_t> log;
  RecordingListener late(start + 30, &log), early(start + 10, &log), beyond(start + 500, &log);
  AddClockListener(&late);
  AddClockListener(&early);
  AddClockListener(&beyond);
  host::AdvanceClock(100);
  EXPECT_EQ(log, (std::vector<uint64_t>{start + 10, start + 30}));
  RemoveClockListener(&late);
  RemoveClockListener(&early);
  RemoveClockListener(&beyond);
}

TEST_F(ClockTest, SwitchingToTheRealClockReleasesVirtualWaitsAndKeepsTimeMonotonic) {
  host::AdvanceClock(10000);
  uint64_t virtualNow = host::Now();
  TestThread sleeper([] {
    Sleep(5);
    return DWORD{0};
  });
  AwaitPendingClockWaits(1);
  host::UseVirtualClock(false);
  EXPECT_EQ(sleeper.Join(), 0u) << "finishes in real time";
  EXPECT_GE(host::Now(), virtualNow);
}

TEST(ClockEnvironment, TalixClockChoosesTheClockAtStart) {
  struct Case {
    const char* value;
    const char* expected;
  };
  for (const Case& c : {Case{"virtual", "virtual"}, Case{"real", "real"}, Case{"bogus", "real"}}) {
    pid_t child = StartChildProcess("clock", {c.expected}, {std::string("TALIX_CLOCK=") + c.value});
    EXPECT_EQ(FinishChildProcess(child), 0) << "TALIX_CLOCK=" << c.value;
  }
}

}  // namespace
}  // namespace talix::testing
