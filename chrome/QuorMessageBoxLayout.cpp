// CQuorMessageBox: WM_INITDIALOG - the box is laid out from its text. The text starts 21
// pixels in from the top left (past the icon when there is one), wraps at half the
// screen width less the margins, and the dialog grows to hold it, its caption and the
// button row, which sits 10 pixels above the bottom edge, centred.
#include "chrome/QuorMessageBox.h"

#include "frame/QuorLib.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMargin = 21;     // around the icon and the text
constexpr int kButtonGap = 5;   // between two buttons
constexpr int kButtonFloor = 10;  // from the button row to the client bottom
// The older NONCLIENTMETRICSW, without the padded border.
constexpr UINT kMetricsSize = 500;

bool RightToLeft() { return CQuorLib::GetLayout() == 1; }

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// DrawTextW with DT_CALCRECT in `font` on the window DC of `window`.
void CalcText(HWND window, HFONT font, LPCWSTR text, RECT* rect, UINT format) {
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, text, -1, rect, DT_CALCRECT | format);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
}

// One row of buttons: which to show, left to right, and the dialog's least width.
struct ButtonRow {
  int count;
  int ids[3];
  int defaultId;
};

bool RowFor(UINT type, ButtonRow* row) {
  switch (type & 0x0F) {
    case MB_OK: *row = {1, {IDOK}, IDOK}; return true;
    case MB_OKCANCEL: *row = {2, {IDOK, IDCANCEL}, IDOK}; return true;
    case MB_YESNOCANCEL: *row = {3, {IDYES, IDNO, IDCANCEL}, IDYES}; return true;
    case MB_YESNO: *row = {2, {IDYES, IDNO}, IDYES}; return true;
    default: return false;
  }
}

}  // namespace

BOOL CQuorMessageBox::OnInitDialog() {
  if (RightToLeft())
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const int halfScreen = std::abs(Width(desktop)) / 2;

  m_Background.SetSkin(m_pBackgroundSkin);
  m_Background.SubclassWindow(m_hWnd);
  LoadStrings();
  CreateButtons();

  RECT button{};
  GetClientRect(GetDlgItem(m_hWnd, IDOK), &button);
  const int bw = Width(button), bh = Height(button);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = kMetricsSize;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics, 0);
  const int minimumWidth = MinimumWidthForCaption(metrics);
  m_hMessageFont = CreateFontIndirectW(&metrics.lfMessageFont);
  SetDialogIcon();

  const SIZE text = MeasureText(halfScreen);
  const int iconSpace = m_hIcon ? GetSystemMetrics(SM_CXICON) + 2 * kMargin : kMargin;
  const int width = std::max(int(text.cx) + iconSpace + kMargin, minimumWidth);
  const int height = int(text.cy) + metrics.iCaptionHeight + bh + 3 * kMargin;
  if (width > 0) SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE);

  PlaceButtons(bw, bh);
  CentreOverOwner();
  CreateTextControl();
  SetWindowTextW(m_hWnd, m_pszCaption);
  return TRUE;
}

int CQuorMessageBox::MinimumWidthForCaption(const NONCLIENTMETRICSW& metrics) {
  RECT caption{};
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  CalcText(m_hWnd, font, m_pszCaption, &caption, 0);
  if (font) DeleteObject(font);
  return GetSystemMetrics(SM_CXSIZE) + Width(caption) + 2 * kMargin;
}

SIZE CQuorMessageBox::MeasureText(int halfScreen) {
  const int left = m_hIcon ? GetSystemMetrics(SM_CXICON) + 2 * kMargin : kMargin;
  const int widest = halfScreen - (m_hIcon ? 3 * kMargin : 2 * kMargin);
  m_rcText = RECT{left, kMargin, 0, 0};
  CalcText(m_hWnd, m_hMessageFont, m_pszText, &m_rcText, 0);
  if (Width(m_rcText) > widest) {
    m_rcText.right = m_rcText.left + widest;
    m_rcText.bottom = m_rcText.top;
    CalcText(m_hWnd, m_hMessageFont, m_pszText, &m_rcText, DT_WORDBREAK);
  }
  return SIZE{Width(m_rcText), Height(m_rcText)};
}

void CQuorMessageBox::PlaceButtons(int bw, int bh) {
  ButtonRow row{};
  if (!RowFor(m_uType, &row)) return;  // every button stays where the template put it
  RECT window{};
  GetWindowRect(m_hWnd, &window);
  const int leastWidth = row.count * bw + (row.count + 1) * kMargin;
  if (Width(window) < leastWidth)
    SetWindowPos(m_hWnd, nullptr, 0, 0, leastWidth, Height(window), SWP_NOMOVE);
  RECT client{};
  GetClientRect(m_hWnd, &client);

  const int y = client.bottom - bh - kButtonFloor;
  int x = (client.right - row.count * bw - (row.count - 1) * kButtonGap) / 2;
  for (int i = 0; i < row.count; ++i, x += bw + kButtonGap)
    MoveWindow(GetDlgItem(m_hWnd, row.ids[i]), x, y, bw, bh, TRUE);
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    if (std::find(row.ids, row.ids + row.count, id) != row.ids + row.count) continue;
    if (HWND unused = GetDlgItem(m_hWnd, id)) DestroyWindow(unused);
  }
  SendMessageW(m_hWnd, DM_SETDEFID, WPARAM(row.defaultId), 0);
}

void CQuorMessageBox::CentreOverOwner() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT around = work;
  HWND owner = GetWindow(m_hWnd, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);

  RECT box{};
  GetWindowRect(m_hWnd, &box);
  int x = around.left + (Width(around) - Width(box)) / 2;
  int y = around.top + (Height(around) - Height(box)) / 2;
  // Back inside the work area: the right and bottom edges first, so that a box larger
  // than the work area keeps its top-left corner (and its caption) on the screen.
  x = std::max(std::min(x, int(work.right) - Width(box)), int(work.left));
  y = std::max(std::min(y, int(work.bottom) - Height(box)), int(work.top));
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

void CQuorMessageBox::CreateTextControl() {
  RECT client{};
  GetClientRect(m_hWnd, &client);
  m_rcText.right = client.right;
  if (!m_Text.Create(m_hWnd, m_rcText, 0, WS_CHILD | WS_VISIBLE,
                     RightToLeft() ? WS_EX_RTLREADING : 0))
    return;
  SetWindowTextW(m_Text.m_hWnd, m_pszText);
  SendMessageW(m_Text.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hMessageFont), FALSE);
  m_Text.SetTextColor(m_clrText);
  ShowWindow(m_Text.m_hWnd, SW_SHOW);
}
