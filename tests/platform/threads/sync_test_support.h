// Helpers shared by the thread and synchronisation tests.
#pragma once

#include <talix/host_clock.h>
#include <talix/host_handles.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

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

// Runs this test binary again as `--child role args...` with extra environment entries
// ("NAME=value") and returns its exit status, or -1 when it did not exit normally.
// StartChildProcess/FinishChildProcess split it for a parent that talks to the child.
inline pid_t StartChildProcess(const std::string& role, std::vector<std::string> args,
                               const std::vector<std::string>& extraEnv = {}) {
  std::string self = "/proc/self/exe", flag = "--child", roleArg = role;
  std::vector<char*> argv{self.data(), flag.data(), roleArg.data()};
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env(extraEnv);
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
  return pid;
}

inline int FinishChildProcess(pid_t pid) {
  int status = 0;
  if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace talix::testing
