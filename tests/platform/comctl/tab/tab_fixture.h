// Fixture of the tab control tests: the native controls' fixture (a visible parent that
// records WM_DRAWITEM, leak checks, the virtual clock) with the parent also recording the
// WM_NOTIFY codes it gets (with the selection seen at each) and the TCN_KEYDOWN keys, and
// vetoing TCN_SELCHANGING when a test asks. Text is measured with the committed test fonts.
#pragma once

#include "tests/platform/user/controls/controls_fixture.h"

#include <win/commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace talix::testing {

struct TabNotice {
  UINT code;
  int selection;  // TCM_GETCURSEL while the parent handled it
  bool operator==(const TabNotice& o) const { return code == o.code && selection == o.selection; }
};

struct TabParentRecord {
  std::vector<TabNotice> notices;
  std::vector<WORD> keys;  // TCN_KEYDOWN
  bool vetoSelChanging = false;
};

inline TabParentRecord& TabParent() {
  static TabParentRecord record;
  return record;
}

inline LRESULT CALLBACK TabParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_NOTIFY) return ControlParentProc(hwnd, msg, wParam, lParam);
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  int selection = int(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0));
  TabParent().notices.push_back(TabNotice{header->code, selection});
  if (header->code == TCN_KEYDOWN)
    TabParent().keys.push_back(reinterpret_cast<NMTCKEYDOWN*>(lParam)->wVKey);
  if (header->code == TCN_SELCHANGING) return TabParent().vetoSelChanging;
  return 0;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// One capture of a control's top-level window, read in the control's client coordinates.
struct Snapshot {
  HWND hwnd;
  host::CapturedImage image;
  RECT frame{};
  COLORREF At(int x, int y) const {
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    uint32_t argb = image.At(pt.x - frame.left, pt.y - frame.top);
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
  }
};

class TabTest : public ControlTest {
 protected:
  void SetUp() override {
    setenv("FONTCONFIG_FILE", TALIX_SOURCE_DIR "/tests/platform/text/data/fonts.conf", 1);
    ControlTest::SetUp();
    SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabParentProc));
    TabParent() = TabParentRecord{};
  }
  void TearDown() override {
    ControlTest::TearDown();
    TabParent() = TabParentRecord{};
  }

  // Replaces the parent with a right-to-left one.
  void MakeRightToLeftParent() {
    DestroyWindow(parent_);
    parent_ = CreateWindowExW(WS_EX_LAYOUTRTL, kControlParentClass, u"parent",
                              WS_POPUP | WS_VISIBLE, kParentX, kParentY, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
    SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabParentProc));
    SetForegroundWindow(parent_);
    Pump();
  }

  HWND Tab(DWORD style, int cx = 300, int cy = 200, int id = 5) {
    return CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE | style, 10, 10, cx, cy,
                           parent_, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr,
                           nullptr);
  }

  static void AddTabs(HWND tab, std::initializer_list<const char16_t*> labels) {
    for (const char16_t* label : labels) {
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_PARAM;
      item.pszText = const_cast<LPWSTR>(label);
      item.lParam = 1000 + SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0);
      SendMessageW(tab, TCM_INSERTITEMW, SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0),
                   reinterpret_cast<LPARAM>(&item));
    }
  }

  static RECT ItemRect(HWND tab, int index) {
    RECT r{};
    EXPECT_TRUE(SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
    return r;
  }
  static int Count(HWND tab) { return int(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)); }
  static int Selection(HWND tab) { return int(SendMessageW(tab, TCM_GETCURSEL, 0, 0)); }

  static void ClickTab(HWND tab, int index) {
    RECT r = ItemRect(tab, index);
    ClickAt(tab, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  static std::vector<TabNotice> TakeNotices() {
    std::vector<TabNotice> out;
    out.swap(TabParent().notices);
    return out;
  }

  static Snapshot Capture(HWND hwnd) {
    Pump();
    UpdateWindow(hwnd);
    Snapshot shot{hwnd, {}, {}};
    HWND top = GetAncestor(hwnd, GA_ROOT);
    EXPECT_TRUE(host::CaptureWindow(top, &shot.image));
    GetWindowRect(top, &shot.frame);
    return shot;
  }

  // Text extent and height of `text` in the control's default font.
  static SIZE TextSize(const char16_t* text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, int(std::char_traits<char16_t>::length(text)), &size);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    size.cy = tm.tmHeight;
    SelectObject(dc, old);
    DeleteDC(dc);
    return size;
  }
};

}  // namespace talix::testing
