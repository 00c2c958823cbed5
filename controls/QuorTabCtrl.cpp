#include "controls/QuorTabCtrl.h"

#include "skin/QuorWindowLink.h"

namespace {

constexpr int kSubclassMinTabWidth = 50;
constexpr int kSubclassTabHeight = 24;

COLORREF SwapRedBlue(COLORREF color) {
  return RGB(GetBValue(color), GetGValue(color), GetRValue(color));
}

}  // namespace

CQuorTabCtrl::CQuorTabCtrl() : m_nLastSelection(-1) { m_pfnWndProc = &CQuorTabCtrl::WindowProc; }

HWND CQuorTabCtrl::Create(LPCWSTR, HWND, RECT&, LPCWSTR, UINT, DWORD, DWORD, void*) {
  return nullptr;
}

HWND CQuorTabCtrl::Create(HWND parent, RECT& rect, UINT id, DWORD style, DWORD exStyle) {
  HWND hwnd = CQuorWindowImpl::Create(GetWndClassName(), parent, rect, u"", id, style, exStyle,
                                      nullptr);
  if (hwnd) SetOwnerDrawn();
  return hwnd;
}

BOOL CQuorTabCtrl::SubclassWindow(HWND hwnd) {
  const BOOL done = CQuorWindowImpl::SubclassWindow(hwnd);
  if (done) {
    SetOwnerDrawn();
    SetMinTabWidth(kSubclassMinTabWidth);
    SetItemSize(SIZE{0, kSubclassTabHeight});
  }
  return done;
}

void CQuorTabCtrl::SetOwnerDrawn() {
  SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | TCS_OWNERDRAWFIXED);
}

LRESULT CALLBACK CQuorTabCtrl::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CQuorTabCtrl*>(FromHandle(hwnd));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY:
      self->DeleteBackBuffer();
      return self->CallPrevious(hwnd, msg, wParam, lParam);
    case WM_SIZE:
      return self->OnSize(hwnd, msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return self->OnFocusChange(hwnd, msg, wParam, lParam);
    case WM_PAINT:
      return self->OnPaint(hwnd, msg, wParam, lParam);
    case QUOR_TAB_GETBKCLR:
      return self->OnGetBkclr(hwnd, msg, wParam, lParam);
    case UWM_REPAINT:
      return self->OnRepaint(hwnd, msg, wParam, lParam);
    default:
      // Erasing, owner-draw forwarding, UWM_INVALIDATEBACKBUFFER and the window's end.
      return CQuorWindowImpl::WindowProc(hwnd, msg, wParam, lParam);
  }
}

LRESULT CQuorTabCtrl::OnSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DeleteBackBuffer();
  return CallPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CQuorTabCtrl::OnFocusChange(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DeleteBackBuffer();  // the focus rectangle is part of the picture
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  return CallPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CQuorTabCtrl::OnPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!SkinIsValid()) return CallPrevious(hwnd, msg, wParam, lParam);
  InvalidateRect(hwnd, nullptr, FALSE);  // every paint copies the whole buffer
  PAINTSTRUCT ps{};
  if (BeginPaint(hwnd, &ps)) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int selection = GetCurSel();
    if (selection != m_nLastSelection) {
      m_nLastSelection = selection;
      DeleteBackBuffer();
      RepaintStrip(ps, client);
    }
    DrawBackBuffer(ps.hdc, client, ps.rcPaint);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

void CQuorTabCtrl::RepaintStrip(const PAINTSTRUCT& ps, const RECT& client) {
  PAINTSTRUCT strip = ps;
  strip.rcPaint = client;
  RECT first{};  // stays empty without tabs, which makes the strip empty too
  GetItemRect(0, &first);
  if (first.bottom >= client.top) strip.rcPaint.bottom = first.bottom;
  if (HWND parent = GetParent(m_hWnd))
    SendMessageW(parent, UWM_REPAINT, reinterpret_cast<WPARAM>(m_hWnd),
                 reinterpret_cast<LPARAM>(&strip));
}

LRESULT CQuorTabCtrl::OnGetBkclr(HWND, UINT, WPARAM, LPARAM) {
  if (!m_pSkin) return 0;
  return LRESULT(SwapRedBlue(m_pSkin->GetBackgroundColor()));
}

LRESULT CQuorTabCtrl::OnRepaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!CQuorWindowLink::IsRepaintRequest(wParam, lParam) || !SkinIsValid()) return 0;
  const auto* ps = reinterpret_cast<const PAINTSTRUCT*>(lParam);
  RECT mapped = ps->rcPaint;
  MapWindowPoints(reinterpret_cast<HWND>(wParam), hwnd, reinterpret_cast<POINT*>(&mapped), 2);
  ValidateRect(hwnd, &mapped);
  return CQuorWindowImpl::OnRepaint(hwnd, msg, wParam, lParam);
}

