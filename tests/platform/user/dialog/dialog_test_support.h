// Helpers of the dialog tests: stand-in control classes (buttons, labels, edit fields,
// panes) that answer the dialog manager's messages the documented way, a dialog
// procedure that records what it gets, a writer of in-memory templates, and a fixture
// that starts every test on the virtual clock with clean input and checks that no
// window, GDI object or hook is left behind.
#pragma once

#include "data/dialog_ids.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace talix::testing {

// The dialog fonts resolve through the text tests' private fontconfig setup.
inline const bool kPrivateFonts = [] {
  setenv("FONTCONFIG_FILE", TALIX_SOURCE_DIR "/tests/platform/text/data/fonts.conf", 1);
  return true;
}();

constexpr const char16_t* kButtonClass = u"TalixTestButton";
constexpr const char16_t* kLabelClass = u"TalixTestLabel";
constexpr const char16_t* kEditClass = u"TalixTestEdit";
constexpr const char16_t* kPaneClass = u"TalixTestPane";

// The extra bytes of the stand-ins: the check state, the font and the last EM_SETSEL.
constexpr int kCheckSlot = 0;
constexpr int kFontSlot = 8;
constexpr int kSelSlot = 16;

inline DWORD ButtonType(HWND hwnd) { return GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK; }

// Common answers: fonts and, for buttons, the check state.
inline bool CommonControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LRESULT* result) {
  switch (msg) {
    case WM_SETFONT: SetWindowLongPtrW(hwnd, kFontSlot, static_cast<LONG_PTR>(wParam)); *result = 0; return true;
    case WM_GETFONT: *result = GetWindowLongPtrW(hwnd, kFontSlot); return true;
  }
  return false;
}

inline LRESULT CALLBACK TestButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (CommonControlMessage(hwnd, msg, wParam, &result)) return result;
  DWORD type = ButtonType(hwnd);
  switch (msg) {
    case WM_GETDLGCODE:
      if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (type == 9) return DLGC_BUTTON | DLGC_RADIOBUTTON;  // BS_AUTORADIOBUTTON
      return DLGC_BUTTON;
    case BM_SETSTYLE:
      SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(wParam));
      return 0;
    case BM_GETCHECK: return GetWindowLongPtrW(hwnd, kCheckSlot);
    case BM_SETCHECK: SetWindowLongPtrW(hwnd, kCheckSlot, static_cast<LONG_PTR>(wParam)); return 0;
    case BM_CLICK:
      SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd));
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

inline LRESULT CALLBACK TestLabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (CommonControlMessage(hwnd, msg, wParam, &result)) return result;
  if (msg == WM_GETDLGCODE) return DLGC_STATIC;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Wants characters and arrows (as an edit field does), keeps the last EM_SETSEL and the
// characters typed into its text.
inline LRESULT CALLBACK TestEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (CommonControlMessage(hwnd, msg, wParam, &result)) return result;
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case EM_SETSEL: SetWindowLongPtrW(hwnd, kSelSlot, MAKELONG(wParam, lParam)); return 0;
    case WM_CHAR: {
      WCHAR text[256];
      int n = GetWindowTextW(hwnd, text, 254);
      text[n] = static_cast<WCHAR>(wParam);
      text[n + 1] = 0;
      SetWindowTextW(hwnd, text);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// What the recording dialog procedure saw, and how it answers.
struct DialogLog {
  std::vector<UINT> messages;
  std::vector<WPARAM> commands;  // LOWORD(wParam) of WM_COMMAND
  WPARAM initFocus = 0;          // WM_INITDIALOG's wParam
  LPARAM initParam = 0;
  INT_PTR initAnswer = TRUE;
  bool endOnCommand = true;      // EndDialog(id) on IDOK/IDCANCEL/IDC_APPLY
  std::vector<HWND> enterIdle;   // WM_ENTERIDLE lParams seen by the owner
};

inline DialogLog& Log() {
  static DialogLog log;
  return log;
}

inline INT_PTR CALLBACK RecordingDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().messages.push_back(msg);
  switch (msg) {
    case WM_INITDIALOG:
      Log().initFocus = wParam;
      Log().initParam = lParam;
      return Log().initAnswer;
    case WM_COMMAND:
      Log().commands.push_back(LOWORD(wParam));
      if (Log().endOnCommand) EndDialog(dlg, LOWORD(wParam));
      return TRUE;
  }
  return FALSE;
}

// An owner window that records WM_ENTERIDLE.
inline LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX)
    Log().enterIdle.push_back(reinterpret_cast<HWND>(lParam));
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}
constexpr const char16_t* kOwnerClass = u"TalixDialogOwner";

