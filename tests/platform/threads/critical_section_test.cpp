#include "sync_test_support.h"

#include <vector>

namespace talix::testing {
namespace {

using CriticalSectionTest = SyncTest;

TEST_F(CriticalSectionTest, ExcludesOtherThreadsAndNestsForTheOwner) {
  CRITICAL_SECTION section;
  ASSERT_TRUE(InitializeCriticalSectionAndSpinCount(&section, 4000));
  long counter = 0;  // plain: only the critical section protects it
  std::vector<std::unique_ptr<TestThread>> threads;
  for (int t = 0; t < 4; ++t)
    threads.push_back(std::make_unique<TestThread>([&] {
      for (int i = 0; i < 2000; ++i) {
        EnterCriticalSection(&section);
        EnterCriticalSection(&section);  // nested entry by the owner
        ++counter;
        LeaveCriticalSection(&section);
        LeaveCriticalSection(&section);
      }
      return DWORD{0};
    }));
  for (auto& t : threads) t->Join();
  EXPECT_EQ(counter, 8000);

  EnterCriticalSection(&section);
  TestThread contender([&] { return static_cast<DWORD>(TryEnterCriticalSection(&section)); });
  EXPECT_EQ(contender.Join(), static_cast<DWORD>(FALSE)) << "held by this thread";
  EXPECT_TRUE(TryEnterCriticalSection(&section)) << "the owner may enter again";
  LeaveCriticalSection(&section);
  LeaveCriticalSection(&section);
  TestThread later([&] {
    BOOL entered = TryEnterCriticalSection(&section);
    if (entered) LeaveCriticalSection(&section);
    return static_cast<DWORD>(entered);
  });
  EXPECT_EQ(later.Join(), static_cast<DWORD>(TRUE));
  DeleteCriticalSection(&section);
}

TEST(Interlocked, ReturnValuesFollowTheDocumentedConvention) {
  volatile LONG value = 5;
  EXPECT_EQ(InterlockedIncrement(&value), 6);
  EXPECT_EQ(InterlockedDecrement(&value), 5);
  EXPECT_EQ(InterlockedExchangeAdd(&value, 10), 5) << "the value before";
  EXPECT_EQ(value, 15);
  EXPECT_EQ(InterlockedExchange(&value, -1), 15);
  EXPECT_EQ(InterlockedCompareExchange(&value, 3, 0), -1) << "no match: unchanged";
  EXPECT_EQ(value, -1);
  EXPECT_EQ(InterlockedCompareExchange(&value, 3, -1), -1);
  EXPECT_EQ(value, 3);
  int a = 0, b = 0;
  PVOID volatile slot = &a;
  EXPECT_EQ(InterlockedExchangePointer(&slot, &b), &a);
  EXPECT_EQ(InterlockedCompareExchangePointer(&slot, &a, &a), &b);
  EXPECT_EQ(slot, &b);
  EXPECT_EQ(InterlockedCompareExchangePointer(&slot, &a, &b), &b);
  EXPECT_EQ(slot, &a);
}

TEST_F(CriticalSectionTest, InterlockedIncrementsFromManyThreadsAllCount) {
  volatile LONG counter = 0;
  std::vector<std::unique_ptr<TestThread>> threads;
  for (int t = 0; t < 4; ++t)
    threads.push_back(std::make_unique<TestThread>([&] {
      for (int i = 0; i < 5000; ++i) InterlockedIncrement(&counter);
      return DWORD{0};
    }));
  for (auto& t : threads) t->Join();
  EXPECT_EQ(counter, 20000);
}

}  // namespace
}  // namespace talix::testing
