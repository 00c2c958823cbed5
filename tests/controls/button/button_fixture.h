// Shared pieces of the push-button tests: a host window that hands owner-draw requests
// back to the button and records what buttons tell it, skin definitions over the test
// pictures (data/), pixel reads, and a check that each test leaves no window, GDI object
// or cached picture behind.
#pragma once

#include "tests/support/live_counts.h"
#include "tests/support/dib_surface.h"
#include "controls/QuorButtonCtrl.h"
#include "controls/QuorButtonCtrl2.h"
#include "data/button_ids.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "tests/controls/button/pieces_skin.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace buttontest {

// What the host hears from its buttons.
struct HostLog {
  std::vector<WPARAM> clicks;     // WM_COMMAND/BN_CLICKED: control ids
  std::vector<WPARAM> focus;      // UWM_BUTTONFOCUS: control ids
  std::vector<RECT> repaints;     // UWM_REPAINT: rcPaint
};

// The host fills UWM_REPAINT requests with this colour.
constexpr COLORREF kParentColor = RGB(10, 20, 30);

constexpr COLORREF kLeftColor = RGB(200, 0, 0);
constexpr COLORREF kRightColor = RGB(0, 200, 0);
constexpr COLORREF kImageColor = RGB(250, 250, 0);
constexpr int kLeftWidth = 6, kRightWidth = 8, kMiddleWidth = 4, kPieceHeight = 20;
// Column x of a middle tile; `red` tells the state (0 normal, 100 hot, 50 pressed, 150
// disabled).
inline COLORREF MiddleColor(int x, int red = 0) { return RGB(red, 0, 100 + 50 * x); }


// 0x00RRGGBB of a COLORREF, the form the pixel reads give.
inline uint32_t Rgb(COLORREF c) {
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// True when 0x00RRGGBB `a` is within 2 per channel of `b`: masked pictures are blended
// over the target, which may round an opaque pixel by one.
inline bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    if (d > 2 || d < -2) return false;
  }
  return true;
}
#define EXPECT_NEAR_RGB(a, b) EXPECT_PRED2(Near, a, b)

// A 32-bit top-down DIB in a memory DC.
using Canvas = talix::testing::DibSurface;

class ButtonTest : public ::testing::Test {
 public:
  static constexpr const char16_t* kHostClass = u"TalixButtonHost";
  static HostLog log;

 protected:
  void SetUp() override;
  void TearDown() override;

  // A shown top-level host at (x, y) on the screen.
  HWND MakeHost(int x = 0, int y = 0, int cx = 300, int cy = 120);
  // Creates `button` in `host` and settles the painting.
  HWND MakeButton(CQuorButtonCtrlBase& button, HWND host, CQuorButtonSkin* skin, RECT rc,
                  UINT id, DWORD style = 0);
  static talix::host::CapturedImage Capture(HWND hwnd);
  // Top-left of `hwnd`'s client area on the screen.
  static POINT ScreenOrigin(HWND hwnd);

 private:
  std::vector<HWND> hosts_;
  talix::testing::LiveCounts counts_;
};

}  // namespace buttontest
