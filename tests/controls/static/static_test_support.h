// Helpers of the static-control tests: the test pictures, a skinned host window whose
// back buffer is a known horizontal ramp (so that a control's transparent parts can be
// checked against what lies behind them), captures, and a fixture that leaves no window,
// GDI object, icon or cached picture behind.
#pragma once

#include "tests/support/dib_surface.h"
#include "tests/support/live_counts.h"
#include "controls/QuorStaticBitmapSkin.h"
#include "controls/QuorStaticChromeSkin.h"
#include "controls/QuorStaticCtrl.h"
#include "controls/QuorStaticGradientSkin.h"
#include "controls/QuorStaticIconSkin.h"
#include "data/statics_ids.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace statictest {

// The nine 10 x 10 pieces, in the chrome definition's order, and their colours.
constexpr UINT kPieceIds[QSC_PIECES] = {IDP_PIECE_TL,     IDP_PIECE_TOP,  IDP_PIECE_TR,
                                        IDP_PIECE_BL,     IDP_PIECE_BOTTOM, IDP_PIECE_BR,
                                        IDP_PIECE_LEFT,   IDP_PIECE_CENTER, IDP_PIECE_RIGHT};
constexpr uint32_t kPieceColors[QSC_PIECES] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                                               0xFF00FF, 0x804000, 0x408000, 0x004080};
// halves.png: 4 x 2, these two colours side by side.
constexpr uint32_t kHalfLeft = 0xC81E1E;
constexpr uint32_t kHalfRight = 0x1E1EC8;

// The host's background: at window column x (as seen on screen) red x, blue 100, in both
// layouts (skins draw unflipped in right-to-left windows too).
constexpr int kHostWidth = 200;
constexpr int kHostHeight = 120;
uint32_t HostColorAt(int screenX);

inline uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFFu; }
inline uint32_t ToRgb(COLORREF c) {
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// A 32-bit top-down DIB in a memory DC, for drawing skins directly.
using Surface = talix::testing::DibSurface;

// Columns and rows of a capture that differ from what the host shows behind them.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right/bottom exclusive
  bool Empty() const { return right < 0; }
};

class StaticTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The skinned host (ramp background) at screen (0, 0); right-to-left with `rtl`, which
  // also sets the library's layout before any skin loads.
  HWND MakeHost(bool rtl = false);
  // A control of the host; the fixture destroys the object after its window.
  CQuorStaticCtrl* MakeStatic(RECT rect, DWORD style, const char16_t* text,
                              CQuorBaseSkin* skin);
  talix::host::CapturedImage CaptureHost();
  // The part of `rect` (host client coordinates as on screen) whose pixels differ from
  // the host background.
  Ink InkIn(const talix::host::CapturedImage& image, RECT rect);
  // A 20-pixel bold font of the test fonts, deleted by the fixture.
  HFONT TestFont();

  HWND host_ = nullptr;

 private:
  std::unique_ptr<CQuorWindowImpl<CQuorBaseSkin>> hostWindow_;
  std::unique_ptr<CQuorStaticGradientSkin> hostSkin_;
  std::vector<std::unique_ptr<CQuorStaticCtrl>> statics_;
  HFONT font_ = nullptr;
  HINSTANCE savedResources_ = nullptr;
  talix::testing::LiveCounts counts_;
};

}  // namespace statictest
