// Helpers of the skinned button tests: the theme module loaded as an application loads
// it, a shown parent window that records the WM_COMMAND it receives, buttons placed on
// it, input aimed at them, and a check that each test leaves no window, GDI object or
// cached picture behind.
#pragma once

#include "tests/support/live_counts.h"
#include "skin/QuorCommonButton.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace buttontest {

// A common button whose look inputs tests can set directly.
class ProbeButton : public CQuorCommonButtonCtrl {
 public:
  void ForceLook(long flags, bool hot) {
    m_lStateFlags = flags;
    m_bHot = hot;
  }
};

struct Notification {
  WPARAM wParam;
  LPARAM lParam;
};

class ButtonTest : public ::testing::Test {
 public:
  static void SetUpTestSuite();

 protected:
  void SetUp() override;
  void TearDown() override;

  // A shown button of `type` (low style bits) at (x, y) of the parent.
  ProbeButton& AddButton(UINT id, DWORD type = BS_PUSHBUTTON, int x = 20, int y = 20,
                         ECommonButtonSize size = COMMON_BUTTON_MEDIUM, DWORD extraStyle = 0);
  // Screen points in the middle of `hwnd` and well outside it (still over the parent).
  static POINT Centre(HWND hwnd);
  POINT Outside() const;
  // Delivers everything injected and paints.
  static void Settle() { talix::host::PumpMessagesUntilIdle(); }
  // The WM_COMMAND notifications the parent received since the last call.
  std::vector<Notification> TakeNotifications();

  static HINSTANCE Theme() { return theme_; }

  HWND parent_ = nullptr;
  std::vector<std::unique_ptr<ProbeButton>> buttons_;

 private:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  static HINSTANCE theme_;
  static std::vector<Notification>* received_;
  std::vector<Notification> notifications_;
  talix::testing::LiveCounts counts_;
};

}  // namespace buttontest
