// Helpers shared by the thread and synchronisation tests.
#pragma once

#include <talix/host_clock.h>
#include <talix/host_handles.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace talix::testing {

// Every test must leave no kernel object handle behind.
class SyncTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(host::LiveHandles(HandleKind::KernelObject), 0u) << "kernel handles leaked";
  }
};

// Tests on the virtual clock; back to the real clock afterwards.
class VirtualClockTest : public SyncTest {
 protected:
  void SetUp() override { host::UseVirtualClock(true); }
  void TearDown() override {
    host::UseVirtualClock(false);
    SyncTest::TearDown();
  }
};

// A thread running a std::function; Join waits for it and returns its exit code.
class TestThread {
 public:
  explicit TestThread(std::function<DWORD()> body) : body_(std::move(body)) {
    handle_ = CreateThread(nullptr, 0, &Trampoline, this, 0, &id_);
  }
  ~TestThread() {
    if (handle_) Join();
  }
  DWORD Join() {
    EXPECT_EQ(WaitForSingleObject(handle_, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(handle_, &code));
    EXPECT_TRUE(CloseHandle(handle_));
    handle_ = nullptr;
    return code;
  }
  HANDLE handle() const { return handle_; }
  DWORD id() const { return id_; }

 private:
  static DWORD WINAPI Trampoline(LPVOID self) { return static_cast<TestThread*>(self)->body_(); }
  std::function<DWORD()> body_;
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// Spins (yielding) until another thread has started its timed wait.
inline void AwaitPendingClockWaits(size_t count) {
  while (host::PendingClockWaits() < count) Sleep(0);
}

}  // namespace talix::testing
