// Helpers of the skin tests: a test skin that paints known colours, a host window class,
// pixel captures and a check that every test leaves no window and no GDI object behind.
#pragma once

#include "draw/QuorGraphics.h"
#include "frame/QuorLib.h"
#include "skin/QuorBaseSkin.h"
#include "skin/QuorWindowImpl.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace skintest {

// What the test skin paints: with `pattern` the whole surface gets PatternAt (so that a
// copy from the wrong place shows); `opaque` is filled with `color`; the rest of the
// surface is left as the back buffer had it, that is transparent. The skin holds no
// pictures: a definition naming one (`pictureId` non-zero) makes it invalid, as a
// picture that failed to load would. With `askParent` the skin first has the window's
// parent paint the background (UWM_REPAINT into the buffer being built), as skins
// without a background picture of their own do.
struct TestSkinDef {
  BOOL pattern;
  RECT opaque;
  COLORREF color;
  UINT pictureId;
  BOOL askParent;
};

// 0xFFRRGGBB, the form captures report.
inline uint32_t Argb(COLORREF c) {
  return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) |
         GetBValue(c);
}
inline COLORREF PatternAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, 0x80); }

class TestSkin : public CQuorBaseSkinImpl<TestSkin, TestSkinDef> {
 public:
  TestSkin() { m_SkinDef = m_DefaultSkinDef; }
  explicit TestSkin(const TestSkinDef& def) { m_SkinDef = def; }

  void Load() override { Validate(); }
  void Validate() override {
    m_nState = m_SkinDef.pictureId ? QUOR_SKIN_INVALID : QUOR_SKIN_VALID;
  }
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  int draws = 0;
  CQuorWindow* lastWindow = nullptr;

  static TestSkinDef m_DefaultSkinDef;
};

// The position pattern over the whole cx x cy surface of dc.
void DrawPattern(HDC dc, int cx, int cy);

// Leaves no window, no GDI object and no layout change behind; gives tests a host class.
class SkinTest : public ::testing::Test {
 public:
  static constexpr const char16_t* kHostClass = u"TalixSkinHost";

 protected:
  void SetUp() override;
  void TearDown() override;

  // A shown top-level popup of the host class (destroyed by TearDown).
  HWND MakeTop(int x, int y, int cx, int cy, DWORD exStyle = 0);
  static talix::host::CapturedImage Capture(HWND hwnd);

 private:
  std::vector<HWND> tops_;
  size_t gdiObjects_ = 0;
  size_t windows_ = 0;
};

}  // namespace skintest
