// MapDialogRect. Windows accepts only dialog windows here; this accepts any window that
// answers WM_GETFONT (dialogs answer with their template's font), so controls laid out
// before a dialog exists convert the same way.
#include "platform/gdi/font/dialog_units.h"

#include <win/base.h>
#include <win/text.h>
#include <win/user.h>

#include <cstdint>

namespace {

// value * numerator / denominator rounded half away from zero, as MulDiv rounds.
LONG Scale(LONG value, LONG numerator, LONG denominator) {
  int64_t product = int64_t(value) * numerator;
  int64_t half = denominator / 2;
  return LONG(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect) {
  if (!IsWindow(hDlg)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!lpRect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto font = reinterpret_cast<HFONT>(SendMessageW(hDlg, WM_GETFONT, 0, 0));
  SIZE units = talix::gdi::DialogBaseUnitsForFont(font);
  if (units.cx == 0)  // no font, or not a font: the system font's units
    units = talix::gdi::DialogBaseUnitsForFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  lpRect->left = Scale(lpRect->left, units.cx, 4);
  lpRect->right = Scale(lpRect->right, units.cx, 4);
  lpRect->top = Scale(lpRect->top, units.cy, 8);
  lpRect->bottom = Scale(lpRect->bottom, units.cy, 8);
  return TRUE;
}
