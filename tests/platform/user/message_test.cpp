// Queues: posting, peeking, filters, WM_QUIT, sending across threads.
#include "user_test_support.h"

#include <atomic>
#include <thread>

namespace talix::testing {
namespace {

std::vector<UINT> Drain(HWND filter = nullptr) {
  std::vector<UINT> got;
  MSG msg;
  while (PeekMessageW(&msg, filter, 0, 0, PM_REMOVE)) got.push_back(msg.message);
  return got;
}

TEST_F(UserTest, PostedMessagesComeInOrderAndQuitComesLast) {
  HWND hwnd = Make(WS_POPUP);
  PostMessageW(hwnd, WM_USER + 1, 0, 0);
  PostQuitMessage(3);
  PostMessageW(hwnd, WM_USER + 2, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_USER + 3, 0, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));  // thread messages only
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  DestroyWindow(hwnd);
}

TEST_F(UserTest, DestroyingAWindowDropsItsPostedMessages) {
  HWND a = Make(WS_POPUP), b = Make(WS_POPUP);
  PostMessageW(a, WM_USER, 0, 0);
  PostMessageW(b, WM_USER + 1, 0, 0);
  DestroyWindow(a);
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_USER + 1});
  DestroyWindow(b);
}

TEST_F(UserTest, RegisteredMessagesAreStableAndInRange) {
  UINT a = RegisterWindowMessageW(u"TalixTestMessage");
  EXPECT_GE(a, 0xC000u);
  EXPECT_LE(a, 0xFFFFu);
  EXPECT_EQ(RegisterWindowMessageW(u"talixtestmessage"), a);
  EXPECT_NE(RegisterWindowMessageW(u"TalixOtherMessage"), a);
  EXPECT_EQ(RegisterWindowMessageW(u""), 0u);
}

// A window on its own thread, pumping until WM_QUIT.
class WindowThread {
 public:
  WindowThread() {
    thread_ = std::thread([this] {
      hwnd_ = CreateWindowExW(0, kRecordingClass, u"other", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, nullptr, nullptr);
      threadId_ = GetCurrentThreadId();
      ready_.store(true);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
      DestroyWindow(hwnd_);
    });
    while (!ready_.load()) std::this_thread::yield();
  }
  ~WindowThread() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND hwnd() const { return hwnd_; }

 private:
  std::thread thread_;
  std::atomic<bool> ready_{false};
  HWND hwnd_ = nullptr;
  DWORD threadId_ = 0;
};

// Sends back to the window named in wParam before answering.
LRESULT CALLBACK BouncingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER + 10) {
    LRESULT back = SendMessageW(reinterpret_cast<HWND>(wParam), WM_USER + 11, 0, 0);
    return back + 1;
  }
  if (msg == WM_USER + 11) return InSendMessage() ? 100 : -100;
  if (msg == WM_USER + 12) return static_cast<LRESULT>(GetCurrentThreadId());
  return RecordingProc(hwnd, msg, wParam, lParam);
}

TEST_F(UserTest, CrossThreadSendsRunOnTheOwnerAndNestWithoutDeadlock) {
  WindowThread other;
  HWND local = Make(WS_POPUP);
  SetWindowLongPtrW(local, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BouncingProc));
  SendMessageW(other.hwnd(), WM_NULL, 0, 0);  // settles the other thread in its loop
  SetWindowLongPtrW(other.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BouncingProc));
  DWORD ownerThread = GetWindowThreadProcessId(other.hwnd(), nullptr);
  EXPECT_EQ(static_cast<DWORD>(SendMessageW(other.hwnd(), WM_USER + 12, 0, 0)), ownerThread);
  EXPECT_NE(ownerThread, GetCurrentThreadId());
  // The other thread sends back to us while we wait for it: we run that send meanwhile.
  EXPECT_EQ(SendMessageW(other.hwnd(), WM_USER + 10, reinterpret_cast<WPARAM>(local), 0), 101);
  EXPECT_FALSE(InSendMessage());
  WCHAR text[16];
  EXPECT_EQ(GetWindowTextW(other.hwnd(), text, 16), 5);
  EXPECT_EQ(std::u16string(text), u"other");
  EXPECT_EQ(SetWindowLongPtrW(other.hwnd(), GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(RecordingProc)),
            reinterpret_cast<LONG_PTR>(BouncingProc));
  SetLastError(0);
  EXPECT_FALSE(DestroyWindow(other.hwnd()));  // only the owner thread may
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  DestroyWindow(local);
}

TEST_F(UserTest, PostsFromOtherThreadsWakeGetMessage) {
  HWND hwnd = Make(WS_POPUP);
  constexpr int kPosts = 200;
  std::thread poster([hwnd] {
    for (int i = 0; i < kPosts; ++i) PostMessageW(hwnd, WM_USER, static_cast<WPARAM>(i), 0);
  });
  MSG msg;
  for (int i = 0; i < kPosts; ++i) {
    ASSERT_EQ(GetMessageW(&msg, hwnd, 0, 0), TRUE);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(i));  // one poster keeps its order
  }
  poster.join();
  DestroyWindow(hwnd);
}

TEST_F(UserTest, MsgWaitForMultipleObjectsWakesOnNewInputOnly) {
  HWND hwnd = Make(WS_POPUP);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT),
            static_cast<DWORD>(WAIT_TIMEOUT));
  std::thread poster([hwnd] { PostMessageW(hwnd, WM_USER, 0, 0); });
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_POSTMESSAGE),
            static_cast<DWORD>(WAIT_OBJECT_0));
  poster.join();
  EXPECT_NE(HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE, 0);
  // Already seen: only MWMO_INPUTAVAILABLE counts it again.
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_POSTMESSAGE, 0),
            static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_POSTMESSAGE, MWMO_INPUTAVAILABLE),
            static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_USER});
  DestroyWindow(hwnd);
}

TEST_F(UserTest, SendNotifyAndCloseGoThroughTheOwner) {
  HWND hwnd = Make(WS_POPUP);
  MessageLog::Get().Take();
  std::thread notifier([hwnd] { SendNotifyMessageW(hwnd, WM_USER + 5, 0, 0); });
  notifier.join();
  EXPECT_TRUE(MessageLog::Get().Take().empty());  // runs only when we look at the queue
  Drain();
  EXPECT_EQ(MessageLog::Get().TakeMessages(), std::vector<UINT>{WM_USER + 5});
  SendMessageW(hwnd, WM_CLOSE, 0, 0);  // DefWindowProcW destroys the window
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace talix::testing
