// Fixture of the tooltip tests: a visible, active top-level window with two child tool
// windows, and a tooltip owned by it. The host window procedure (shared by the parent and
// the tools) records every notification the tooltip sends, answers them as a test chooses
// and, where a test asks, relays its own mouse input to the tooltip. Each test runs on the
// virtual clock and must leave no window and no GDI object behind.
#pragma once

#include <talix/host.h>
#include <talix/host_capture.h>
#include <talix/host_input.h>
#include <talix/host_windows.h>
#include <windows.h>
#include <win/commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace talix::testing {

struct Notice {
  HWND to;
  UINT code;
  UINT_PTR id;
  DWORD stage;  // NM_CUSTOMDRAW's draw stage, else 0
  bool operator==(const Notice& o) const {
    return to == o.to && code == o.code && id == o.id && stage == o.stage;
  }
};

struct HostRecord {
  std::vector<Notice> notices;
  std::vector<UINT> mouseMessages;       // mouse messages the tool windows' own procedure saw
  HWND relayTo = nullptr;                // relays the windows' mouse input here when set
  const char16_t* dispText = u"";        // copied into szText for TTN_GETDISPINFOW
  UINT dispFlags = 0;                    // or'ed into NMTTDISPINFOW.uFlags
  UINT dispResource = 0;                 // when set: answer with this string resource
  std::optional<POINT> placeAt;          // TTN_SHOW: move the tip there and answer TRUE
  std::optional<SIZE> resizeTo;          // TTN_SHOW: size the tip so and answer FALSE
  bool paintsAfter = false;              // CDDS_POSTPAINT: fill the whole tip window
  UINT destroyOn = 0;                    // destroys the tooltip when this code arrives
  LRESULT prepaintAnswer = CDRF_DODEFAULT;
  COLORREF ownerFill = RGB(255, 0, 255);  // what the owner paints when it skips the default
};

constexpr const char16_t* kHostClass = u"TalixTooltipHost";

HostRecord& Host();
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class TooltipTest : public ::testing::Test {
 protected:
  static constexpr int kParentX = 100, kParentY = 100;
  static constexpr int kToolX = 20, kToolY = 20, kToolW = 100, kToolH = 30;
  static constexpr int kSecondX = 200;
  static constexpr UINT_PTR kToolId = 7, kSecondId = 8;

  void SetUp() override;
  void TearDown() override;

  static void Pump() { host::PumpMessagesUntilIdle(); }
  static void Advance(uint64_t ms) {
    host::AdvanceClock(ms);
    Pump();
  }
  // Moves the cursor to client point x, y of `hwnd`.
  static void MoveTo(HWND hwnd, int x, int y);

  // A tool for the whole client area of `window`, registered with (window, id).
  BOOL AddTool(HWND window, UINT_PTR id, UINT flags, LPCWSTR text,
               UINT size = TTTOOLINFOW_V3_SIZE, LPARAM lParam = 0);
  TTTOOLINFOW Info(HWND window, UINT_PTR id, UINT size = TTTOOLINFOW_V3_SIZE) const;
  std::u16string TextOf(HWND window, UINT_PTR id);
  bool TipVisible() const { return IsWindowVisible(tip_) != FALSE; }
  RECT TipRect() const;
  UINT InitialDelay() const { return UINT(SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0)); }
  // Hovers over the middle of `tool` and waits out the initial delay.
  void HoverUntilShown(HWND tool);

  static std::vector<Notice> TakeNotices();
  static std::vector<UINT> Codes(const std::vector<Notice>& notices);

  HWND parent_ = nullptr;
  HWND tool_ = nullptr;
  HWND second_ = nullptr;
  HWND tip_ = nullptr;

 private:
  size_t gdiBefore_ = 0;
};

}  // namespace talix::testing