// Writes in-memory templates, classic or extended, item by item.
class TemplateBuilder {
 public:
  TemplateBuilder(bool extended, DWORD style, DWORD exStyle, short x, short y, short cx, short cy,
                  const std::u16string& title, WORD pointSize = 0, const std::u16string& face = u"",
                  WORD weight = FW_NORMAL, BYTE italic = 0)
      : extended_(extended) {
    if (extended) {
      Word(1); Word(0xFFFF); Dword(0); Dword(exStyle); Dword(style);
    } else {
      Dword(style); Dword(exStyle);
    }
    countAt_ = bytes_.size();
    Word(0);
    Word(x); Word(y); Word(cx); Word(cy);
    Word(0);  // menu
    Word(0);  // class
    Text(title);
    if (style & DS_SETFONT) {
      Word(pointSize);
      if (extended) { Word(weight); bytes_.push_back(italic); bytes_.push_back(DEFAULT_CHARSET); }
      Text(face);
    }
  }
  // An item of a class named by string or, when classOrdinal is set, by ordinal.
  TemplateBuilder& Item(DWORD style, short x, short y, short cx, short cy, DWORD id,
                        const std::u16string& cls, const std::u16string& title,
                        WORD classOrdinal = 0, DWORD exStyle = 0) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    if (extended_) {
      Dword(0); Dword(exStyle); Dword(style);
    } else {
      Dword(style); Dword(exStyle);
    }
    Word(x); Word(y); Word(cx); Word(cy);
    if (extended_) Dword(id); else Word(static_cast<WORD>(id));
    if (classOrdinal) { Word(0xFFFF); Word(classOrdinal); } else { Text(cls); }
    Text(title);
    Word(0);
    WORD count;
    std::memcpy(&count, &bytes_[countAt_], 2);
    ++count;
    std::memcpy(&bytes_[countAt_], &count, 2);
    return *this;
  }
  std::vector<BYTE>& Bytes() { return bytes_; }
  // A copy in a GlobalAlloc block, so the dialog manager knows its size; freed with the
  // builder's owner through GlobalFree.
  HGLOBAL Global(size_t size = SIZE_MAX) const {
    size_t n = size == SIZE_MAX ? bytes_.size() : size;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, n ? n : 1);
    if (n) std::memcpy(block, bytes_.data(), n);
    return block;
  }

 private:
  void Word(WORD w) { bytes_.push_back(BYTE(w)); bytes_.push_back(BYTE(w >> 8)); }
  void Dword(DWORD d) { Word(WORD(d)); Word(WORD(d >> 16)); }
  void Text(const std::u16string& s) { for (char16_t c : s) Word(c); Word(0); }

  bool extended_;
  size_t countAt_ = 0;
  std::vector<BYTE> bytes_;
};

// Base units measured the documented way: the average width of the 52 Latin letters,
// rounded, and the character height.
inline SIZE MeasuredBaseUnits(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE letters{};
  GetTextExtentPoint32W(dc, u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{(letters.cx + 26) / 52, tm.tmHeight};
}

// n * units / per, rounded half away from zero.
inline LONG DluToPixels(LONG n, LONG units, LONG per) {
  double exact = double(n) * units / per;
  return LONG(exact >= 0 ? exact + 0.5 : exact - 0.5);
}

// A control's rectangle in its dialog's client coordinates.
inline RECT RectInParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::UseVirtualClock(true);
    host::ResetInput();
    host::ResetModalScript();
    struct { const char16_t* name; WNDPROC proc; } classes[] = {
        {kButtonClass, TestButtonProc}, {kLabelClass, TestLabelProc},
        {kEditClass, TestEditProc}, {kPaneClass, DefWindowProcW}, {kOwnerClass, OwnerProc}};
    for (auto& c : classes) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = c.proc;
      wc.style = CS_GLOBALCLASS;  // found whatever module a dialog names
      wc.cbWndExtra = 24;
      wc.lpszClassName = c.name;
      ASSERT_NE(RegisterClassExW(&wc), 0);
    }
    host::MouseMove(0, 0);
    static const bool warm = WarmUp();  // stock objects and font caches made on first use
    (void)warm;
    host::PumpMessagesUntilIdle();
    Log() = DialogLog{};
    gdiBefore_ = host::LiveHandles(HandleKind::GdiObject);
    hooksBefore_ = host::LiveHandles(HandleKind::Hook);
    memoryBefore_ = host::LiveHandles(HandleKind::Memory);
  }
  void TearDown() override {
    host::ResetModalScript();
    host::ResetInput();
    host::PumpMessagesUntilIdle();
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::GdiObject), gdiBefore_) << "GDI objects leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::Hook), hooksBefore_) << "hooks leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::Memory), memoryBefore_) << "memory leaked";
    for (const char16_t* name : {kButtonClass, kLabelClass, kEditClass, kPaneClass, kOwnerClass})
      EXPECT_TRUE(UnregisterClassW(name, nullptr));
  }
  static HINSTANCE Self() { return GetModuleHandleW(nullptr); }
  static bool WarmUp() {
    for (int i = 0; i <= 19; ++i) GetStockObject(i);
    for (int i = 0; i <= 30; ++i) GetSysColorBrush(i);
    HWND owner = MakeOwner();
    DestroyWindow(CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_FORM), owner,
                                     RecordingDialogProc, 0));
    DestroyWindow(owner);
    return true;
  }
  static HWND MakeOwner() {
    HWND owner = CreateWindowExW(0, kOwnerClass, u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                 50, 400, 300, nullptr, nullptr, nullptr, nullptr);
    host::PumpMessagesUntilIdle();
    return owner;
  }
  static void Pump() { host::PumpMessagesUntilIdle(); }
  // Runs the thread's messages through IsDialogMessageW, as a modeless dialog's loop does.
  static void PumpDialog(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  static void Press(HWND dialog, UINT key) {
    host::KeyPress(key);
    PumpDialog(dialog);
  }

 private:
  size_t gdiBefore_ = 0, hooksBefore_ = 0, memoryBefore_ = 0;
};

}  // namespace talix::testing
