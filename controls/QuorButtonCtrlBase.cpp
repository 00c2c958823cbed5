// The skinned push button: creation, tooltip, window procedure, drawing and animation.
// Mouse, keyboard, focus and check handling are in QuorButtonCtrlInput.cpp.
#include "controls/QuorButtonCtrlBase.h"

#include "frame/QuorLib.h"

#include <win/commctrl.h>

CQuorButtonCtrlBase::CQuorButtonCtrlBase()
    : m_nState(eButtonNormal),
      m_nPrevState(eButtonNormal),
      m_nKind(BUTTONKIND_PUSH),
      m_hToolTip(nullptr),
      m_bChecked(false),
      m_bHot(false),
      m_bTracking(false),
      m_bFocus(false),
      m_nFrame(0),
      m_nTimerID(0),
      m_nAnimState(eButtonNormal) {
  m_pfnWndProc = &CQuorButtonCtrlBase::ButtonWindowProc;
}

CQuorButtonCtrlBase::~CQuorButtonCtrlBase() {
  if (m_hToolTip && IsWindow(m_hToolTip)) DestroyWindow(m_hToolTip);
  m_hToolTip = nullptr;
  if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

int CQuorButtonCtrlBase::KindFromStyle(DWORD style) {
  // The type is a 4-bit number, not a set of flags: compare it whole, so that owner-draw
  // (0x0B) or split buttons are not taken for check boxes or radio buttons.
  switch (style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX: return BUTTONKIND_CHECK;
    case BS_AUTORADIOBUTTON: return BUTTONKIND_RADIO;
    default: return BUTTONKIND_PUSH;
  }
}

// Replaces the type: OR-ing BS_OWNERDRAW into types 4-7 would give 0x0F, which is no
// owner-draw button and would never ask us to draw.
static DWORD OwnerDrawStyle(DWORD style) { return (style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW; }

HWND CQuorButtonCtrlBase::Create(HWND parent, RECT& rect, UINT id, DWORD style, DWORD exStyle) {
  HWND hwnd = CQuorWindowImpl<CQuorButtonSkin>::Create(u"Button", parent, rect, u"", id, style,
                                                       exStyle, nullptr);
  if (!hwnd) return nullptr;
  const DWORD actual = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  m_nKind = KindFromStyle(actual);
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(OwnerDrawStyle(actual)));
  return hwnd;
}

BOOL CQuorButtonCtrlBase::SubclassWindow(HWND hwnd) {
  const BOOL result = CQuorWindowImpl<CQuorButtonSkin>::SubclassWindow(hwnd);
  if (!result) return 0;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  m_nKind = KindFromStyle(style);
  SetWindowLongW(hwnd, GWL_STYLE,
                 static_cast<LONG>(OwnerDrawStyle(style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  SetWindowLongW(hwnd, GWL_EXSTYLE, static_cast<LONG>(exStyle & ~DWORD(WS_EX_NOPARENTNOTIFY)));
  return result;
}

void CQuorButtonCtrlBase::OnPaint(PAINTSTRUCT* ps) {
  if (SkinIsValid())
    CQuorWindowImpl<CQuorButtonSkin>::OnPaint(ps);
  else
    DrawPlaceHolder(ps->hdc);
}

void CQuorButtonCtrlBase::SetToolTipText(LPCWSTR text) {
  if (!m_hWnd) return;
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(m_hWnd);
  tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
  tool.lpszText = const_cast<LPWSTR>(text);
  if (m_hToolTip) {
    SendMessageW(m_hToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  m_hToolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, 0, 0, 0, 0, m_hWnd, nullptr,
                               CQuorLib::m_hInst, nullptr);
  if (!m_hToolTip) return;
  if (SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) && m_hToolTip)
    SendMessageW(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
}

void CQuorButtonCtrlBase::RelayEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!m_hToolTip) return;
  MSG relayed{};
  relayed.hwnd = hwnd;
  relayed.message = msg;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  relayed.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  SendMessageW(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CALLBACK CQuorButtonCtrlBase::ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                       LPARAM lParam) {
  auto* self = static_cast<CQuorButtonCtrlBase*>(FromHandle(hwnd));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->Dispatch(hwnd, msg, wParam, lParam);
}

LRESULT CQuorButtonCtrlBase::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, msg, wParam, lParam);
    case WM_DESTROY: return OnDestroy(hwnd, msg, wParam, lParam);
    case WM_SIZE: return OnSize(hwnd, msg, wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus(hwnd, msg, wParam, lParam);
    case WM_KILLFOCUS: return OnKillFocus(hwnd, msg, wParam, lParam);
    case WM_SETTEXT:
      DeleteBackBuffer();
      return CallPrevious(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return OnEraseBkgnd(hwnd, msg, wParam, lParam);
    case WM_DRAWITEM:
    case OCM_DRAWITEM: return OnDrawItem(hwnd, msg, wParam, lParam);
    case BM_GETCHECK: return OnGetCheck(hwnd, msg, wParam, lParam);
    case BM_SETCHECK: return OnSetCheck(hwnd, msg, wParam, lParam);
    case WM_KEYDOWN: return OnKeyDown(hwnd, msg, wParam, lParam);
    case WM_TIMER: return OnTimer(hwnd, msg, wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, msg, wParam, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClick(hwnd, msg, wParam, lParam);
    case WM_MOUSELEAVE: return OnMouseLeave(hwnd, msg, wParam, lParam);
    case UWM_RADIOINFO: return OnRadioInfo(hwnd, msg, wParam, lParam);
    // The skinned-window plumbing: the window going away, the buffer dropped from outside.
    case WM_NCDESTROY:
    case UWM_INVALIDATEBACKBUFFER:
      return CQuorWindowImpl<CQuorButtonSkin>::WindowProc(hwnd, msg, wParam, lParam);
    default: return CallPrevious(hwnd, msg, wParam, lParam);
  }
}

LRESULT CQuorButtonCtrlBase::OnCreate(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT CQuorButtonCtrlBase::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
  if (m_hToolTip && IsWindow(m_hToolTip)) DestroyWindow(m_hToolTip);
  m_hToolTip = nullptr;
  DeleteBackBuffer();
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnEraseBkgnd(HWND, UINT, WPARAM, LPARAM) { return 1; }

LRESULT CQuorButtonCtrlBase::OnSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DeleteBackBuffer();
  return CallPrevious(hwnd, msg, wParam, lParam);
}

bool CQuorButtonCtrlBase::CorrectPushedState(HWND hwnd) {
  POINT cursor{};
  if (!m_bTracking || GetCapture() != hwnd || !GetCursorPos(&cursor)) return false;
  const bool pushed = (SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const bool over = WindowFromPoint(cursor) == hwnd;
  if (over == pushed) return false;
  SendMessageW(hwnd, BM_SETSTATE, over ? TRUE : FALSE, 0);
  return true;
}

LRESULT CQuorButtonCtrlBase::OnDrawItem(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  if (!item) return 0;
  if (CorrectPushedState(hwnd)) return 0;
  if (item->itemState & ODS_DISABLED)
    m_nState = eButtonDisabled;
  else if ((item->itemState & ODS_SELECTED) || m_bChecked)
    m_nState = eButtonPressed;
  else
    m_nState = m_bHot ? eButtonHot : eButtonNormal;
  const bool focus = (item->itemState & ODS_FOCUS) != 0;
  if (focus != m_bFocus) DeleteBackBuffer();
  m_bFocus = focus;
  if (m_nState != m_nPrevState) {
    StopAnimation(hwnd);
    DeleteBackBuffer();
  }
  if (SkinIsValid()) {
    RECT client{};
    GetClientRect(hwnd, &client);
    DrawBackBuffer(item->hDC, client, item->rcItem);
    if (m_pSkin->GetStateSkin(m_nState).GetFrameCount() > 0) StartAnimation(hwnd);
  } else {
    DrawPlaceHolder(item->hDC);
  }
  m_nPrevState = m_nState;
  return 1;
}

void CQuorButtonCtrlBase::StartAnimation(HWND hwnd) {
  m_nFrame = 0;
  m_nAnimState = m_nState;
  m_nTimerID = SetTimer(hwnd, QUOR_BUTTON_ANIMATION_TIMER, 1, nullptr);
}

void CQuorButtonCtrlBase::StopAnimation(HWND hwnd) {
  if (m_nTimerID) KillTimer(hwnd, m_nTimerID);
  m_nTimerID = 0;
}

LRESULT CQuorButtonCtrlBase::OnTimer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (wParam != QUOR_BUTTON_ANIMATION_TIMER) return CallPrevious(hwnd, msg, wParam, lParam);
  if (!m_pSkin || m_nAnimState != m_nState) return 0;
  CQuorButtonStateSkin& state = m_pSkin->GetStateSkin(m_nState);
  const DWORD count = state.GetFrameCount();
  HDC dc = GetDC(hwnd);
  if (!dc) return 0;
  RECT client{};
  GetClientRect(hwnd, &client);
  DrawBackBuffer(dc, client, client);
  CQuorGraphics graphics(dc);
  state.DrawFrame(this, &graphics, m_nFrame);
  if (count) m_nFrame = (m_nFrame + 1) % count;
  m_nTimerID = SetTimer(hwnd, QUOR_BUTTON_ANIMATION_TIMER,
                        static_cast<UINT>(state.GetDef().m_nFrameInterval), nullptr);
  ReleaseDC(hwnd, dc);
  return 0;
}
