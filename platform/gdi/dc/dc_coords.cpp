// Origins, layout and point conversion.
#include "platform/gdi/dc/dc_object.h"

#include <win/base.h>
#include <win/gdi.h>

using namespace talix::gdi;

namespace {

BOOL SetPoint(HDC hdc, POINT DcState::*member, POINT value, bool relative, LPPOINT lppt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->State().*member;
  if (lppt) *lppt = p;
  p = relative ? POINT{ClampCoord(int64_t(p.x) + value.x), ClampCoord(int64_t(p.y) + value.y)}
               : POINT{ClampCoord(value.x), ClampCoord(value.y)};
  return TRUE;
}

BOOL GetPoint(HDC hdc, POINT DcState::*member, LPPOINT lppt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->State().*member;
  return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::viewportOrg, POINT{x, y}, false, lppt);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt) { return GetPoint(hdc, &DcState::viewportOrg, lppt); }
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::viewportOrg, POINT{x, y}, true, lppt);
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::windowOrg, POINT{x, y}, false, lppt);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt) { return GetPoint(hdc, &DcState::windowOrg, lppt); }
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::windowOrg, POINT{x, y}, true, lppt);
}

BOOL GetDCOrgEx(HDC hdc, LPPOINT lppt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->Origin();
  return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || (c > 0 && !lppt)) return FALSE;
  for (int i = 0; i < c; ++i) lppt[i] = dc->ToDevice(lppt[i]);
  return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || (c > 0 && !lppt)) return FALSE;
  for (int i = 0; i < c; ++i) lppt[i] = dc->ToLogical(lppt[i]);
  return TRUE;
}

DWORD SetLayout(HDC hdc, DWORD l) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return GDI_ERROR;
  DWORD old = dc->State().layout;
  dc->State().layout = l & (LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED);
  return old;
}

DWORD GetLayout(HDC hdc) {
  DcObject* dc = DcOrError(hdc);
  return dc ? dc->State().layout : GDI_ERROR;
}
