// Modal dialogs: DialogBoxParamW driven from the idle callback with injected input,
// the owner disabled during the loop, WM_ENTERIDLE, WH_MSGFILTER, nesting and WM_QUIT.
#include "dialog_test_support.h"

namespace talix::testing {
namespace {

using ModalTest = DialogTest;

TEST_F(ModalTest, DrivenByInjectedKeysAndEndedWithTheCommandsValue) {
  HWND owner = MakeOwner();
  std::vector<host::ModalIdle> idles;
  bool ownerDisabledInside = false, dialogVisibleInside = false;
  int focusAtFirstIdle = 0;
  host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
    idles.push_back(idle);
    if (idle.idleCount == 1) {
      ownerDisabledInside = !IsWindowEnabled(owner);
      dialogVisibleInside = IsWindowVisible(idle.window) != FALSE;
      focusAtFirstIdle = GetDlgCtrlID(GetFocus());
      // Tab from the edit to the first radio, then Shift+Tab back, Tab x4 to Cancel.
      host::KeyPress(VK_TAB);
      host::KeyDown(VK_SHIFT);
      host::KeyPress(VK_TAB);
      host::KeyUp(VK_SHIFT);
      for (int i = 0; i < 4; ++i) host::KeyPress(VK_TAB);
    } else {
      host::KeyPress(VK_RETURN);  // on the focused Cancel button
    }
  });
  INT_PTR result = DialogBoxParamW(Self(), MAKEINTRESOURCEW(IDD_FORM), owner, RecordingDialogProc, 42);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(Log().commands, std::vector<WPARAM>{IDCANCEL});
  EXPECT_EQ(Log().initParam, 42);
  ASSERT_EQ(idles.size(), 2u);
  EXPECT_EQ(idles[0].kind, host::ModalLoopKind::Dialog);
  EXPECT_EQ(idles[0].depth, 1);
  EXPECT_TRUE(ownerDisabledInside);
  EXPECT_TRUE(dialogVisibleInside);
  EXPECT_EQ(focusAtFirstIdle, IDC_NAME);
  EXPECT_FALSE(IsWindow(idles[0].window));  // destroyed before DialogBox returns
  // The owner is enabled and active again; WM_ENTERIDLE reached it at each idle.
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(Log().enterIdle, (std::vector<HWND>{idles[0].window, idles[0].window}));
  EXPECT_EQ(host::ModalLoopDepth(), 0);
  DestroyWindow(owner);
}

// A procedure that ends the dialog from WM_INITDIALOG with its parameter.
INT_PTR CALLBACK EndAtOnce(HWND dlg, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) EndDialog(dlg, lParam);
  return msg == WM_INITDIALOG;
}

TEST_F(ModalTest, EndDialogAnywhere) {
  HWND owner = MakeOwner();
  int idleCalls = 0;
  host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
    ++idleCalls;
    EndDialog(idle.window, 1234);
  });
  EXPECT_EQ(DialogBoxParamW(Self(), MAKEINTRESOURCEW(IDD_CLASSIC), owner, RecordingDialogProc, 0), 1234);
  EXPECT_EQ(idleCalls, 1);
  // Ended in WM_INITDIALOG: no loop, never shown, the owner never disabled.
  idleCalls = 0;
  EXPECT_EQ(DialogBoxParamW(Self(), MAKEINTRESOURCEW(IDD_CLASSIC), owner, EndAtOnce, 77), 77);
  EXPECT_EQ(idleCalls, 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
  // Not a dialog: EndDialog fails.
  EXPECT_FALSE(EndDialog(owner, 1));
  EXPECT_FALSE(EndDialog(nullptr, 1));
  DestroyWindow(owner);
}

