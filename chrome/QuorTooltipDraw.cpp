// CQuorTooltip's answers to the tooltip's notifications: the text, the size and the look.
#include "chrome/QuorTooltip.h"

#include <win/commctrl.h>

namespace {

// Margin around the text on each side.
constexpr int kMargin = 10;
// The background runs from kTopColour in the first row to kBottomColour in the last.
constexpr COLORREF kTopColour = RGB(0xF8, 0xF8, 0xF8);
constexpr COLORREF kBottomColour = RGB(0xE7, 0xE7, 0xE7);

// Read once: the tooltip keeps the text colour the system had when it was first drawn.
COLORREF TextColour() {
  static const COLORREF colour = GetSysColor(COLOR_BTNTEXT);
  return colour;
}

// The channel at row `y` of `height`, sampled at the row's middle.
BYTE Channel(BYTE top, BYTE bottom, int y, int height) {
  double t = (y + 0.5) / height;
  return BYTE(top + (bottom - top) * t + 0.5);
}

COLORREF GradientAt(int y, int height) {
  return RGB(Channel(GetRValue(kTopColour), GetRValue(kBottomColour), y, height),
             Channel(GetGValue(kTopColour), GetGValue(kBottomColour), y, height),
             Channel(GetBValue(kTopColour), GetBValue(kBottomColour), y, height));
}

// Fills `rect` top to bottom with the gradient, one brush per run of equal rows.
void FillGradient(HDC dc, const RECT& rect) {
  int height = rect.bottom - rect.top;
  int runStart = 0;
  for (int y = 1; y <= height; ++y) {
    COLORREF colour = GradientAt(runStart, height);
    if (y < height && GradientAt(y, height) == colour) continue;
    RECT run{rect.left, rect.top + runStart, rect.right, rect.top + y};
    if (HBRUSH brush = CreateSolidBrush(colour)) {
      FillRect(dc, &run, brush);
      DeleteObject(brush);
    }
    runStart = y;
  }
}

// The text's extent with `font` on `dc`, as DrawTextW with flags 0 lays it out.
RECT MeasureText(HDC dc, HFONT font, const WCHAR* text) {
  RECT extent{0, 0, 0, 0};
  if (!text) return extent;
  HGDIOBJ oldFont = SelectObject(dc, font);
  DrawTextW(dc, text, -1, &extent, DT_CALCRECT);
  SelectObject(dc, oldFont);
  return extent;
}

}  // namespace

LRESULT CQuorTooltip::OnTTNGetDispInfo(WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
  info->lpszText = m_pszText;
  return 0;
}

LRESULT CQuorTooltip::OnTTNShow(WPARAM, LPARAM lParam) {
  HWND tooltip = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  HDC dc = GetWindowDC(tooltip);
  if (!dc) return 1;
  RECT text = MeasureText(dc, m_hFont, m_pszText);
  ReleaseDC(tooltip, dc);
  SetWindowPos(tooltip, nullptr, 0, 0, text.right + 2 * kMargin, text.bottom + 2 * kMargin,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
  return 1;
}

LRESULT CQuorTooltip::OnTTNCustomDraw(WPARAM, LPARAM lParam) {
  auto* draw = reinterpret_cast<NMTTCUSTOMDRAW*>(lParam);
  HDC dc = draw->nmcd.hdc;
  RECT client{0, 0, 0, 0};
  GetClientRect(draw->nmcd.hdr.hwndFrom, &client);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      // The control draws its own look now; clipped away, it never shows.
      ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
      return CDRF_NOTIFYPOSTPAINT;
    case CDDS_POSTPAINT: break;
    default: return 0;
  }
  SelectClipRgn(dc, nullptr);
  FillGradient(dc, client);
  if (!m_pszText) return CDRF_SKIPDEFAULT;
  COLORREF oldColour = SetTextColor(dc, TextColour());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, m_hFont);
  RECT text{0, 0, 0, 0};
  DrawTextW(dc, m_pszText, -1, &text, DT_CALCRECT);
  OffsetRect(&text, (client.right - text.right) / 2, (client.bottom - text.bottom) / 2);
  DrawTextW(dc, m_pszText, -1, &text, 0);
  SelectObject(dc, oldFont);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  return CDRF_SKIPDEFAULT;
}
