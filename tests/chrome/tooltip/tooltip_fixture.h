// Fixture of the skinned tooltip tests: an active top-level window with two child tool
// windows of a class whose procedure answers a probe message, so a test can tell that
// the window's own procedure still runs. Runs on the virtual clock; every test must leave
// no window, no GDI object and no property behind.
#pragma once

#include "chrome/QuorTooltip.h"

#include <talix/host.h>
#include <windows.h>
#include <win/commctrl.h>

#include <gtest/gtest.h>

namespace tiptest {

// Answered by the tool windows' own procedure with kProbeAnswer.
constexpr UINT kProbeMessage = WM_APP + 5;
constexpr LRESULT kProbeAnswer = 0x5A5A;

class TooltipTest : public ::testing::Test {
 protected:
  static constexpr int kToolW = 100, kToolH = 30;
  static constexpr int kFirstId = 11, kSecondId = 12;

  void SetUp() override;
  void TearDown() override;

  // A shown top-level window (destroyed by TearDown unless the test did).
  HWND MakeTop();
  // A child tool window of `parent` at (x, 20) with control id `id`.
  HWND MakeTool(HWND parent, int x, int id);

  static void Pump() { talix::host::PumpMessagesUntilIdle(); }
  static void Advance(uint64_t ms) {
    talix::host::AdvanceClock(ms);
    Pump();
  }
  // Rests the cursor on the middle of `tool` until the tooltip would show.
  static void HoverUntilShown(HWND tool);
  // Moves the cursor onto the top-level window beside the tools and waits for the
  // tooltip to notice.
  static void Leave(HWND top);

  static HWND SharedWindow(HWND top) {
    return static_cast<HWND>(GetPropW(top, CQuorTooltip::kWindowProperty));
  }
  // The count property's value; -1 when the property is missing.
  static int Count(HWND top);
  static LRESULT ToolCount(HWND tooltip) { return SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0); }

  HWND top_ = nullptr;
  HWND first_ = nullptr;
  HWND second_ = nullptr;

 private:
  size_t gdiObjects_ = 0;
  size_t windows_ = 0;
};

}  // namespace tiptest