TEST_F(ModalTest, NoIdleMessageAndAChildOwnerMeansItsTopLevelWindow) {
  HWND owner = MakeOwner();
  HWND child = CreateWindowExW(0, kOwnerClass, u"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, owner,
                               nullptr, nullptr, nullptr);
  bool ownerDisabled = false;
  HWND dialogOwner = nullptr;
  host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
    ownerDisabled = !IsWindowEnabled(owner);
    dialogOwner = GetWindow(idle.window, GW_OWNER);
    EndDialog(idle.window, 5);
  });
  TemplateBuilder t(false, WS_POPUP | WS_CAPTION | DS_NOIDLEMSG, 0, 0, 0, 80, 40, u"quiet");
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.Bytes().data()),
                                    child, RecordingDialogProc, 0), 5);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(dialogOwner, owner);
  EXPECT_TRUE(Log().enterIdle.empty());
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.Bytes().data()),
                                    reinterpret_cast<HWND>(0x1234), RecordingDialogProc, 0), -1);
  DestroyWindow(owner);
}

std::vector<std::pair<int, UINT>>& Filtered() {
  static std::vector<std::pair<int, UINT>> seen;
  return seen;
}

LRESULT CALLBACK MsgFilter(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  Filtered().push_back({code, msg->message});
  // Swallows F2 so the dialog never sees it.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2) return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ModalTest, MessagesPassTheMessageFilterHooks) {
  Filtered().clear();
  HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, MsgFilter, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
    if (idle.idleCount == 1) {
      host::KeyPress(VK_F2);
      host::KeyPress(VK_ESCAPE);
    }
  });
  EXPECT_EQ(DialogBoxParamW(Self(), MAKEINTRESOURCEW(IDD_FORM), nullptr, RecordingDialogProc, 0), IDCANCEL);
  UnhookWindowsHookEx(hook);
  bool sawEscape = false;
  for (auto& [code, message] : Filtered()) {
    EXPECT_EQ(code, MSGF_DIALOGBOX);
    sawEscape |= message == WM_KEYDOWN;
  }
  EXPECT_TRUE(sawEscape);
  EXPECT_EQ(Log().commands, std::vector<WPARAM>{IDCANCEL});
}

TEST_F(ModalTest, NestedLoopsAndQuit) {
  std::vector<int> depths;
  INT_PTR inner = 0;
  host::SetModalIdleCallback([&](const host::ModalIdle& idle) {
    depths.push_back(idle.depth);
    if (idle.depth == 1 && inner == 0) {
      inner = DialogBoxParamW(Self(), MAKEINTRESOURCEW(IDD_CLASSIC), idle.window, RecordingDialogProc, 0);
      EXPECT_TRUE(IsWindowEnabled(idle.window));  // the inner box gave it back
      PostQuitMessage(9);
    } else if (idle.depth == 2) {
      EndDialog(idle.window, 8);
    }
  });
  // WM_QUIT ends the outer loop and stays queued for the caller's own loop.
  EXPECT_EQ(DialogBoxParamW(Self(), MAKEINTRESOURCEW(IDD_CLASSIC), nullptr, RecordingDialogProc, 0), -1);
  EXPECT_EQ(inner, 8);
  EXPECT_EQ(depths, (std::vector<int>{1, 2}));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT(WM_QUIT));
  EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(ModalTest, DialogWindowSlots) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetClassInfoExW(nullptr, u"#32770", &info));
  EXPECT_EQ(info.lpfnWndProc, DefDlgProcW);
  HWND dialog = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_CLASSIC), nullptr, RecordingDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(RecordingDialogProc));
  SetWindowLongPtrW(dialog, DWLP_USER, 0x5151);
  EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 0x5151);
  // A handled message answers with DWLP_MSGRESULT; colour messages with the procedure's
  // own result, and the defaults are the face colour's brush.
  EXPECT_EQ(SendMessageW(dialog, WM_CTLCOLORDLG, 0, 0), reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE)));
  HDC dc = GetDC(dialog);
  EXPECT_EQ(SendMessageW(dialog, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0),
            reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
  ReleaseDC(dialog, dc);
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace talix::testing
