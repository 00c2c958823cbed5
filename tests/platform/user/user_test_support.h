// Helpers of the window manager tests: a class whose procedure records the messages it
// gets, and a check that every test leaves no window behind.
#pragma once

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace talix::testing {

struct Logged {
  HWND hwnd;
  UINT msg;
  bool operator==(const Logged& o) const { return hwnd == o.hwnd && msg == o.msg; }
};

// The messages recorded by RecordingProc, from any thread.
class MessageLog {
 public:
  static MessageLog& Get() {
    static MessageLog log;
    return log;
  }
  void Add(HWND hwnd, UINT msg) {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_back(Logged{hwnd, msg});
  }
  std::vector<Logged> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Logged> out;
    out.swap(entries_);
    return out;
  }
  std::vector<UINT> TakeMessages() {
    std::vector<UINT> msgs;
    for (const Logged& l : Take()) msgs.push_back(l.msg);
    return msgs;
  }

 private:
  std::mutex mutex_;
  std::vector<Logged> entries_;
};

// Per-window reactions a test can set: results for WM_NCCREATE / WM_CREATE.
inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MessageLog::Get().Add(hwnd, msg);
  if (msg == WM_CREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (cs->lpCreateParams == reinterpret_cast<void*>(1)) return -1;
  }
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (cs->lpCreateParams == reinterpret_cast<void*>(2)) return FALSE;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

constexpr const char16_t* kRecordingClass = u"TalixRecordingWindow";

class UserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingProc;
    wc.cbWndExtra = 16;
    wc.cbClsExtra = 8;
    wc.lpszClassName = kRecordingClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    MessageLog::Get().Take();
  }
  void TearDown() override {
    EXPECT_TRUE(UnregisterClassW(kRecordingClass, nullptr));
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  HWND Make(DWORD style, HWND parent = nullptr, DWORD exStyle = 0, void* param = nullptr,
            int id = 0) {
    return CreateWindowExW(exStyle, kRecordingClass, u"title", style, 10, 20, 200, 100, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, param);
  }
};

}  // namespace talix::testing
