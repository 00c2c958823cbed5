// The dialog item helpers: texts, numbers, messages and check states by control id.
#include <windows.h>

#include <cstdint>
#include <string>

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Decimal text with optional blanks around it and, when signed, an optional minus sign.
bool ParseDecimal(const std::u16string& text, bool isSigned, UINT* value) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = isSigned && i < text.size() && text[i] == u'-';
  if (negative) ++i;
  uint64_t magnitude = 0;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits) {
    magnitude = magnitude * 10 + (text[i] - u'0');
    if (magnitude > UINT32_MAX) return false;
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (digits == 0 || i != text.size()) return false;
  if (isSigned && magnitude > (negative ? uint64_t(INT32_MAX) + 1 : uint64_t(INT32_MAX)))
    return false;
  *value = static_cast<UINT>(negative ? uint64_t(0) - magnitude : magnitude);
  return true;
}

}  // namespace

BOOL SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item ? SetWindowTextW(item, lpString) : FALSE;
}

UINT GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  if (item) return static_cast<UINT>(GetWindowTextW(item, lpString, cchMax));
  if (lpString && cchMax > 0) lpString[0] = 0;
  return 0;
}

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
  WCHAR text[16];
  if (bSigned)
    swprintf(text, 16, u"%d", static_cast<int>(uValue));
  else
    swprintf(text, 16, u"%u", uValue);
  return SetDlgItemTextW(hDlg, nIDDlgItem, text);
}

UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
  if (lpTranslated) *lpTranslated = FALSE;
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  if (!item) return 0;
  int length = GetWindowTextLengthW(item);
  std::u16string text(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), length + 1)));
  UINT value = 0;
  if (!ParseDecimal(text, bSigned != FALSE, &value)) return 0;
  if (lpTranslated) *lpTranslated = TRUE;
  return value;
}

LRESULT SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item ? SendMessageW(item, Msg, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND item = GetDlgItem(hDlg, nIDButton);
  if (!item) return FALSE;
  SendMessageW(item, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  if (!IsWindow(hDlg)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(child);
    if (id < nIDFirstButton || id > nIDLastButton) continue;
    SendMessageW(child, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}
