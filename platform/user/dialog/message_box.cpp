// MessageBoxW, MessageBoxExW and MessageBoxIndirectW: a dialog the platform writes as an
// in-memory template and runs in the modal-loop service (kind MessageBox, filter
// MSGF_MESSAGEBOX). The box lays itself out in pixels at WM_INITDIALOG (see
// message_box_layout.h) with the message font of the non-client metrics.
//
// Limits: texts are English whatever the language id; MB_HELP adds no Help button;
// MB_SYSTEMMODAL acts as MB_TASKMODAL; MB_RTLREADING | MB_RIGHT together lay the box out
// right to left (WS_EX_LAYOUTRTL), as a right-to-left system shows it.
#include "platform/gdi/font/dialog_units.h"
#include "platform/user/dialog/dialog_box.h"
#include "platform/user/dialog/dialog_state.h"
#include "platform/user/dialog/message_box_layout.h"
#include "platform/user/dialog/template_writer.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace talix::user {
namespace {

constexpr WORD kIconId = 20;
constexpr WORD kTextId = 0xFFFF;

struct BoxButton {
  int id;
  const char16_t* text;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, u"&Abort"}, {IDRETRY, u"&Retry"}, {IDIGNORE, u"&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, u"&Yes"}, {IDNO, u"&No"}, {IDCANCEL, u"Cancel"}};
    case MB_YESNO: return {{IDYES, u"&Yes"}, {IDNO, u"&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u"&Retry"}, {IDCANCEL, u"Cancel"}};
    case MB_CANCELTRYCONTINUE:
      return {{IDCANCEL, u"Cancel"}, {IDTRYAGAIN, u"&Try Again"}, {IDCONTINUE, u"&Continue"}};
    default: return {{IDOK, u"OK"}};
  }
}

LPCWSTR StandardIcon(UINT style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

UINT MessageBoxTextFormat() { return DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX; }

struct MessageBox {
  const MSGBOXPARAMSW* params = nullptr;
  std::u16string text;
  std::u16string caption;
  LOGFONTW captionFont{};
  std::vector<BoxButton> buttons;
  int defaultIndex = 0;
  HICON icon = nullptr;
  HFONT font = nullptr;
  int scripted = 0;
  bool hasScript = false;

  bool Has(int id) const {
    return std::any_of(buttons.begin(), buttons.end(), [&](const BoxButton& b) { return b.id == id; });
  }
};

HFONT MessageFont(LOGFONTW* caption) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  *caption = metrics.lfCaptionFont;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

SIZE Measure(HDC hdc, HFONT font, const std::u16string& text, UINT format, int maxWidth) {
  HGDIOBJ old = SelectObject(hdc, font);
  RECT r{0, 0, maxWidth, 0};
  DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  SelectObject(hdc, old);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT WorkArea() {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

MessageBoxParts MeasureParts(HWND box, const MessageBox& mb) {
  MessageBoxParts parts;
  parts.units = gdi::DialogBaseUnitsForFont(mb.font);
  if (mb.icon) parts.icon = SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
  parts.buttonCount = static_cast<int>(mb.buttons.size());
  int marginX = (7 * parts.units.cx + 2) / 4;
  RECT work = WorkArea();
  int maxText = (work.right - work.left) * 5 / 8 - 2 * marginX -
                (mb.icon ? parts.icon.cx + marginX : 0);
  HDC hdc = GetDC(box);
  parts.text = Measure(hdc, mb.font, mb.text, MessageBoxTextFormat(), std::max(maxText, 1));
  for (const BoxButton& b : mb.buttons)
    parts.widestButtonText = std::max<int>(
        parts.widestButtonText, Measure(hdc, mb.font, b.text, DT_SINGLELINE, 0).cx);
  HFONT captionFont = CreateFontIndirectW(&mb.captionFont);
  parts.captionWidth = Measure(hdc, captionFont, mb.caption, DT_SINGLELINE | DT_NOPREFIX, 0).cx +
                       GetSystemMetrics(SM_CXSIZE) + 2 * marginX;
  DeleteObject(captionFont);
  ReleaseDC(box, hdc);
  return parts;
}

void Place(HWND control, const RECT& r) {
  MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

// Sizes the box to the layout and centres it in the work area.
void ApplyLayout(HWND box, const MessageBox& mb, const MessageBoxLayout& layout) {
  if (HWND icon = GetDlgItem(box, kIconId)) Place(icon, layout.icon);
  Place(GetDlgItem(box, kTextId), layout.text);
  for (size_t i = 0; i < mb.buttons.size(); ++i)
    Place(GetDlgItem(box, mb.buttons[i].id), layout.buttons[i]);
  RECT frame{0, 0, layout.client.cx, layout.client.cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(box, GWL_EXSTYLE)));
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT work = WorkArea();
  int x = std::max<int>(work.left, (work.left + work.right - width) / 2);
  int y = std::max<int>(work.top, (work.top + work.bottom - height) / 2);
  SetWindowPos(box, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitialiseBox(HWND box, MessageBox& mb) {
  SetWindowLongPtrW(box, DWLP_USER, reinterpret_cast<LONG_PTR>(&mb));
  SetWindowTextW(box, mb.caption.c_str());
  SetDlgItemTextW(box, kTextId, mb.text.c_str());
  mb.font = MessageFont(&mb.captionFont);
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(mb.font), FALSE);
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(mb.font), FALSE);
  if (mb.icon) SendDlgItemMessageW(box, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(mb.icon), 0);
  ApplyLayout(box, mb, LayOutMessageBox(MeasureParts(box, mb)));
  int defaultId = mb.buttons[mb.defaultIndex].id;
  SendMessageW(box, DM_SETDEFID, defaultId, 0);
  auto state = FindDialogState(box);
  if (state && !(mb.params->dwStyle & MB_NOFOCUS)) state->savedFocus = GetDlgItem(box, defaultId);
}

// A command ends the box with a button's id; Escape and the close box (IDCANCEL) only
// when there is a Cancel button, or as IDOK when OK is the only button.
void Command(HWND box, const MessageBox& mb, int id) {
  if (mb.Has(id)) {
    EndDialog(box, id);
  } else if (id == IDCANCEL && mb.buttons.size() == 1 && mb.buttons[0].id == IDOK) {
    EndDialog(box, IDOK);
  }
}

INT_PTR CALLBACK MessageBoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* mb = reinterpret_cast<MessageBox*>(GetWindowLongPtrW(box, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      InitialiseBox(box, *reinterpret_cast<MessageBox*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (mb) Command(box, *mb, LOWORD(wParam));
      return TRUE;
  }
  return FALSE;
}

DWORD BoxExStyle(UINT style) {
  DWORD ex = WS_EX_DLGMODALFRAME;
  if (style & (MB_TOPMOST | MB_SYSTEMMODAL)) ex |= WS_EX_TOPMOST;
  if (style & MB_RTLREADING) ex |= WS_EX_RTLREADING;
  if ((style & (MB_RTLREADING | MB_RIGHT)) == (MB_RTLREADING | MB_RIGHT)) ex |= WS_EX_LAYOUTRTL;
  return ex;
}

TemplateWriter WriteTemplate(const MessageBox& mb) {
  UINT style = mb.params->dwStyle;
  TemplateWriter writer(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, BoxExStyle(style),
                        u"", RECT{});
  DWORD child = WS_CHILD | WS_VISIBLE;
  if (mb.icon) writer.AddItem(child | SS_ICON, 0, kIconId, 0x82, u"", RECT{});
  writer.AddItem(child | SS_NOPREFIX | SS_EDITCONTROL | ((style & MB_RIGHT) ? SS_RIGHT : SS_LEFT),
                 (style & MB_RTLREADING) ? WS_EX_RTLREADING : 0, kTextId, 0x82, u"", RECT{});
  for (size_t i = 0; i < mb.buttons.size(); ++i) {
    DWORD type = static_cast<int>(i) == mb.defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    writer.AddItem(child | WS_TABSTOP | type | (i == 0 ? WS_GROUP : 0), 0,
                   static_cast<WORD>(mb.buttons[i].id), 0x80, mb.buttons[i].text, RECT{});
  }
  return writer;
}

// MB_TASKMODAL without an owner: every enabled top-level window of the thread is
// disabled while the box runs.
std::vector<HWND> DisableThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM list) -> BOOL {
    if (IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&windows));
  for (HWND hwnd : windows) EnableWindow(hwnd, FALSE);
  return windows;
}

HICON BoxIcon(const MSGBOXPARAMSW& params) {
  if (params.dwStyle & MB_USERICON) return LoadIconW(params.hInstance, params.lpszIcon);
  LPCWSTR standard = StandardIcon(params.dwStyle);
  return standard ? LoadIconW(nullptr, standard) : nullptr;
}

int RunMessageBox(const MSGBOXPARAMSW& params) {
  MessageBox mb;
  mb.params = &params;
  mb.text = params.lpszText ? params.lpszText : u"";
  mb.caption = params.lpszCaption ? params.lpszCaption : u"Error";
  mb.buttons = ButtonsOf(params.dwStyle);
  mb.defaultIndex = static_cast<int>((params.dwStyle & MB_DEFMASK) >> 8);
  if (mb.defaultIndex >= static_cast<int>(mb.buttons.size())) mb.defaultIndex = 0;
  mb.icon = BoxIcon(params);
  mb.hasScript = TakeMessageBoxAnswer(&mb.scripted);
  TemplateWriter writer = WriteTemplate(mb);

  bool taskModal = !params.hwndOwner && (params.dwStyle & (MB_TASKMODAL | MB_SYSTEMMODAL));
  std::vector<HWND> disabled = taskModal ? DisableThreadWindows() : std::vector<HWND>{};
  ModalDialogRun run;
  run.kind = host::ModalLoopKind::MessageBox;
  run.filterCode = MSGF_MESSAGEBOX;
  run.onIdle = [&](HWND box, unsigned) {
    if (mb.hasScript) EndDialog(box, mb.scripted);
  };
  DialogRequest request{nullptr, params.hwndOwner, MessageBoxProc, reinterpret_cast<LPARAM>(&mb), true};
  INT_PTR result = RunModalDialog(writer.Template(), writer.Size(), request, run);
  for (HWND hwnd : disabled)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  if (mb.font) DeleteObject(mb.font);
  return result == -1 ? 0 : static_cast<int>(result);
}

}  // namespace
}  // namespace talix::user

using namespace talix::user;

int MessageBoxIndirectW(const MSGBOXPARAMSW* lpmbp) {
  if (!lpmbp || lpmbp->cbSize != sizeof(MSGBOXPARAMSW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (lpmbp->hwndOwner && !IsWindow(lpmbp->hwndOwner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return RunMessageBox(*lpmbp);
}

int MessageBoxExW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType, WORD wLanguageId) {
  MSGBOXPARAMSW params{};
  params.cbSize = sizeof(params);
  params.hwndOwner = hWnd;
  params.lpszText = lpText;
  params.lpszCaption = lpCaption;
  params.dwStyle = uType & ~UINT(MB_USERICON);
  params.dwLanguageId = wLanguageId;
  return MessageBoxIndirectW(&params);
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  return MessageBoxExW(hWnd, lpText, lpCaption, uType, 0);
}
