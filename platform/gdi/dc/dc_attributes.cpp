// The DC's stored attributes: colours, modes, brush origin, DC brush and pen colours.
#include "platform/gdi/dc/dc_object.h"

#include <win/base.h>
#include <win/gdi.h>

using namespace talix::gdi;

namespace {

// Sets one attribute and returns the previous value, or `failure` for a bad DC or value.
template <typename T, typename Member>
T Exchange(HDC hdc, Member member, T value, bool valid, T failure) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return failure;
  if (!valid) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return failure;
  }
  T old = dc->State().*member;
  dc->State().*member = value;
  return old;
}

template <typename T, typename Member>
T Read(HDC hdc, Member member, T failure) {
  DcObject* dc = DcOrError(hdc);
  return dc ? dc->State().*member : failure;
}

}  // namespace

int SetBkMode(HDC hdc, int mode) {
  return Exchange(hdc, &DcState::bkMode, mode, mode == TRANSPARENT || mode == OPAQUE, 0);
}
int GetBkMode(HDC hdc) { return Read(hdc, &DcState::bkMode, 0); }

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DcState::bkColor, color & 0xFFFFFF, true, CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) { return Read(hdc, &DcState::bkColor, CLR_INVALID); }

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DcState::textColor, color & 0xFFFFFF, true, CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) { return Read(hdc, &DcState::textColor, CLR_INVALID); }

int SetStretchBltMode(HDC hdc, int mode) {
  return Exchange(hdc, &DcState::stretchMode, mode, mode >= BLACKONWHITE && mode <= HALFTONE, 0);
}
int GetStretchBltMode(HDC hdc) { return Read(hdc, &DcState::stretchMode, 0); }

int SetROP2(HDC hdc, int rop2) {
  return Exchange(hdc, &DcState::rop2, rop2, rop2 >= R2_BLACK && rop2 <= R2_WHITE, 0);
}
int GetROP2(HDC hdc) { return Read(hdc, &DcState::rop2, 0); }

UINT SetTextAlign(HDC hdc, UINT align) {
  return Exchange(hdc, &DcState::textAlign, align, true, UINT(GDI_ERROR));
}
UINT GetTextAlign(HDC hdc) { return Read(hdc, &DcState::textAlign, UINT(GDI_ERROR)); }

// Only MM_TEXT: the library never scales logical units.
int SetMapMode(HDC hdc, int mode) {
  return Exchange(hdc, &DcState::mapMode, mode, mode == MM_TEXT, 0);
}
int GetMapMode(HDC hdc) { return Read(hdc, &DcState::mapMode, 0); }

COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DcState::dcBrushColor, color & 0xFFFFFF, true, CLR_INVALID);
}
COLORREF GetDCBrushColor(HDC hdc) { return Read(hdc, &DcState::dcBrushColor, CLR_INVALID); }

COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DcState::dcPenColor, color & 0xFFFFFF, true, CLR_INVALID);
}
COLORREF GetDCPenColor(HDC hdc) { return Read(hdc, &DcState::dcPenColor, CLR_INVALID); }

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->State().brushOrg;
  dc->State().brushOrg = POINT{x, y};
  return TRUE;
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->State().brushOrg;
  return TRUE;
}
