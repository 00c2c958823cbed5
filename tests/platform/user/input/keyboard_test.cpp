// Keys: messages and their lParam, characters through TranslateMessage, system keys,
// GetKeyState against GetAsyncKeyState.
#include "input_test_support.h"

namespace talix::testing {
namespace {

const std::set<UINT> kKeys = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR};

std::vector<std::pair<UINT, WPARAM>> TakeKeys() {
  std::vector<std::pair<UINT, WPARAM>> got;
  for (const Seen& s : SeenLog())
    if (kKeys.count(s.msg)) got.emplace_back(s.msg, s.wParam);
  SeenLog().clear();
  return got;
}

using Keys = std::vector<std::pair<UINT, WPARAM>>;

TEST_F(InputTest, AKeyPressGivesDownCharAndUpWithTheDocumentedLParam) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SeenLog().clear();
  host::KeyPress('A');
  Pump();
  const Seen* down = Find(hwnd, WM_KEYDOWN);
  const Seen* up = Find(hwnd, WM_KEYUP);
  ASSERT_TRUE(down && up);
  EXPECT_EQ(static_cast<DWORD>(down->lParam), 0x001E0001u) << "repeat 1, scan code 0x1E";
  EXPECT_EQ(static_cast<DWORD>(up->lParam), 0xC01E0001u) << "previous state and transition set";
  EXPECT_EQ(TakeKeys(), (Keys{{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}));

  host::KeyDown(VK_LEFT);
  host::KeyDown(VK_LEFT);  // held: a repeat
  host::KeyUp(VK_LEFT);
  Pump();
  std::vector<DWORD> flags;
  for (const Seen& s : SeenLog())
    if (s.msg == WM_KEYDOWN || s.msg == WM_KEYUP) flags.push_back(static_cast<DWORD>(s.lParam));
  EXPECT_EQ(flags, (std::vector<DWORD>{0x014B0001u, 0x414B0001u, 0xC14B0001u}))
      << "extended key; the second press repeats";
  DestroyWindow(hwnd);
}

TEST_F(InputTest, TypedTextComesBackAsCharacters) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SeenLog().clear();
  const char16_t text[] = u"aZ1!\u00e9\u05d0\t";
  host::TypeText(text);
  Pump();
  std::u16string chars;
  for (const Seen& s : SeenLog())
    if (s.msg == WM_CHAR) chars += static_cast<char16_t>(s.wParam);
  EXPECT_EQ(chars, std::u16string(text));
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "Shift released after the capitals";
  DestroyWindow(hwnd);
}

TEST_F(InputTest, AltMakesSystemKeysAndAltF4Closes) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SeenLog().clear();
  host::KeyDown(VK_MENU);
  host::KeyPress('F');
  host::KeyUp(VK_MENU);
  Pump();
  const Seen* sysDown = nullptr;
  for (const Seen& s : SeenLog())
    if (s.msg == WM_SYSKEYDOWN && s.wParam == 'F') sysDown = &s;
  ASSERT_NE(sysDown, nullptr);
  EXPECT_TRUE(HIWORD(sysDown->lParam) & KF_ALTDOWN);
  EXPECT_EQ(TakeKeys(), (Keys{{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'F'}, {WM_SYSCHAR, 'f'},
                              {WM_SYSKEYUP, 'F'}, {WM_KEYUP, VK_MENU}}));
  host::KeyPress(VK_MENU);  // Alt alone is a system key both ways
  Pump();
  EXPECT_EQ(TakeKeys(), (Keys{{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}));

  SetFocus(nullptr);  // no focus: keys go to the active window as system keys
  host::KeyPress('B');
  Pump();
  EXPECT_EQ(TakeKeys(), (Keys{{WM_SYSKEYDOWN, 'B'}, {WM_SYSCHAR, 'b'}, {WM_SYSKEYUP, 'B'}}));

  SetFocus(hwnd);
  host::KeyDown(VK_MENU);
  host::KeyPress(VK_F4);
  host::KeyUp(VK_MENU);
  Pump();
  EXPECT_FALSE(IsWindow(hwnd)) << "Alt+F4 closes through WM_SYSCOMMAND and WM_CLOSE";
  host::ResetInput();
}

TEST_F(InputTest, GetKeyStateFollowsRetrievalWhileGetAsyncKeyStateFollowsTheKeyboard) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  host::KeyDown(VK_SHIFT);
  EXPECT_NE(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "not retrieved yet";
  Pump();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  host::KeyUp(VK_SHIFT);
  Pump();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);

  SHORT before = GetKeyState(VK_CAPITAL) & 1;
  host::KeyPress(VK_CAPITAL);
  Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, before ^ 1) << "each press toggles";
  SeenLog().clear();
  host::KeyPress('Q');
  Pump();
  EXPECT_EQ(TakeKeys()[1], std::make_pair(UINT{WM_CHAR}, WPARAM{before ? 'q' : 'Q'}));
  host::KeyPress(VK_CAPITAL);
  Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, before);
  BYTE state[256];
  ASSERT_TRUE(GetKeyboardState(state));
  EXPECT_EQ(state[VK_CAPITAL] & 1, before);
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace talix::testing
