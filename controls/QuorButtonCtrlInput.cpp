// The skinned push button: mouse, keyboard, focus, check box and radio behaviour.
#include "controls/QuorButtonCtrlBase.h"

bool CQuorButtonCtrlBase::CursorIsOver(HWND hwnd, LPARAM clientPoint) const {
  POINT point{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
  ClientToScreen(hwnd, &point);
  return WindowFromPoint(point) == hwnd;
}

LRESULT CQuorButtonCtrlBase::OnMouseMove(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  RelayEvent(hwnd, msg, wParam, lParam);
  if (m_bTracking && GetCapture() == hwnd) {
    const bool over = CursorIsOver(hwnd, lParam);
    const bool pushed = (SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (over != pushed) {
      SendMessageW(hwnd, BM_SETSTATE, over ? TRUE : FALSE, 0);
      InvalidateRect(hwnd, nullptr, TRUE);
    }
  } else if (!m_bHot) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
    if (TrackMouseEvent(&track)) {
      m_bHot = true;
      InvalidateRect(hwnd, nullptr, TRUE);
    }
  }
  CallPrevious(hwnd, msg, wParam, lParam);
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnMouseLeave(HWND hwnd, UINT, WPARAM, LPARAM) {
  m_bHot = false;
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnLButtonDown(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  RelayEvent(hwnd, msg, wParam, lParam);
  if (m_bHot) {
    TRACKMOUSEEVENT cancel{sizeof(cancel), TME_CANCEL | TME_LEAVE, hwnd, 0};
    if (TrackMouseEvent(&cancel)) m_bHot = false;
  }
  CallPrevious(hwnd, msg, wParam, lParam);
  m_bTracking = true;
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnLButtonUp(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_nKind != BUTTONKIND_PUSH && CursorIsOver(hwnd, lParam)) {
    const bool check = m_nKind == BUTTONKIND_RADIO || !m_bChecked;
    SendMessageW(hwnd, BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  RelayEvent(hwnd, msg, wParam, lParam);
  m_bTracking = false;
  CallPrevious(hwnd, msg, wParam, lParam);
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnLButtonDblClick(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, wParam, lParam);
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnKeyDown(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_nKind != BUTTONKIND_PUSH && wParam == VK_SPACE) {
    const bool check = m_nKind == BUTTONKIND_RADIO || !m_bChecked;
    SendMessageW(hwnd, BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (wParam == VK_RETURN) {
    SendMessageW(hwnd, BM_CLICK, 0, 0);
  }
  CallPrevious(hwnd, msg, wParam, lParam);
  return 0;
}

// Bit of the UWM_QUERYFOCUSSTATE answer that means "focused".
static constexpr LRESULT kFocusedAnswer = 0x10000;

LRESULT CQuorButtonCtrlBase::OnSetFocus(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (SendMessageW(hwnd, UWM_QUERYFOCUSSTATE, 0, 0) & kFocusedAnswer) m_bFocus = true;
  CallPrevious(hwnd, msg, wParam, lParam);
  SendMessageW(GetParent(hwnd), UWM_BUTTONFOCUS,
               static_cast<WPARAM>(GetWindowLongW(hwnd, GWL_ID)), 0);
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnKillFocus(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (GetCapture() == hwnd) {
    ReleaseCapture();
    m_bTracking = false;
  }
  if (SendMessageW(hwnd, UWM_QUERYFOCUSSTATE, 0, 0) & kFocusedAnswer) m_bFocus = false;
  CallPrevious(hwnd, msg, wParam, lParam);
  return 0;
}

LRESULT CQuorButtonCtrlBase::OnGetCheck(HWND, UINT, WPARAM, LPARAM) {
  return m_bChecked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT CQuorButtonCtrlBase::OnSetCheck(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  m_bChecked = wParam != 0 && m_nKind != BUTTONKIND_PUSH;
  if (m_bChecked && m_nKind == BUTTONKIND_RADIO) UncheckGroup(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

// GetNextDlgGroupItem skips hidden and disabled controls, so a walk that starts on such a
// radio button never comes back to it: the walk also stops when it meets its first
// member again, and after as many steps as the parent has children.
void CQuorButtonCtrlBase::UncheckGroup(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  int limit = 0;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ++limit;
  HWND first = nullptr;
  for (HWND member = GetNextDlgGroupItem(parent, hwnd, FALSE);
       member && member != hwnd && member != first && limit-- > 0;
       member = GetNextDlgGroupItem(parent, member, FALSE)) {
    if (!first) first = member;
    PostMessageW(member, UWM_RADIOINFO, 0, 0);
  }
}

LRESULT CQuorButtonCtrlBase::OnRadioInfo(HWND hwnd, UINT, WPARAM, LPARAM) {
  if (m_bChecked) {
    m_bChecked = false;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return 0;
}
