#include "platform/kernel/sync/shared_event.h"
#include "platform/kernel/utf.h"
#include "sync_test_support.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace talix::testing {

// The child's side: open the "go" event, wait for it, then set the existing "reply"
// event. The exit status tells the parent which step failed.
int RunEventChild(int argc, char** argv) {
  if (argc != 2) return 2;
  std::u16string goName = FromUtf8(argv[0]), replyName = FromUtf8(argv[1]);
  HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, goName.c_str());
  if (!go) return 10;
  if (WaitForSingleObject(go, 60000) != WAIT_OBJECT_0) return 11;
  HANDLE reply = CreateEventW(nullptr, FALSE, FALSE, replyName.c_str());
  if (!reply || GetLastError() != ERROR_ALREADY_EXISTS) return 12;
  if (!SetEvent(reply)) return 13;
  CloseHandle(reply);
  CloseHandle(go);
  return 0;
}

namespace {

using SharedEventTest = SyncTest;

std::u16string UniqueName(const char* role) {
  return FromUtf8(std::string("talix-test-") + role + "-" + std::to_string(getpid()));
}

bool SegmentExists(const std::u16string& name) {
  int fd = shm_open(SharedEventSegmentName(name).c_str(), O_RDONLY, 0);
  if (fd < 0) return errno != ENOENT;
  close(fd);
  return true;
}

TEST_F(SharedEventTest, GlobalEventSignalsBetweenProcesses) {
  std::u16string goName = UniqueName("go"), replyName = UniqueName("reply");
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, (u"Global\\" + goName).c_str());
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  HANDLE reply = CreateEventW(nullptr, FALSE, FALSE, (u"Global\\" + replyName).c_str());
  ASSERT_NE(reply, nullptr);
  HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);

  pid_t child = StartChildProcess("event", {ToUtf8(u"Global\\" + goName),
                                            ToUtf8(u"Global\\" + replyName)});
  ASSERT_GT(child, 0);
  EXPECT_TRUE(SetEvent(go));
  HANDLE watched[] = {stop, reply};  // a local and a shared event in one wait
  EXPECT_EQ(WaitForMultipleObjects(2, watched, FALSE, 60000), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(FinishChildProcess(child), 0) << "the child's failing step";
  EXPECT_EQ(WaitForSingleObject(reply, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "auto reset";

  EXPECT_TRUE(SegmentExists(goName));
  for (HANDLE h : {go, reply, stop}) EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(SegmentExists(goName)) << "the last handle anywhere removes the name";
  EXPECT_FALSE(SegmentExists(replyName));
}

TEST_F(SharedEventTest, GlobalEventsInOneProcessShareOneObject) {
  std::u16string name = u"Global\\" + UniqueName("local-share");
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, name.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  HANDLE created = CreateEventW(nullptr, FALSE, FALSE, name.c_str());
  HANDLE opened = OpenEventW(EVENT_ALL_ACCESS, FALSE, name.c_str());
  ASSERT_NE(opened, nullptr);
  TestThread setter([opened] { return static_cast<DWORD>(SetEvent(opened)); });
  EXPECT_EQ(WaitForSingleObject(created, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(setter.Join(), static_cast<DWORD>(TRUE));
  EXPECT_EQ(WaitForSingleObject(opened, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "consumed";
  EXPECT_TRUE(SetEvent(created));
  EXPECT_TRUE(ResetEvent(opened));
  EXPECT_EQ(WaitForSingleObject(created, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(CloseHandle(created));
  EXPECT_TRUE(CloseHandle(opened));
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, name.c_str()), nullptr) << "gone with its handles";
}

TEST(SharedEventSegment, NamesAreSafeAndDistinct) {
  std::u16string hostile(MAX_PATH - 7, u'/');
  hostile += u"..\u00e9\u05d0";
  for (const std::u16string& name : {hostile, std::u16string(u"a/b"), std::u16string(u"a_b")}) {
    std::string segment = SharedEventSegmentName(name);
    EXPECT_LT(segment.size(), 255u);
    EXPECT_EQ(segment.find('/', 1), std::string::npos) << segment;
  }
  EXPECT_NE(SharedEventSegmentName(u"a/b"), SharedEventSegmentName(u"a_b"));
  EXPECT_NE(SharedEventSegmentName(u"Ev"), SharedEventSegmentName(u"ev")) << "case-sensitive";
}

}  // namespace
}  // namespace talix::testing
