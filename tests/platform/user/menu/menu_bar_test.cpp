// The menu bar: its layout and pixels, opening by a click, by Alt+letter and by Alt
// alone, keys moving along the bar, and a dialog template's menu.
#include "menu_ids.h"
#include "popup_test_support.h"

#include <cstdint>

using namespace talix;
using namespace talix::testing;

namespace {

constexpr UINT kNew = 200, kCopy = 300;

LPARAM L(HMENU menu) { return reinterpret_cast<LPARAM>(menu); }
WPARAM W(HMENU menu) { return reinterpret_cast<WPARAM>(menu); }
uint32_t Sys(int index) {
  COLORREF c = GetSysColor(index);
  return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class MenuBarTest : public PopupTest {
 protected:
  HMENU MakeMenuBar() override {
    return BuildMenu({{MF_POPUP, 0, u"&File", {{MF_STRING, kNew, u"&New"}, {MF_STRING, 201, u"&Open"}}},
                      {MF_POPUP, 0, u"&Edit", {{MF_STRING, kCopy, u"&Copy"}}},
                      {MF_POPUP | MF_RIGHTJUSTIFY, 0, u"&Help", {{MF_STRING, 400, u"&About"}}}},
                     false);
  }
  RECT Item(UINT position) const {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(owner_, menuBar_, position, &r));
    return r;
  }
  bool Lit(UINT position) const {
    return (GetMenuState(menuBar_, position, MF_BYPOSITION) & MF_HILITE) != 0;
  }
};

TEST_F(MenuBarTest, ItemsSitInTheBandUnderTheCaption) {
  RECT window, client;
  GetWindowRect(owner_, &window);
  GetClientRect(owner_, &client);
  MapWindowPoints(owner_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT file = Item(0), edit = Item(1), help = Item(2);
  EXPECT_EQ(file.left, window.left + GetSystemMetrics(SM_CXFRAME));
  EXPECT_EQ(file.top, window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(file.bottom - file.top, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(file.bottom, client.top) << "the client area starts under the bar";
  EXPECT_EQ(edit.left, file.right);
  EXPECT_EQ(help.right, window.right - GetSystemMetrics(SM_CXFRAME)) << "right-justified";

  MENUBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetMenuBarInfo(owner_, OBJID_MENU, 0, &info));
  EXPECT_EQ(info.hMenu, menuBar_);
  EXPECT_EQ(info.rcBar.left, file.left);
  EXPECT_EQ(info.rcBar.right, help.right);
  ASSERT_TRUE(GetMenuBarInfo(owner_, OBJID_MENU, 2, &info));
  EXPECT_EQ(info.rcBar.left, edit.left);
  EXPECT_EQ(info.rcBar.right, edit.right);
  EXPECT_EQ(info.rcBar.bottom, edit.bottom);

  host::CapturedImage image;
  ASSERT_TRUE(host::CaptureWindow(owner_, &image));
  int y = (file.top + file.bottom) / 2 - window.top;
  EXPECT_EQ(image.At((edit.right + help.left) / 2 - window.left, y), Sys(COLOR_MENU));
  int label = 0;
  for (LONG x = file.left; x < file.right; ++x)
    for (LONG row = file.top; row < file.bottom; ++row)
      label += image.At(x - window.left, row - window.top) != Sys(COLOR_MENU);
  EXPECT_GT(label, 10) << "the label is drawn";
}

TEST_F(MenuBarTest, AClickOpensTheItemsPopupWithTheNotificationsInOrder) {
  HMENU file = GetSubMenu(menuBar_, 0);
  RECT fileRect = Item(0);
  bool lit = false;
  size_t open = 0;
  uint32_t litPixel = 0;
  Script({[&] {
    lit = Lit(0);
    open = Popups().size();
    host::CapturedImage image;
    RECT window;
    GetWindowRect(owner_, &window);
    if (host::CaptureWindow(owner_, &image)) litPixel = image.At(fileRect.left + 1 - window.left, fileRect.top + 1 - window.top);
    host::KeyPress(VK_DOWN);
    host::KeyPress(VK_RETURN);
  }});
  host::Click((fileRect.left + fileRect.right) / 2, (fileRect.top + fileRect.bottom) / 2);
  host::PumpMessagesUntilIdle();
  EXPECT_TRUE(lit);
  EXPECT_EQ(open, 1u);
  EXPECT_EQ(litPixel, Sys(COLOR_HIGHLIGHT));
  EXPECT_FALSE(Lit(0)) << "unlit when the menu ends";
  std::vector<Note> notes = Owner().notes;
  std::vector<Note> menuNotes;
  for (const Note& n : notes)
    if (n.msg != WM_SYSCOMMAND) menuNotes.push_back(n);
  std::vector<Note> expected = {
      {WM_ENTERMENULOOP, FALSE, 0},
      {WM_INITMENU, W(menuBar_), 0},
      {WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE | MF_MOUSESELECT), L(menuBar_)},
      {WM_INITMENUPOPUP, W(file), MAKELPARAM(0, 0)},
      {WM_MENUSELECT, MAKEWPARAM(kNew, MF_HILITE), L(file)},
      {WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0},
      {WM_UNINITMENUPOPUP, W(file), 0},
      {WM_EXITMENULOOP, FALSE, 0},
      {WM_COMMAND, MAKEWPARAM(kNew, 0), 0},
  };
  EXPECT_EQ(menuNotes, expected);
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes[0].msg, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(notes[0].wParam & 0xFFF0, static_cast<WPARAM>(SC_MOUSEMENU));
}

TEST_F(MenuBarTest, AltAndALetterOpenThatItemsPopup) {
  bool editLit = false;
  Script({[&] {
    editLit = Lit(1) && Popups().size() == 1;
    host::KeyPress(VK_RETURN);  // its first item is highlighted
  }});
  host::KeyDown(VK_MENU);
  host::KeyPress('E');
  host::KeyUp(VK_MENU);
  host::PumpMessagesUntilIdle();
  EXPECT_TRUE(editLit);
  EXPECT_EQ(NotesOf(WM_COMMAND), (std::vector<Note>{{WM_COMMAND, kCopy, 0}}));
  std::vector<Note> sys = NotesOf(WM_SYSCOMMAND);
  ASSERT_EQ(sys.size(), 1u);
  EXPECT_EQ(sys[0].wParam, static_cast<WPARAM>(SC_KEYMENU));
  EXPECT_EQ(sys[0].lParam, static_cast<LPARAM>(u'e'));
}

TEST_F(MenuBarTest, AltAloneOrF10SelectsTheBarAndArrowsMoveAlongIt) {
  for (UINT key : {VK_MENU, VK_F10}) {
    SCOPED_TRACE(key);
    std::vector<std::pair<int, size_t>> seen;  // lit bar item, open popups
    auto look = [&] { seen.emplace_back(Lit(0) ? 0 : Lit(1) ? 1 : Lit(2) ? 2 : -1, Popups().size()); };
    Script({[&] { look(); host::KeyPress(VK_LEFT); },    // wraps to Help
            [&] { look(); host::KeyPress(VK_RIGHT); host::KeyPress(VK_DOWN); },  // File opens
            [&] { look(); host::KeyPress(VK_RIGHT); },   // no submenu: on to Edit's popup
            [&] { look(); host::KeyPress(VK_RETURN); }});
    host::KeyPress(key);
    host::PumpMessagesUntilIdle();
    EXPECT_EQ(seen, (std::vector<std::pair<int, size_t>>{{0, 0}, {2, 0}, {0, 1}, {1, 1}}));
    EXPECT_EQ(NotesOf(WM_COMMAND), (std::vector<Note>{{WM_COMMAND, kCopy, 0}}));
    Owner().notes.clear();
  }
}

TEST_F(MenuBarTest, EscapeInThePopupReturnsToTheBarAndAgainLeaves) {
  std::vector<std::pair<bool, size_t>> seen;
  Script({[&] { host::KeyPress(VK_ESCAPE); },
          [&] { seen.emplace_back(Lit(0), Popups().size()); host::KeyPress(VK_ESCAPE); }});
  host::KeyDown(VK_MENU);
  host::KeyPress('F');
  host::KeyUp(VK_MENU);
  host::PumpMessagesUntilIdle();
  EXPECT_EQ(seen, (std::vector<std::pair<bool, size_t>>{{true, 0}}));
  EXPECT_TRUE(NotesOf(WM_COMMAND).empty());
  EXPECT_FALSE(Lit(0));
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_F(MenuBarTest, ADialogTemplatesMenuBecomesItsBar) {
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_WITH_MENU),
                                   nullptr, PlainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HMENU menu = GetMenu(dialog);
  ASSERT_NE(menu, nullptr);
  WCHAR text[16] = {};
  GetMenuStringW(menu, 0, text, 16, MF_BYPOSITION);
  EXPECT_EQ(std::u16string(text), u"&File");
  RECT client, item;
  GetClientRect(dialog, &client);
  MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ASSERT_TRUE(GetMenuItemRect(dialog, menu, 0, &item));
  EXPECT_EQ(item.bottom, client.top);
  // 60 dialog units of client height whatever the bar takes.
  RECT units{0, 0, 4, 60};
  MapDialogRect(dialog, &units);
  EXPECT_EQ(client.bottom - client.top, units.bottom);
  DestroyWindow(dialog);  // the fixture checks that the menu went with it
}

}  // namespace
