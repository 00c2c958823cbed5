// Accelerator tables: creation, copies, resources and TranslateAcceleratorW.
#include "menu_ids.h"
#include "window_test_support.h"

#include "platform/user/accel/modifier_state.h"

// Found by argument lookup: ACCEL is a global type.
inline bool operator==(const ACCEL& a, const ACCEL& b) {
  return a.fVirt == b.fVirt && a.key == b.key && a.cmd == b.cmd;
}

namespace talix::testing {
namespace {

using user::accel::AcceleratorModifiers;

std::vector<ACCEL> Entries(HACCEL table) {
  std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
  CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
  return entries;
}

HACCEL LoadTable(int id) { return LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }

TEST_F(MenuTest, ResourceTablesHoldTheirEntries) {
  HACCEL table = LoadTable(IDA_MAIN);
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> expected = {{FVIRTKEY | FCONTROL, 'N', CMD_NEW},
                                 {FVIRTKEY | FCONTROL | FSHIFT, 'N', CMD_NEW_SHIFTED},
                                 {0, 'a', CMD_CHAR_A},
                                 {FVIRTKEY | FALT, 'F', CMD_ALT_F},
                                 {FVIRTKEY, 0x70, CMD_F1},
                                 {FVIRTKEY | FALT, 0x73, SC_CLOSE}};
  EXPECT_EQ(Entries(table), expected);
  ACCEL two[3] = {};
  EXPECT_EQ(CopyAcceleratorTableW(table, two, 2), 2);
  EXPECT_TRUE(two[1] == expected[1]);
  EXPECT_EQ(two[2].cmd, 0);
  EXPECT_TRUE(DestroyAcceleratorTable(table));

  HACCEL unterminated = LoadTable(IDA_NO_END_FLAG);
  ASSERT_NE(unterminated, nullptr);
  EXPECT_EQ(CopyAcceleratorTableW(unterminated, nullptr, 0), 2);
  DestroyAcceleratorTable(unterminated);
  EXPECT_EQ(LoadTable(999), nullptr);
}

TEST_F(MenuTest, CreatedTablesCopyBackAndDieOnce) {
  ACCEL entries[] = {{FVIRTKEY | FALT, 'F', 0}, {FVIRTKEY | FALT | 0x80, 'E', 1}};
  HACCEL table = CreateAcceleratorTableW(entries, 2);
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> expected = {{FVIRTKEY | FALT, 'F', 0}, {FVIRTKEY | FALT, 'E', 1}};
  EXPECT_EQ(Entries(table), expected);
  EXPECT_EQ(CreateAcceleratorTableW(entries, 0), nullptr);
  EXPECT_EQ(CreateAcceleratorTableW(nullptr, 2), nullptr);
  ASSERT_TRUE(DestroyAcceleratorTable(table));
  SetLastError(0);
  EXPECT_FALSE(DestroyAcceleratorTable(table));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ACCEL_HANDLE));
  EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 0);
}

constexpr AcceleratorModifiers kNone{}, kCtrl{false, true, false},
    kCtrlShift{true, true, false}, kCtrlAlt{false, true, true}, kAlt{false, false, true};

class TranslateTest : public MenuWindowTest {
 protected:
  // The thread's key state as if the modifier keys had been pressed.
  static void SetModifiers(AcceleratorModifiers mods) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = mods.shift ? 0x80 : 0;
    keys[VK_CONTROL] = mods.control ? 0x80 : 0;
    keys[VK_MENU] = mods.alt ? 0x80 : 0;
    ASSERT_TRUE(SetKeyboardState(keys));
  }
  void TearDown() override {
    SetModifiers(kNone);
    MenuWindowTest::TearDown();
  }
  // Translates one key message; the messages the window got.
  std::vector<MenuMessage> Press(HWND hwnd, HACCEL table, UINT message, WPARAM key,
                                 AcceleratorModifiers mods, int* translated) {
    SetModifiers(mods);
    MSG msg{hwnd, message, key, 0};
    Take();
    *translated = TranslateAcceleratorW(hwnd, table, &msg);
    return Take();
  }
};

