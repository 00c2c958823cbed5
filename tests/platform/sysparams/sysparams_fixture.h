// Tests of the system parameters and monitors: each starts from the default screen and
// default parameters and puts them back afterwards.
#pragma once

#include <talix/host_screen.h>
#include <windows.h>

#include <gtest/gtest.h>

namespace talix::sysparams::testing {

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = host::GetScreenParams();
    host::ScreenParams defaults;
    defaults.workArea = RECT{};  // the screen less the task bar band
    host::SetScreenParams(defaults);
    host::ResetSystemParameters();
  }
  void TearDown() override {
    host::SetScreenParams(saved_);
    host::ResetSystemParameters();
  }
  static void SetScreen(int width, int height, int dpi, RECT workArea = RECT{}) {
    host::ScreenParams p;
    p.width = width;
    p.height = height;
    p.dpi = dpi;
    p.workArea = workArea;
    host::SetScreenParams(p);
  }

 private:
  host::ScreenParams saved_;
};

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace talix::sysparams::testing
