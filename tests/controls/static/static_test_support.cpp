#include "static_test_support.h"

#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"

#include <cstdlib>

namespace statictest {
namespace {

// Text resolves through the text tests' private fontconfig setup.
const bool kPrivateFonts = [] {
  setenv("FONTCONFIG_FILE", TALIX_SOURCE_DIR "/tests/platform/text/data/fonts.conf", 1);
  return true;
}();

constexpr const char16_t* kHostClass = u"TalixStaticTestHost";

}  // namespace

uint32_t HostColorAt(int screenX) {
  return uint32_t(screenX) << 16 | 100u;
}

void StaticTest::SetUp() {
  ASSERT_TRUE(kPrivateFonts);
  talix::testing::MakeSharedSystemObjects();
  CQuorLib::m_dwLayout = 0;
  savedResources_ = CQuorLib::GetResourceInstance();
  CQuorLib::SetResourceInstance(GetModuleHandleW(nullptr));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kHostClass;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  counts_ = talix::testing::LiveCounts::Now();
}

void StaticTest::TearDown() {
  if (host_) DestroyWindow(host_);
  talix::host::PumpMessagesUntilIdle();
  statics_.clear();
  hostWindow_.reset();
  hostSkin_.reset();
  if (font_) DeleteObject(font_);
  UnregisterClassW(kHostClass, nullptr);
  CQuorLib::m_dwLayout = 0;
  CQuorLib::SetResourceInstance(savedResources_);
  counts_.ExpectUnchanged();
}

HWND StaticTest::MakeHost(bool rtl) {
  CQuorLib::m_dwLayout = rtl ? 1 : 0;
  hostSkin_ = std::make_unique<CQuorStaticGradientSkin>();
  // Red x at buffer column x: one red step per column.
  hostSkin_->SetSkinDef({RGB(0, 0, 100), RGB(kHostWidth, 0, 100)});
  hostSkin_->Load();
  hostWindow_ = std::make_unique<CQuorWindowImpl<CQuorBaseSkin>>();
  hostWindow_->SetSkin(hostSkin_.get());
  RECT rect{0, 0, kHostWidth, kHostHeight};
  host_ = hostWindow_->Create(kHostClass, nullptr, rect, u"", 0, WS_POPUP | WS_VISIBLE,
                              rtl ? WS_EX_LAYOUTRTL : 0, nullptr);
  EXPECT_TRUE(host_);
  return host_;
}

CQuorStaticCtrl* StaticTest::MakeStatic(RECT rect, DWORD style, const char16_t* text,
                                        CQuorBaseSkin* skin) {
  statics_.push_back(std::make_unique<CQuorStaticCtrl>());
  CQuorStaticCtrl* control = statics_.back().get();
  control->SetSkin(skin);
  EXPECT_TRUE(control->Create(host_, rect, 100 + UINT(statics_.size()),
                              WS_CHILD | WS_VISIBLE | style, 0));
  if (text) SetWindowTextW(control->m_hWnd, text);
  return control;
}

talix::host::CapturedImage StaticTest::CaptureHost() {
  talix::host::PumpMessagesUntilIdle();
  talix::host::CapturedImage image;
  EXPECT_TRUE(talix::host::CaptureWindow(host_, &image));
  return image;
}

Ink StaticTest::InkIn(const talix::host::CapturedImage& image, RECT rect) {
  Ink ink;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      if (Rgb(image.At(x, y)) == HostColorAt(x)) continue;
      ink.left = std::min(ink.left, x);
      ink.top = std::min(ink.top, y);
      ink.right = std::max(ink.right, x + 1);
      ink.bottom = std::max(ink.bottom, y + 1);
    }
  return ink;
}

HFONT StaticTest::TestFont() {
  if (!font_)
    font_ = CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH, u"Liberation Sans");
  return font_;
}

}  // namespace statictest
