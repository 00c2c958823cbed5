// Helpers of the tab-control tests: the 18 test pictures (one colour each), a host window
// that records what the tab control asks of it, a skinned tab control in it, captures of
// the control, and a fixture that leaves no window, GDI object or cached picture behind.
#pragma once

#include "tests/support/dib_surface.h"
#include "tests/support/live_counts.h"
#include "controls/QuorTabCtrl.h"
#include "controls/QuorTabSkin.h"
#include "data/tab_ids.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace tabtest {

// Colour (0xRRGGBB) and size of test picture i (data/piece_i.png).
struct Piece {
  uint32_t color;
  int cx, cy;
};
constexpr Piece kPieces[QUOR_TAB_BITMAPS] = {
    {0x808080, 2, 2},  {0xFF0000, 3, 4},  {0x00FF00, 3, 3},  {0x0000FF, 5, 5},
    {0xFFFF00, 3, 4},  {0x00FFFF, 4, 4},  {0xFF00FF, 4, 3},  {0x404040, 2, 2},
    {0x804000, 4, 2},  {0x408000, 4, 20}, {0x004080, 4, 20}, {0x800040, 4, 20},
    {0x400080, 4, 16}, {0x808000, 4, 16}, {0x008080, 4, 16}, {0x800080, 6, 16},
    {0xC06000, 6, 20}, {0x00C060, 6, 16}};
constexpr uint32_t kHostColor = 0x203040;       // the host's answer to UWM_REPAINT
constexpr uint32_t kTextColor = 0xF0F0F0;
constexpr uint32_t kSelectedTextColor = 0xE0E000;
constexpr int kTabWidth = 60, kTabHeight = 20;  // TCS_FIXEDWIDTH tabs

inline uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFFu; }

// A definition naming every test picture, the test font and the caption colours.
CQuorTabSkinDef TestSkinDef(HFONT font);

// What the host saw: UWM_REPAINT requests (in order) and tab notifications.
struct HostLog {
  std::vector<RECT> repaints;
  std::vector<UINT> notifications;
};
HostLog& Log();

// A 32-bit top-down DIB in a memory DC.
using Surface = talix::testing::DibSurface;

// Fails the test where the pixel at (x, y) of the capture does not show picture `piece`.
void ExpectPiece(const talix::host::CapturedImage& image, int x, int y, int piece);

class TabTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The host (300 x 200 at screen (0, 0); right-to-left with `rtl`) and a tab control of
  // `size` in it at (10, 10) with fixed-width tabs named by `texts`, selection `selected`.
  CQuorTabCtrl* MakeTabs(std::vector<const char16_t*> texts, int selected, DWORD style = 0,
                         SIZE size = {240, 150}, bool rtl = false);
  void MakeHost(bool rtl);
  talix::host::CapturedImage Capture();
  RECT ItemRect(int index);
  HFONT TestFont();

  HWND host_ = nullptr;
  std::unique_ptr<CQuorTabSkin> skin_;
  std::unique_ptr<CQuorTabCtrl> tabs_;

 private:
  HFONT font_ = nullptr;
  HINSTANCE savedResources_ = nullptr;
  talix::testing::LiveCounts counts_;
};

}  // namespace tabtest
