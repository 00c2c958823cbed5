// Helpers of the input tests: a window class whose procedure records messages with their
// parameters and answers chosen messages as a test says, and a fixture that starts each
// test with a clean input state on the virtual clock and checks that no window or hook
// is left behind.
#pragma once

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

namespace talix::testing {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

struct Step {
  HWND hwnd;
  UINT msg;
  bool operator==(const Step& o) const { return hwnd == o.hwnd && msg == o.msg; }
};

inline void PrintTo(const Step& s, std::ostream* os) {
  *os << "{" << reinterpret_cast<uintptr_t>(s.hwnd) << ", 0x" << std::hex << s.msg << std::dec << "}";
}

inline std::vector<Seen>& SeenLog() {
  static std::vector<Seen> log;
  return log;
}

// Answers for (window, message); the default procedure runs for everything else.
inline std::map<std::pair<HWND, UINT>, LRESULT>& Answers() {
  static std::map<std::pair<HWND, UINT>, LRESULT> answers;
  return answers;
}

inline LRESULT CALLBACK InputRecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  SeenLog().push_back(Seen{hwnd, msg, wParam, lParam});
  auto it = Answers().find({hwnd, msg});
  if (it != Answers().end()) return it->second;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

constexpr const char16_t* kInputClass = u"TalixInputTestWindow";
constexpr const char16_t* kPlainClass = u"TalixInputPlainWindow";  // no CS_DBLCLKS

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::UseVirtualClock(true);
    host::ResetInput();
    hooksBefore_ = host::LiveHandles(HandleKind::Hook);
    for (auto [name, style] : {std::pair{kInputClass, UINT{CS_DBLCLKS}}, std::pair{kPlainClass, UINT{0}}}) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.style = style;
      wc.lpfnWndProc = InputRecordingProc;
      wc.lpszClassName = name;
      ASSERT_NE(RegisterClassExW(&wc), 0);
    }
    host::MouseMove(0, 0);
    Pump();
    SeenLog().clear();
    Answers().clear();
  }
  void TearDown() override {
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::Hook), hooksBefore_) << "hooks leaked";
    EXPECT_TRUE(UnregisterClassW(kInputClass, nullptr));
    EXPECT_TRUE(UnregisterClassW(kPlainClass, nullptr));
    host::ResetInput();
    Pump();
    Answers().clear();
  }
  static void Pump() { host::PumpMessagesUntilIdle(); }
  HWND Make(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, DWORD exStyle = 0,
            const char16_t* cls = kInputClass) {
    return CreateWindowExW(exStyle, cls, u"input", style, x, y, cx, cy, parent, nullptr, nullptr,
                           nullptr);
  }
  // The recorded messages of interest, in order, and clears the log.
  static std::vector<Step> Take(const std::set<UINT>& wanted) {
    std::vector<Step> steps;
    for (const Seen& s : SeenLog())
      if (wanted.count(s.msg)) steps.push_back(Step{s.hwnd, s.msg});
    SeenLog().clear();
    return steps;
  }
  // The first recorded message of a kind to a window (null when none).
  static const Seen* Find(HWND hwnd, UINT msg) {
    for (const Seen& s : SeenLog())
      if (s.hwnd == hwnd && s.msg == msg) return &s;
    return nullptr;
  }

 private:
  size_t hooksBefore_ = 0;
};

}  // namespace talix::testing
