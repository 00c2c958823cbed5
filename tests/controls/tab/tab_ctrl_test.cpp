// The skinned tab control in a window: selection by mouse and keyboard, the parent's strip,
// pages served from the back buffer, right-to-left, subclassing, and create/destroy cycles.
#include "tab_test_support.h"

#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "skin/messages.h"

#include <algorithm>
#include <string>

namespace tabtest {
namespace {

using talix::host::CapturedImage;

constexpr POINT kTabsOrigin{10, 10};  // where MakeTabs puts the control in the host

// A page skin: valid; draws a green square at (10, 10) over what lies behind the page.
constexpr uint32_t kPageMark = 0x00FF80;
class MarkSkin : public CQuorBaseSkinImpl<MarkSkin, int> {
 public:
  void Validate() override { m_nState = QUOR_SKIN_VALID; }
  void Draw(CQuorWindow*, CQuorGraphics* graphics, int, int) override {
    HBRUSH brush = CreateSolidBrush(RGB(0x00, 0xFF, 0x80));
    const RECT mark{10, 10, 20, 20};
    FillRect(*graphics, &mark, brush);
    DeleteObject(brush);
  }
};

TEST_F(TabTest, ClickSelectsNotifiesAndMovesTheSelectedLook) {
  MakeTabs({u"One", u"Two", u"Six"}, 0);
  Capture();
  Log().notifications.clear();
  const RECT third = ItemRect(2);
  talix::host::Click(kTabsOrigin.x + (third.left + third.right) / 2,
                     kTabsOrigin.y + third.top + 3);
  talix::host::PumpMessagesUntilIdle();
  EXPECT_EQ(tabs_->GetCurSel(), 2);
  const auto& codes = Log().notifications;
  const auto changing = std::find(codes.begin(), codes.end(), UINT(TCN_SELCHANGING));
  const auto change = std::find(codes.begin(), codes.end(), UINT(TCN_SELCHANGE));
  ASSERT_NE(change, codes.end());
  EXPECT_LT(changing, change);
  const CapturedImage image = Capture();
  const RECT first = ItemRect(0);
  ExpectPiece(image, third.right - kPieces[11].cx - 1, third.top + 1, 10);
  ExpectPiece(image, third.right - 1, third.top + 1, 11);
  ExpectPiece(image, first.left - 2, first.top + 1, 12);
  ExpectPiece(image, first.right - 4, first.top + 1, 13);
}

TEST_F(TabTest, KeyboardSelectionPaintsTheParentsStripThenTheRebuiltBuffer) {
  MakeTabs({u"One", u"Two", u"Six"}, 0);
  SetFocus(tabs_->m_hWnd);
  Capture();
  Log().repaints.clear();
  talix::host::KeyPress(VK_RIGHT);
  talix::host::PumpMessagesUntilIdle();
  ASSERT_EQ(tabs_->GetCurSel(), 1);
  RECT client{};
  GetClientRect(tabs_->m_hWnd, &client);
  const RECT first = ItemRect(0);
  ASSERT_FALSE(Log().repaints.empty()) << "the parent was not asked for the strip";
  const RECT strip = Log().repaints.front();
  EXPECT_EQ(strip.left, client.left);
  EXPECT_EQ(strip.top, client.top);
  EXPECT_EQ(strip.right, client.right);
  EXPECT_EQ(strip.bottom, first.bottom);
  const CapturedImage image = Capture();
  const RECT second = ItemRect(1);
  ExpectPiece(image, second.right - kPieces[16].cx / 2 - 1, second.top + 1, 10);
  ExpectPiece(image, first.right - kPieces[15].cx / 2, first.top + 1, 15);
  // The buffer was copied over the whole strip: no host colour where the tabs are.
  EXPECT_NE(Rgb(image.At(second.left + 2, second.top + 1)), kHostColor);
}

TEST_F(TabTest, PagesGetTheBufferBehindThem) {
  MakeTabs({u"One", u"Two"}, 0);
  Capture();
  const int b = ItemRect(0).bottom;
  // A plain page asks for its background itself.
  HWND page = CreateWindowExW(0, u"Static", u"", WS_CHILD | WS_VISIBLE, 0, b + 10, 50, 20,
                              tabs_->m_hWnd, nullptr, nullptr, nullptr);
  ASSERT_TRUE(page);
  Surface surface(50, 20, 0x123456);
  PAINTSTRUCT ps{};
  ps.hdc = surface.dc();
  ps.rcPaint = {0, 0, 50, 20};
  EXPECT_EQ(SendMessageW(tabs_->m_hWnd, UWM_REPAINT, reinterpret_cast<WPARAM>(page),
                         reinterpret_cast<LPARAM>(&ps)), 0);
  EXPECT_EQ(surface.At(1, 10), kPieces[1].color) << "the panel's left edge";
  EXPECT_EQ(surface.At(25, 10), 0u) << "the panel's inside";
  DestroyWindow(page);

  // A skinned page builds its buffer over the control's.
  CQuorWindowImpl<MarkSkin> skinned;
  MarkSkin mark;
  skinned.SetSkin(&mark);
  RECT rect{20, b + 20, 120, b + 60};
  ASSERT_TRUE(skinned.Create(u"Static", tabs_->m_hWnd, rect, u"", 5, WS_CHILD | WS_VISIBLE, 0,
                             nullptr));
  talix::host::PumpMessagesUntilIdle();
  CapturedImage pageImage;
  ASSERT_TRUE(talix::host::CaptureWindow(skinned.m_hWnd, &pageImage));
  EXPECT_EQ(Rgb(pageImage.At(50, 20)), 0u);
  EXPECT_EQ(Rgb(pageImage.At(15, 15)), kPageMark);
  // The page shows over the control once both have painted.
  const CapturedImage tabImage = Capture();
  EXPECT_EQ(Rgb(tabImage.At(rect.left + 15, rect.top + 15)), kPageMark);
  EXPECT_EQ(Rgb(tabImage.At(rect.left + 50, rect.top + 20)), 0u);
  DestroyWindow(skinned.m_hWnd);
}

TEST_F(TabTest, InvalidSkinLeavesPaintingAndPagesToTheNativeControl) {
  MakeTabs({u"One", u"Two"}, 0);
  CQuorTabSkinDef def = TestSkinDef(TestFont());
  def.m_nBitmapIDs[12] = 0;
  skin_->SetSkinDef(def);
  skin_->Load();
  ASSERT_FALSE(tabs_->SkinIsValid());
  const CapturedImage image = Capture();
  const RECT first = ItemRect(0);
  EXPECT_NE(Rgb(image.At(first.left + 2, first.top + 1)), kPieces[9].color);
  EXPECT_NE(Rgb(image.At(1, image.height / 2)), kPieces[1].color);
  Surface surface(10, 10, 0x123456);
  PAINTSTRUCT ps{};
  ps.hdc = surface.dc();
  ps.rcPaint = {0, 0, 10, 10};
  SendMessageW(tabs_->m_hWnd, UWM_REPAINT, reinterpret_cast<WPARAM>(tabs_->m_hWnd),
               reinterpret_cast<LPARAM>(&ps));
  EXPECT_EQ(surface.At(5, 5), 0x123456u);
}

TEST_F(TabTest, RightToLeftMirrorsTheTabsAndThePanel) {
  MakeTabs({u"One", u"Two", u"Six"}, 1, 0, SIZE{240, 150}, true);
  ASSERT_TRUE(GetWindowLongW(tabs_->m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  const CapturedImage image = Capture();
  const int w = image.width;
  const RECT first = ItemRect(0), second = ItemRect(1);
  auto screenX = [w](int x) { return w - 1 - x; };
  ExpectPiece(image, screenX(first.left - 2), first.top + 1, 12);
  ExpectPiece(image, screenX(second.right - kPieces[16].cx / 2 - 1), second.top + 1, 10);
  ExpectPiece(image, screenX(1), (first.bottom + image.height) / 2, 1);
  ExpectPiece(image, screenX(w - 1), (first.bottom + image.height) / 2, 4);
  // The selected caption reads left to right: its ink is centred on the mirrored tab.
  int left = w, right = -1;
  for (int y = second.top; y < second.bottom; ++y)
    for (int x = 0; x < w; ++x)
      if (Rgb(image.At(x, y)) == kSelectedTextColor) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
      }
  ASSERT_GE(right, 0);
  EXPECT_NEAR((left + right) / 2.0, screenX((second.left + second.right) / 2) + 1, 1.5);
  // A click where the last tab shows selects it.
  const RECT third = ItemRect(2);
  POINT onScreen{(third.left + third.right) / 2, third.top + 3};
  ClientToScreen(tabs_->m_hWnd, &onScreen);
  talix::host::Click(onScreen.x, onScreen.y);
  talix::host::PumpMessagesUntilIdle();
  EXPECT_EQ(tabs_->GetCurSel(), 2);
  ExpectPiece(Capture(), screenX(third.right - kPieces[11].cx - 1), third.top + 1, 10);
}

TEST_F(TabTest, CreateAndSubclassMakeTheControlOwnerDrawn) {
  MakeHost(false);
  CQuorTabCtrl general;
  RECT rect{0, 0, 200, 100};
  EXPECT_EQ(general.Create(WC_TABCONTROLW, host_, rect, u"", 1, WS_CHILD, 0, nullptr), nullptr);
  EXPECT_TRUE(std::u16string(CQuorTabCtrl::GetWndClassName()) == u"SysTabControl32");

  HWND native = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100,
                                host_, nullptr, nullptr, nullptr);
  ASSERT_TRUE(native);
  CQuorTabCtrl subclassed;
  ASSERT_TRUE(subclassed.SubclassWindow(native));
  EXPECT_TRUE(GetWindowLongW(native, GWL_STYLE) & TCS_OWNERDRAWFIXED);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<WCHAR*>(u"A");
  ASSERT_EQ(subclassed.InsertItem(0, &item), 0);
  RECT tab{};
  ASSERT_TRUE(subclassed.GetItemRect(0, &tab));
  EXPECT_GE(tab.right - tab.left, 50);
  EXPECT_EQ(tab.bottom - tab.top, 24);
  const SIZE previous = subclassed.SetItemSize(SIZE{0, 30});
  EXPECT_EQ(previous.cy, 24);
  DestroyWindow(native);

  CQuorTabCtrl created;
  ASSERT_TRUE(created.Create(host_, rect, 2, WS_CHILD, 0));
  EXPECT_TRUE(GetWindowLongW(created.m_hWnd, GWL_STYLE) & TCS_OWNERDRAWFIXED);
  EXPECT_EQ(created.GetItemCount(), 0);
  DestroyWindow(created.m_hWnd);
}

TEST_F(TabTest, HundredCyclesLeaveNoWindowsObjectsOrPictures) {
  MakeHost(false);
  HFONT font = TestFont();
  const size_t windows = talix::host::LiveWindowCount();
  const size_t objects = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  const size_t cached = CQuorResourceManager::GetCache().size();
  for (int cycle = 0; cycle < 100; ++cycle) {
    CQuorTabSkin skin;
    skin.SetSkinDef(TestSkinDef(font));
    skin.Load();
    CQuorTabCtrl tabs;
    tabs.SetSkin(&skin);
    RECT rect{0, 0, 200, 100};
    ASSERT_TRUE(tabs.Create(host_, rect, 3, WS_CHILD | WS_VISIBLE, 0));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<WCHAR*>(u"Cycle");
    tabs.InsertItem(0, &item);
    SetFocus(tabs.m_hWnd);
    UpdateWindow(tabs.m_hWnd);
    DestroyWindow(tabs.m_hWnd);
  }
  talix::host::PumpMessagesUntilIdle();
  EXPECT_EQ(talix::host::LiveWindowCount(), windows);
  EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::GdiObject), objects);
  EXPECT_EQ(CQuorResourceManager::GetCache().size(), cached);
}

}  // namespace
}  // namespace tabtest

namespace tabtest {
namespace {

TEST_F(TabTest, SizeAndFocusChangesRebuildThePicture) {
  MakeTabs({u"One", u"Two"}, 1);
  const RECT selected = ItemRect(1);
  // Two pixels of the dotted focus rectangle's top line, 3 pixels inside the selected tab.
  auto dotted = [&] {
    const CapturedImage image = Capture();
    const int y = selected.top + 3;
    return Rgb(image.At(selected.left + 6, y)) != kPieces[10].color ||
           Rgb(image.At(selected.left + 7, y)) != kPieces[10].color;
  };
  EXPECT_FALSE(dotted());
  SetFocus(tabs_->m_hWnd);
  ASSERT_EQ(GetFocus(), tabs_->m_hWnd);
  EXPECT_TRUE(dotted());
  SetFocus(host_);
  EXPECT_FALSE(dotted());

  SetWindowPos(tabs_->m_hWnd, nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
  const CapturedImage image = Capture();
  ASSERT_EQ(image.width, 200);
  ExpectPiece(image, 199, 119, 5);
  ExpectPiece(image, 199, (selected.bottom + 120) / 2, 4);
}

}  // namespace
}  // namespace tabtest
