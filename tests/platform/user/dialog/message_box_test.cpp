// Message boxes: scripted answers, and boxes driven from the idle callback whose layout,
// buttons, default button and Escape rules are checked.
#include "dialog_test_support.h"

#include <algorithm>

namespace talix::testing {
namespace {

using MessageBoxTest = DialogTest;

struct BoxView {
  HWND box = nullptr;
  std::vector<int> buttonIds;   // left to right
  std::vector<std::u16string> buttonTexts;
  std::u16string caption;
  LRESULT defId = 0;
  int focusId = 0;
  bool hasIcon = false;
  RECT text{};
  RECT client{};
  std::vector<RECT> buttonRects;
  bool ownerEnabled = true;
};

// Everything a test wants to know about the box, read at its first idle.
BoxView LookAt(HWND box, HWND owner) {
  BoxView v;
  v.box = box;
  WCHAR text[64];
  GetWindowTextW(box, text, 64);
  v.caption = text;
  std::vector<std::pair<LONG, HWND>> buttons;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    GetClassNameW(c, text, 64);
    if (std::u16string(text) == u"Button") buttons.push_back({RectInParent(c).left, c});
  }
  std::sort(buttons.begin(), buttons.end());
  for (auto& [x, b] : buttons) {
    v.buttonIds.push_back(GetDlgCtrlID(b));
    GetWindowTextW(b, text, 64);
    v.buttonTexts.push_back(text);
    v.buttonRects.push_back(RectInParent(b));
  }
  v.defId = SendMessageW(box, DM_GETDEFID, 0, 0);
  v.focusId = GetDlgCtrlID(GetFocus());
  v.hasIcon = GetDlgItem(box, 20) != nullptr;
  v.text = RectInParent(GetDlgItem(box, 0xFFFF));
  GetClientRect(box, &v.client);
  v.ownerEnabled = owner ? IsWindowEnabled(owner) != FALSE : true;
  return v;
}

TEST_F(MessageBoxTest, ButtonsOfEveryTypeAndTheDefaultButton) {
  struct Case {
    UINT type;
    std::vector<int> ids;
    std::vector<std::u16string> texts;
    int defaultId;
  } cases[] = {
      {MB_OK, {IDOK}, {u"OK"}, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, {u"OK", u"Cancel"}, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, {u"&Abort", u"&Retry", u"&Ignore"}, IDIGNORE},
      {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, {u"&Yes", u"&No", u"Cancel"}, IDYES},
      {MB_YESNO | MB_DEFBUTTON4, {IDYES, IDNO}, {u"&Yes", u"&No"}, IDYES},  // beyond: the first
      {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, {u"&Retry", u"Cancel"}, IDRETRY},
      {MB_CANCELTRYCONTINUE | MB_DEFBUTTON2, {IDCANCEL, IDTRYAGAIN, IDCONTINUE},
       {u"Cancel", u"&Try Again", u"&Continue"}, IDTRYAGAIN},
  };
  HWND owner = MakeOwner();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    BoxView view;
    host::PushMessageBoxAnswer(12345);
    int calls = 0;
    host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
      ++calls;
      EXPECT_EQ(idle.kind, host::ModalLoopKind::MessageBox);
      view = LookAt(idle.window, owner);
    });
    // A scripted answer is returned as given, after one look at the box.
    EXPECT_EQ(MessageBoxW(owner, u"Text", u"Caption", c.type), 12345);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(view.buttonIds, c.ids);
    EXPECT_EQ(view.buttonTexts, c.texts);
    EXPECT_EQ(view.defId, MAKELONG(c.defaultId, DC_HASDEFID));
    EXPECT_EQ(view.focusId, c.defaultId);
    EXPECT_EQ(view.caption, u"Caption");
    EXPECT_FALSE(view.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
  EXPECT_EQ(host::PendingMessageBoxAnswers(), 0u);
  DestroyWindow(owner);
}

