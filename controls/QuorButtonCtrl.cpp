// CQuorButtonCtrl: focus-reactive switch and sizing from the normal state's pictures.
#include "controls/QuorButtonCtrl.h"

CQuorButtonCtrl::CQuorButtonCtrl() : m_bFocusReactive(true) {}

void CQuorButtonCtrl::SetFocusReactive(bool reactive) {
  m_bFocusReactive = reactive;
  DeleteBackBuffer();
  if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CQuorButtonCtrl::SizeToContent() {
  if (!m_hWnd || !m_pSkin) return;
  CQuorButtonStateSkin& normal = m_pSkin->GetStateSkin(eButtonNormal);
  SIZE size{};
  if (CQuorBitmap* piece = normal.GetLeft() ? normal.GetLeft()
                           : normal.GetMiddle() ? normal.GetMiddle()
                                                : normal.GetRight()) {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    size = SIZE{client.right - client.left, piece->GetHeight()};
  } else if (CQuorBitmap* image = normal.GetImage()) {
    size = SIZE{image->GetWidth(), image->GetHeight()};
  } else {
    return;
  }
  SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE);
}
