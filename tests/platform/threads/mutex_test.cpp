#include "sync_test_support.h"

namespace talix::testing {
namespace {

using MutexTest = SyncTest;

// Whether another thread could take the mutex right now (it releases it again).
bool FreeForOthers(HANDLE mutex) {
  TestThread other([mutex] {
    DWORD result = WaitForSingleObject(mutex, 0);
    if (result == WAIT_OBJECT_0) ReleaseMutex(mutex);
    return result;
  });
  return other.Join() == WAIT_OBJECT_0;
}

TEST_F(MutexTest, OwnershipIsRecursiveAndOnlyTheOwnerReleases) {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, nullptr);
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
  TestThread stranger([mutex] { return ReleaseMutex(mutex) ? DWORD{0} : GetLastError(); });
  EXPECT_EQ(stranger.Join(), static_cast<DWORD>(ERROR_NOT_OWNER));

  for (int held = 3; held > 0; --held) {
    EXPECT_FALSE(FreeForOthers(mutex)) << held << " acquisitions still held";
    EXPECT_TRUE(ReleaseMutex(mutex));
  }
  EXPECT_TRUE(FreeForOthers(mutex));
  SetLastError(0);
  EXPECT_FALSE(ReleaseMutex(mutex));
  EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
  EXPECT_TRUE(CloseHandle(mutex));
}

TEST_F(MutexTest, MutexOfAnEndedOwnerIsAbandonedOnce) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  TestThread owner([mutex] { return WaitForSingleObject(mutex, INFINITE); });
  EXPECT_EQ(owner.Join(), WAIT_OBJECT_0);  // it ended still holding the mutex

  HANDLE both[] = {event, mutex};
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_ABANDONED_0 + 1);
  EXPECT_TRUE(ReleaseMutex(mutex)) << "the abandoned mutex now belongs to this thread";
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0) << "abandonment is reported once";
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_TRUE(CloseHandle(mutex));
  EXPECT_TRUE(CloseHandle(event));
}

TEST_F(MutexTest, NamedMutexesAreSharedAndInitialOwnershipGoesToTheCreatorOnly) {
  HANDLE first = CreateMutexW(nullptr, TRUE, u"talix-test-mutex");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  TestThread second([] {
    HANDLE again = CreateMutexW(nullptr, TRUE, u"talix-test-mutex");
    DWORD error = GetLastError();
    DWORD probe = WaitForSingleObject(again, 0);  // the creator still owns it
    CloseHandle(again);
    return error == ERROR_ALREADY_EXISTS && probe == WAIT_TIMEOUT ? DWORD{0} : DWORD{1};
  });
  EXPECT_EQ(second.Join(), 0u);
  HANDLE opened = OpenMutexW(SYNCHRONIZE, FALSE, u"talix-test-mutex");
  ASSERT_NE(opened, nullptr);
  EXPECT_TRUE(ReleaseMutex(opened)) << "one object behind both handles";
  EXPECT_TRUE(CloseHandle(first));
  EXPECT_TRUE(CloseHandle(opened));
  EXPECT_EQ(OpenMutexW(SYNCHRONIZE, FALSE, u"talix-test-mutex"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace talix::testing
