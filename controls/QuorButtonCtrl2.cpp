// CQuorButtonCtrl2: sizing from the caption and the normal state's pictures.
#include "controls/QuorButtonCtrl2.h"

#include <algorithm>
#include <cstdlib>

int CQuorButtonCtrl2::GetMinHeight() {
  if (!m_hWnd || !m_pSkin) return 0;
  CQuorButtonStateSkin& normal = m_pSkin->GetStateSkin(eButtonNormal);
  for (CQuorBitmap* picture :
       {normal.GetLeft(), normal.GetMiddle(), normal.GetRight(), normal.GetImage()})
    if (picture) return picture->GetHeight();
  return 0;
}

int CQuorButtonCtrl2::GetMinWidth() {
  if (!m_hWnd || !m_pSkin) return 0;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return 0;
  CQuorButtonStateSkin& normal = m_pSkin->GetStateSkin(eButtonNormal);
  WCHAR text[257] = {};
  GetWindowTextW(m_hWnd, text, 257);
  HGDIOBJ oldFont = SelectObject(dc, normal.GetFont());
  RECT r{};
  DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  const CQuorBitmap* left = normal.GetLeft();
  const int piece = left ? left->GetWidth() + left->GetHeight() : 0;
  return std::abs(r.right - r.left) + piece;
}

void CQuorButtonCtrl2::SizeToContent(UINT flags, int maxWidth) {
  if (!m_hWnd) return;
  RECT r{};
  GetWindowRect(m_hWnd, &r);
  MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
  int height = r.bottom - r.top, width = r.right - r.left;
  if (flags & QUOR_SIZE_HEIGHT) height = GetMinHeight();
  if (flags & QUOR_SIZE_WIDTH) {
    width = GetMinWidth();
    if (maxWidth != -1 && maxWidth < width) width = maxWidth;
    if (flags & QUOR_SIZE_KEEP_RIGHT) r.left = r.right - width;
  }
  SetWindowPos(m_hWnd, nullptr, r.left, r.top, width, height, SWP_NOZORDER);
}