HIMAGELIST CQuorTabCtrl::GetImageList() {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(m_hWnd, TCM_GETIMAGELIST, 0, 0));
}
HIMAGELIST CQuorTabCtrl::SetImageList(HIMAGELIST list) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessageW(m_hWnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
}
int CQuorTabCtrl::GetItemCount() { return int(SendMessageW(m_hWnd, TCM_GETITEMCOUNT, 0, 0)); }
BOOL CQuorTabCtrl::GetItem(int index, TCITEMW* item) {
  return BOOL(SendMessageW(m_hWnd, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(item)));
}
BOOL CQuorTabCtrl::SetItem(int index, TCITEMW* item) {
  return BOOL(SendMessageW(m_hWnd, TCM_SETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(item)));
}
int CQuorTabCtrl::InsertItem(int index, TCITEMW* item) {
  return int(
      SendMessageW(m_hWnd, TCM_INSERTITEMW, WPARAM(index), reinterpret_cast<LPARAM>(item)));
}
BOOL CQuorTabCtrl::DeleteItem(int index) {
  return BOOL(SendMessageW(m_hWnd, TCM_DELETEITEM, WPARAM(index), 0));
}
BOOL CQuorTabCtrl::DeleteAllItems() { return BOOL(SendMessageW(m_hWnd, TCM_DELETEALLITEMS, 0, 0)); }
BOOL CQuorTabCtrl::GetItemRect(int index, RECT* rect) {
  return BOOL(
      SendMessageW(m_hWnd, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(rect)));
}
int CQuorTabCtrl::GetCurSel() { return int(SendMessageW(m_hWnd, TCM_GETCURSEL, 0, 0)); }
int CQuorTabCtrl::SetCurSel(int index) {
  return int(SendMessageW(m_hWnd, TCM_SETCURSEL, WPARAM(index), 0));
}
int CQuorTabCtrl::GetCurFocus() { return int(SendMessageW(m_hWnd, TCM_GETCURFOCUS, 0, 0)); }
void CQuorTabCtrl::SetCurFocus(int index) {
  SendMessageW(m_hWnd, TCM_SETCURFOCUS, WPARAM(index), 0);
}
SIZE CQuorTabCtrl::SetItemSize(SIZE size) {
  const LRESULT previous =
      SendMessageW(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
  return SIZE{LOWORD(previous), HIWORD(previous)};
}
void CQuorTabCtrl::SetPadding(SIZE size) {
  SendMessageW(m_hWnd, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy));
}
int CQuorTabCtrl::GetRowCount() { return int(SendMessageW(m_hWnd, TCM_GETROWCOUNT, 0, 0)); }
BOOL CQuorTabCtrl::SetItemExtra(int bytes) {
  return BOOL(SendMessageW(m_hWnd, TCM_SETITEMEXTRA, WPARAM(bytes), 0));
}
int CQuorTabCtrl::SetMinTabWidth(int width) {
  return int(SendMessageW(m_hWnd, TCM_SETMINTABWIDTH, 0, LPARAM(width)));
}
DWORD CQuorTabCtrl::GetExtendedStyle() {
  return DWORD(SendMessageW(m_hWnd, TCM_GETEXTENDEDSTYLE, 0, 0));
}
DWORD CQuorTabCtrl::SetExtendedStyle(DWORD mask, DWORD style) {
  return DWORD(SendMessageW(m_hWnd, TCM_SETEXTENDEDSTYLE, WPARAM(mask), LPARAM(style)));
}
BOOL CQuorTabCtrl::GetUnicodeFormat() {
  return BOOL(SendMessageW(m_hWnd, CCM_GETUNICODEFORMAT, 0, 0));
}
BOOL CQuorTabCtrl::SetUnicodeFormat(BOOL unicode) {
  return BOOL(SendMessageW(m_hWnd, CCM_SETUNICODEFORMAT, WPARAM(unicode), 0));
}
void CQuorTabCtrl::AdjustRect(BOOL larger, RECT* rect) {
  SendMessageW(m_hWnd, TCM_ADJUSTRECT, WPARAM(larger), reinterpret_cast<LPARAM>(rect));
}
void CQuorTabCtrl::RemoveImage(int image) {
  SendMessageW(m_hWnd, TCM_REMOVEIMAGE, WPARAM(image), 0);
}
int CQuorTabCtrl::HitTest(TCHITTESTINFO* info) {
  return int(SendMessageW(m_hWnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
void CQuorTabCtrl::DeselectAll(BOOL excludeFocus) {
  SendMessageW(m_hWnd, TCM_DESELECTALL, WPARAM(excludeFocus), 0);
}
BOOL CQuorTabCtrl::HighlightItem(int index, BOOL highlight) {
  return BOOL(SendMessageW(m_hWnd, TCM_HIGHLIGHTITEM, WPARAM(index), MAKELPARAM(highlight, 0)));
}
