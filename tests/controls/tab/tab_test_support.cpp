#include "tab_test_support.h"

#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "skin/messages.h"

#include <cstdlib>

namespace tabtest {
namespace {

// Text resolves through the text tests' private fontconfig setup.
const bool kPrivateFonts = [] {
  setenv("FONTCONFIG_FILE", TALIX_SOURCE_DIR "/tests/platform/text/data/fonts.conf", 1);
  return true;
}();

constexpr const char16_t* kHostClass = u"TalixTabTestHost";
constexpr int kHostWidth = 300, kHostHeight = 200;

COLORREF ToColorRef(uint32_t rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Answers the tab control's strip requests with a flat colour and notes them.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UWM_REPAINT && lParam) {
    auto* ps = reinterpret_cast<PAINTSTRUCT*>(lParam);
    Log().repaints.push_back(ps->rcPaint);
    HBRUSH brush = CreateSolidBrush(ToColorRef(kHostColor));
    FillRect(ps->hdc, &ps->rcPaint, brush);
    DeleteObject(brush);
    return 0;
  }
  if (msg == WM_NOTIFY && lParam) {
    Log().notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

CQuorTabSkinDef TestSkinDef(HFONT font) {
  CQuorTabSkinDef def{};
  for (int i = 0; i < QUOR_TAB_BITMAPS; ++i) def.m_nBitmapIDs[i] = IDP_TAB_0 + UINT(i);
  def.m_crText = ToColorRef(kTextColor);
  def.m_hFont = font;
  def.m_crSelectedText = ToColorRef(kSelectedTextColor);
  def.m_hSelectedFont = font;
  return def;
}

HostLog& Log() {
  static HostLog log;
  return log;
}

void TabTest::SetUp() {
  ASSERT_TRUE(kPrivateFonts);
  talix::testing::MakeSharedSystemObjects();
  Log() = HostLog{};
  CQuorLib::m_dwLayout = 0;
  savedResources_ = CQuorLib::GetResourceInstance();
  CQuorLib::SetResourceInstance(GetModuleHandleW(nullptr));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = HostProc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kHostClass;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  counts_ = talix::testing::LiveCounts::Now();
}

void TabTest::TearDown() {
  if (host_) DestroyWindow(host_);
  talix::host::PumpMessagesUntilIdle();
  tabs_.reset();
  skin_.reset();
  if (font_) DeleteObject(font_);
  UnregisterClassW(kHostClass, nullptr);
  CQuorLib::m_dwLayout = 0;
  CQuorLib::SetResourceInstance(savedResources_);
  counts_.ExpectUnchanged();
}

void TabTest::MakeHost(bool rtl) {
  CQuorLib::m_dwLayout = rtl ? 1 : 0;
  host_ = CreateWindowExW(rtl ? WS_EX_LAYOUTRTL : 0, kHostClass, u"", WS_POPUP | WS_VISIBLE, 0,
                          0, kHostWidth, kHostHeight, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(host_);
}

CQuorTabCtrl* TabTest::MakeTabs(std::vector<const char16_t*> texts, int selected, DWORD style,
                                SIZE size, bool rtl) {
  if (!host_) MakeHost(rtl);
  skin_ = std::make_unique<CQuorTabSkin>();
  skin_->SetSkinDef(TestSkinDef(TestFont()));
  skin_->Load();
  tabs_ = std::make_unique<CQuorTabCtrl>();
  tabs_->SetSkin(skin_.get());
  RECT rect{10, 10, 10 + size.cx, 10 + size.cy};
  EXPECT_TRUE(tabs_->Create(host_, rect, 100, WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | style, 0));
  tabs_->SetItemSize(SIZE{kTabWidth, kTabHeight});
  for (size_t i = 0; i < texts.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<WCHAR*>(texts[i]);
    tabs_->InsertItem(int(i), &item);
  }
  tabs_->SetCurSel(selected);
  return tabs_.get();
}

talix::host::CapturedImage TabTest::Capture() {
  InvalidateRect(tabs_->m_hWnd, nullptr, FALSE);
  talix::host::PumpMessagesUntilIdle();
  talix::host::CapturedImage image;
  EXPECT_TRUE(talix::host::CaptureWindow(tabs_->m_hWnd, &image));
  return image;
}

RECT TabTest::ItemRect(int index) {
  RECT rect{};
  EXPECT_TRUE(tabs_->GetItemRect(index, &rect));
  return rect;
}

HFONT TabTest::TestFont() {
  // Not smoothed, so that captions show exactly their colours.
  if (!font_)
    font_ = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                        u"Liberation Sans");
  return font_;
}

void ExpectPiece(const talix::host::CapturedImage& image, int x, int y, int piece) {
  ASSERT_TRUE(x >= 0 && y >= 0 && x < image.width && y < image.height) << x << "," << y;
  EXPECT_EQ(Rgb(image.At(x, y)), kPieces[piece].color)
      << "picture " << piece << " expected at (" << x << ", " << y << ")";
}

}  // namespace tabtest