TEST_F(MessageBoxTest, LayoutFollowsTheTextAndIcon) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  SIZE units = MeasuredBaseUnits(font);
  const std::u16string shortText = u"Saved.";
  std::u16string longText;
  for (int i = 0; i < 40; ++i) longText += u"Many words to wrap ";
  struct Case { const char* name; const std::u16string* text; UINT type; } cases[] = {
      {"short, no icon", &shortText, MB_OKCANCEL},
      {"long, with icon", &longText, MB_YESNO | MB_ICONQUESTION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxView view;
    host::PushMessageBoxAnswer(IDOK);
    host::SetModalIdleCallback([&](const host::ModalIdle& idle) { view = LookAt(idle.window, nullptr); });
    MessageBoxW(nullptr, c.text->c_str(), nullptr, c.type);
    EXPECT_EQ(view.caption, u"Error");  // no caption given
    EXPECT_EQ(view.hasIcon, (c.type & MB_ICONMASK) != 0);
    // The text rectangle is the text's word-broken size.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT measured{0, 0, view.text.right - view.text.left, 0};
    DrawTextW(dc, c.text->c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(measured.right, view.text.right - view.text.left);
    EXPECT_EQ(measured.bottom, view.text.bottom - view.text.top);
    if (c.text == &longText) {  // wrapped within the screen
      RECT work;
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
      EXPECT_LT(view.client.right, work.right - work.left);
      EXPECT_GT(view.text.bottom - view.text.top, 2 * units.cy);
    }
    // Margins of 7 dialog units; buttons 50 x 14 units, in one row under the text.
    int margin = DluToPixels(7, units.cx, 4);
    if (!view.hasIcon) EXPECT_EQ(view.text.left, margin);
    if (view.hasIcon) EXPECT_EQ(view.text.left, margin + GetSystemMetrics(SM_CXICON) + margin);
    EXPECT_LE(view.text.right + margin, view.client.right);
    for (size_t i = 0; i < view.buttonRects.size(); ++i) {
      const RECT& b = view.buttonRects[i];
      EXPECT_GE(b.right - b.left, DluToPixels(50, units.cx, 4));
      EXPECT_EQ(b.bottom - b.top, DluToPixels(14, units.cy, 8));
      EXPECT_GT(b.top, view.text.bottom);
      EXPECT_EQ(view.client.bottom - b.bottom, DluToPixels(7, units.cy, 8));
      if (i > 0) EXPECT_EQ(b.left - view.buttonRects[i - 1].right, DluToPixels(4, units.cx, 4));
    }
    // The row is centred.
    EXPECT_LE(std::abs(view.buttonRects.front().left - (view.client.right - view.buttonRects.back().right)), 1);
  }
  DeleteObject(font);
}

TEST_F(MessageBoxTest, DrivenBoxesAnswerKeysAndClose) {
  struct Case {
    const char* name;
    UINT type;
    std::vector<UINT> keys;  // 0: WM_CLOSE
    int expected;
  } cases[] = {
      {"Escape with Cancel", MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
      {"Escape in an OK box is OK", MB_OK, {VK_ESCAPE}, IDOK},
      {"Escape without Cancel does nothing; Enter takes the default", MB_YESNO | MB_DEFBUTTON2,
       {VK_ESCAPE, VK_RETURN}, IDNO},
      {"Close without Cancel does nothing", MB_ABORTRETRYIGNORE, {0, VK_RETURN}, IDABORT},
      {"Close with Cancel", MB_YESNOCANCEL, {0}, IDCANCEL},
      {"Tab moves between buttons; Escape", MB_RETRYCANCEL, {VK_TAB, VK_ESCAPE}, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    size_t next = 0;
    host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
      ASSERT_LT(next, c.keys.size()) << "the box did not end";
      UINT key = c.keys[next++];
      if (key)
        host::KeyPress(key);
      else
        SendMessageW(idle.window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(MessageBoxW(nullptr, u"Drive me", u"Driven", c.type), c.expected);
    EXPECT_EQ(next, c.keys.size());
  }
}

TEST_F(MessageBoxTest, TaskModalOptionsAndErrors) {
  HWND other = MakeOwner();
  bool otherDisabled = false;
  DWORD exStyle = 0;
  host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
    otherDisabled = !IsWindowEnabled(other);
    exStyle = static_cast<DWORD>(GetWindowLongW(idle.window, GWL_EXSTYLE));
    EndDialog(idle.window, IDOK);
  });
  EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_TASKMODAL | MB_TOPMOST | MB_RTLREADING | MB_RIGHT), IDOK);
  EXPECT_TRUE(otherDisabled);
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_LAYOUTRTL);
  // Indirect form with the structure's size checked; a bad owner fails.
  host::SetModalIdleCallback(nullptr);
  MSGBOXPARAMSW params{};
  params.cbSize = sizeof(params);
  params.lpszText = u"indirect";
  params.dwStyle = MB_OKCANCEL | MB_ICONEXCLAMATION;
  host::PushMessageBoxAnswer(IDCANCEL);
  EXPECT_EQ(MessageBoxIndirectW(&params), IDCANCEL);
  params.cbSize = 8;
  EXPECT_EQ(MessageBoxIndirectW(&params), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(MessageBoxW(reinterpret_cast<HWND>(0x4321), u"t", u"c", MB_OK), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  host::PushMessageBoxAnswer(IDOK);
  EXPECT_EQ(MessageBoxExW(nullptr, u"t", u"c", MB_OK, 0x0409), IDOK);
  DestroyWindow(other);
}

}  // namespace
}  // namespace talix::testing