TEST_F(TranslateTest, KeysBecomeCommandsOnlyWithTheirModifiers) {
  HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW);
  HACCEL table = LoadTable(IDA_MAIN);
  struct Case {
    UINT message;
    WPARAM key;
    AcceleratorModifiers mods;
    UINT sent;  // 0: nothing
    WORD command;
  } cases[] = {
      {WM_KEYDOWN, 'N', kCtrl, WM_COMMAND, CMD_NEW},
      {WM_KEYDOWN, 'N', kCtrlShift, WM_COMMAND, CMD_NEW_SHIFTED},
      {WM_KEYDOWN, 'N', kNone, 0, 0},
      {WM_KEYDOWN, 'N', kCtrlAlt, 0, 0},
      {WM_CHAR, 'a', kNone, WM_COMMAND, CMD_CHAR_A},
      {WM_CHAR, 'A', kNone, 0, 0},
      {WM_KEYDOWN, 'A', kNone, 0, 0},  // a character entry never matches a key
      {WM_CHAR, 'N', kCtrl, 0, 0},     // and a key entry never matches a character
      {WM_SYSKEYDOWN, 'F', kAlt, WM_COMMAND, CMD_ALT_F},
      {WM_SYSCHAR, 'F', kAlt, 0, 0},
      {WM_KEYDOWN, 0x70, kNone, WM_COMMAND, CMD_F1},
      {WM_KEYUP, 0x70, kNone, 0, 0},
      {WM_SYSKEYDOWN, 0x73, kAlt, WM_SYSCOMMAND, SC_CLOSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.message << " " << c.key);
    int translated = -1;
    std::vector<MenuMessage> got = Press(hwnd, table, c.message, c.key, c.mods, &translated);
    std::vector<MenuMessage> expected;
    if (c.sent) expected.push_back({c.sent, MAKEWPARAM(c.command, 1), 0});
    EXPECT_EQ(got, expected);
    EXPECT_EQ(translated != 0, c.sent != 0);
  }
  MSG msg{hwnd, WM_KEYDOWN, 'N', 0};
  EXPECT_EQ(TranslateAcceleratorW(hwnd, nullptr, &msg), 0);
  EXPECT_EQ(TranslateAcceleratorW(hwnd, table, nullptr), 0);
  DestroyAcceleratorTable(table);
  DestroyWindow(hwnd);
}

TEST_F(TranslateTest, MenuItemsAreInitialisedAndGrayedOnesStaySilent) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 7, u"other");
  AppendMenuW(file, MF_STRING, CMD_NEW, u"&New");
  AppendMenuW(bar, MF_STRING, 8, u"first");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
  HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW, nullptr, bar);
  HACCEL table = LoadTable(IDA_MAIN);
  int translated = 0;
  WPARAM command = MAKEWPARAM(CMD_NEW, 1);
  std::vector<MenuMessage> opened = {
      {WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0},
      {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(1, 0)}};
  std::vector<MenuMessage> enabled = opened;
  enabled.push_back({WM_COMMAND, command, 0});
  EXPECT_EQ(Press(hwnd, table, WM_KEYDOWN, 'N', kCtrl, &translated), enabled);
  EnableMenuItem(bar, CMD_NEW, MF_GRAYED);
  EXPECT_EQ(Press(hwnd, table, WM_KEYDOWN, 'N', kCtrl, &translated), opened);
  EXPECT_EQ(translated, 1);

  // A grayed window-menu item sends nothing either.
  HMENU system = GetSystemMenu(hwnd, FALSE);
  EnableMenuItem(system, SC_CLOSE, MF_GRAYED);
  std::vector<MenuMessage> got = Press(hwnd, table, WM_SYSKEYDOWN, 0x73, kAlt, &translated);
  EXPECT_EQ(got, (std::vector<MenuMessage>{{WM_INITMENU, reinterpret_cast<WPARAM>(system), 0}}));
  EXPECT_EQ(translated, 1);
  DestroyAcceleratorTable(table);
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace talix::testing
