#include "sync_test_support.h"

#include <atomic>
#include <set>
#include <vector>

namespace talix::testing {
namespace {

using ThreadTest = SyncTest;

DWORD WINAPI WaitThenReturn(LPVOID event) {
  WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
  return 7;
}

TEST_F(ThreadTest, HandleIsSignalledWhenTheRoutineReturnsAndKeepsItsExitCode) {
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, &WaitThenReturn, go, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(GetThreadId(thread), id);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "stays signalled";
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_FALSE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(CloseHandle(go));
}

DWORD WINAPI MarkRan(LPVOID flag) {
  static_cast<std::atomic<DWORD>*>(flag)->store(GetCurrentThreadId());
  return 0;
}

TEST_F(ThreadTest, SuspendedThreadRunsOnlyAfterResume) {
  std::atomic<DWORD> ranAs{0};
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, &MarkRan, &ranAs, CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(ranAs.load(), 0u);
  EXPECT_EQ(ResumeThread(thread), 1u) << "previous suspend count";
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(ranAs.load(), id) << "runs with the id it was given";
  EXPECT_EQ(ResumeThread(thread), 0u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(ResumeThread(thread), static_cast<DWORD>(-1));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(ThreadTest, ExitThreadEndsTheThreadWithItsCode) {
  static std::atomic<bool> passedExit{false};
  struct Nested {
    static void Leave() { ExitThread(42); }
    static DWORD WINAPI Run(LPVOID) {
      Leave();
      passedExit = true;
      return 1;
    }
  };
  HANDLE thread = CreateThread(nullptr, 0, &Nested::Run, nullptr, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_FALSE(passedExit);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST_F(ThreadTest, ThreadIdsAreUniqueAndMatchInsideAndOutside) {
  std::vector<std::unique_ptr<TestThread>> threads;
  std::vector<std::atomic<DWORD>> inside(16);
  for (size_t i = 0; i < inside.size(); ++i)
    threads.push_back(std::make_unique<TestThread>([&inside, i] {
      inside[i] = GetCurrentThreadId();
      return DWORD{0};
    }));
  std::set<DWORD> ids{GetCurrentThreadId()};
  for (size_t i = 0; i < threads.size(); ++i) {
    DWORD id = threads[i]->id();
    threads[i]->Join();
    EXPECT_EQ(inside[i].load(), id);
    EXPECT_TRUE(ids.insert(id).second) << "id " << id << " handed out twice";
  }
  EXPECT_EQ(ids.count(0), 0u);
}

TEST_F(ThreadTest, PseudoHandlesAndArgumentErrors) {
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(GetCurrentThread(), &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(GetThreadId(GetCurrentThread()), GetCurrentThreadId());
  EXPECT_NE(GetCurrentProcessId(), 0u);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_BELOW_NORMAL);
  EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 99));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

}  // namespace
}  // namespace talix::testing
