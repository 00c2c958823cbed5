#include "controls/QuorTabSkin.h"

#include "draw/QuorBitmap.h"
#include "draw/QuorGraphics.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "skin/QuorWindow.h"

#include <win/commctrl.h>

#include <algorithm>

CQuorTabSkinDef CQuorTabSkin::m_DefaultSkinDef = {};

namespace {

constexpr COLORREF kInitialBackground = RGB(230, 230, 240);
constexpr int kTextChars = 256;  // TCM_GETITEMW buffer; at most 255 characters used

// Pictures IsValid requires: all but 7 (not drawn) and 8 (panel top edge).
constexpr bool kRequired[QUOR_TAB_BITMAPS] = {true, true, true, true,  true, true,
                                              true, false, false, true, true, true,
                                              true, true, true,  true, true, true};

RECT ItemRect(HWND tabs, int index) {
  RECT rect{};  // stays empty for an index the control does not know
  SendMessageW(tabs, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

std::u16string ItemText(HWND tabs, int index) {
  WCHAR text[kTextChars] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = kTextChars;
  SendMessageW(tabs, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  const WCHAR* source = item.pszText ? item.pszText : text;
  size_t length = 0;
  while (length < kTextChars - 1 && source[length]) ++length;
  return std::u16string(source, length);
}

int ItemCount(HWND tabs) {
  return std::max(0, int(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)));
}

}  // namespace

// Figures of one Draw shared by its steps.
struct CQuorTabSkin::Frame {
  int selection = -1;
  int bottom = 0;          // B: the lowest tab bottom, where the panel starts
  bool multiRow = false;
  int mirrorWidth = 0;     // right-to-left: x becomes mirrorWidth - x; 0 in left-to-right
  RECT Place(RECT rect) const {
    if (mirrorWidth) rect = {mirrorWidth - rect.right, rect.top, mirrorWidth - rect.left, rect.bottom};
    return rect;
  }
};

CQuorTabSkin::CQuorTabSkin() : m_crBackground(kInitialBackground) {}

CQuorTabSkin::CQuorTabSkin(const CQuorTabSkin& other)
    : CQuorBaseSkinImpl(other), m_crBackground(other.m_crBackground) {}

CQuorTabSkin& CQuorTabSkin::operator=(const CQuorTabSkin& other) {
  if (this == &other) return *this;
  Unload();
  CQuorBaseSkinImpl::operator=(other);
  m_crBackground = other.m_crBackground;
  return *this;
}

CQuorTabSkin::~CQuorTabSkin() { Unload(); }

// Validity is left to the next IsValid, which judges the pictures loaded now.
void CQuorTabSkin::Load() {
  Unload();
  m_nState = QUOR_SKIN_UNVALIDATED;
  for (int i = 0; i < QUOR_TAB_BITMAPS; ++i)
    if (m_SkinDef.m_nBitmapIDs[i])
      CQuorResourceManager::LoadBitmapW(&m_pBitmaps[i], CQuorLib::m_hInstRes,
                                        m_SkinDef.m_nBitmapIDs[i], u"PNG");
}

void CQuorTabSkin::Unload() {
  for (CQuorBitmap*& bitmap : m_pBitmaps)
    if (bitmap) CQuorResourceManager::UnloadBitmap(&bitmap);
}

void CQuorTabSkin::Validate() {
  m_nState = QUOR_SKIN_VALID;
  for (int i = 0; i < QUOR_TAB_BITMAPS; ++i)
    if (kRequired[i] && !m_pBitmaps[i]) m_nState = QUOR_SKIN_INVALID;
}

COLORREF CQuorTabSkin::GetBackgroundColor() {
  if (m_pBitmaps[10]) m_crBackground = 0;
  return m_crBackground;
}

CQuorBitmap* CQuorTabSkin::GetBitmap(int index) const {
  return index >= 0 && index < QUOR_TAB_BITMAPS ? m_pBitmaps[index] : nullptr;
}

int CQuorTabSkin::W(int index) const {
  return m_pBitmaps[index] ? m_pBitmaps[index]->GetWidth() : 0;
}

int CQuorTabSkin::H(int index) const {
  return m_pBitmaps[index] ? m_pBitmaps[index]->GetHeight() : 0;
}

// The whole picture stretched into the rectangle; nothing for a missing picture or an
// empty rectangle.
void CQuorTabSkin::Piece(CQuorGraphics* g, const Frame& frame, int index, int left, int top,
                         int right, int bottom) {
  CQuorBitmap* bitmap = m_pBitmaps[index];
  if (!bitmap || right <= left || bottom <= top) return;
  g->DrawImage(bitmap, frame.Place(RECT{left, top, right, bottom}),
               RECT{0, 0, bitmap->GetWidth(), bitmap->GetHeight()});
}

void CQuorTabSkin::PieceAt(CQuorGraphics* g, const Frame& frame, int index, int x, int y) {
  Piece(g, frame, index, x, y, x + W(index), y + H(index));
}

void CQuorTabSkin::Draw(CQuorWindow* window, CQuorGraphics* graphics, int, int) {
  if (!window || !window->m_hWnd || !graphics) return;
  const HWND tabs = window->m_hWnd;
  Frame frame;
  RECT client{};
  GetClientRect(tabs, &client);
  if (CQuorLib::GetLayout() == 1) frame.mirrorWidth = client.right;
  std::list<CTabItem> items = ReadTabs(tabs, &frame);
  DrawPanel(graphics, tabs, frame);
  for (const CTabItem& tab : items) {
    if (tab.m_bSelected)
      DrawSelectedTab(graphics, tab, frame);
    else
      DrawUnselectedTab(graphics, tab, frame);
  }
  DrawCaptions(*graphics, tabs, frame);
}

// The tabs from the upper rows to the lower ones, in index order within a row, and the
// figures of the rows. Rectangles the control does not give stay empty, so that no
// selection and no tabs give B = 0 and a single row.
std::list<CTabItem> CQuorTabSkin::ReadTabs(HWND tabs, Frame* frame) const {
  frame->selection = int(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  const int count = ItemCount(tabs);
  const bool hasSelection = frame->selection >= 0 && frame->selection < count;
  const RECT selected = hasSelection ? ItemRect(tabs, frame->selection) : RECT{};
  std::list<CTabItem> items;
  RECT previous{}, current = count > 0 ? ItemRect(tabs, 0) : RECT{};
  int smallestTop = 0;
  for (int i = 0; i < count; ++i) {
    const RECT next = i + 1 < count ? ItemRect(tabs, i + 1) : RECT{};
    CTabItem item;
    item.m_nIndex = i;
    item.m_rcItem = current;
    item.m_strText = ItemText(tabs, i);
    item.m_bSelected = i == frame->selection;
    item.m_bInSelectedRow = hasSelection && current.bottom == selected.bottom;
    item.m_bFirstInRow = i == 0 || previous.bottom != current.bottom;
    item.m_bLastInRow = i == count - 1 || next.bottom != current.bottom;
    auto place = std::find_if(items.begin(), items.end(), [&](const CTabItem& other) {
      return other.m_rcItem.bottom > current.bottom;
    });
    items.insert(place, item);
    if (smallestTop == 0 || current.top < smallestTop) smallestTop = current.top;
    frame->bottom = std::max(frame->bottom, int(current.bottom));
    previous = current;
    current = next;
  }
  const int lastHeight = count > 0 ? previous.bottom - previous.top : 0;
  frame->multiRow = frame->bottom - smallestTop > lastHeight;
  return items;
}

void CQuorTabSkin::DrawPanel(CQuorGraphics* g, HWND tabs, const Frame& frame) {
  RECT client{};
  GetClientRect(tabs, &client);
  const int w = client.right, h = client.bottom, b = frame.bottom;
  Piece(g, frame, 8, 0, b - 1, w - W(3), b - 1 + H(8));
  Piece(g, frame, 1, 0, b - 1, W(1), h - H(2));
  PieceAt(g, frame, 3, w - W(3), frame.multiRow ? b - 3 : b - 1);
  PieceAt(g, frame, 2, 0, h - H(2));
  Piece(g, frame, 6, W(2), h - H(6), w - W(5), h);
  PieceAt(g, frame, 5, w - W(5), h - H(5));
  Piece(g, frame, 4, w - W(4), b - 1 + H(3), w, h - H(5));
  const RECT inside = frame.Place({W(1), b + 1, w - W(4), h - H(6)});
  if (inside.right > inside.left && inside.bottom > inside.top) {
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(*g, &inside, black);
    DeleteObject(black);
  }
  m_crBackground = 0;
}

void CQuorTabSkin::DrawUnselectedTab(CQuorGraphics* g, const CTabItem& tab,
                                     const Frame& frame) {
  const RECT& r = tab.m_rcItem;
  const int x0 = r.left - 2;
  const int y = frame.multiRow ? r.top - 3 : r.top;
  const int extra = tab.m_bInSelectedRow ? 0 : 6;
  int x = x0 + W(17) / 2;
  if (tab.m_bFirstInRow) {
    Piece(g, frame, 12, x0, y, x0 + W(12), y + H(12) + extra);
    x = x0 + W(12);
  }
  int end = 17;
  if (tab.m_bLastInRow)
    end = 14;
  else if (tab.m_nIndex + 1 == frame.selection)
    end = 15;
  const int xr = end == 14 ? r.right - W(14) : r.right - W(end) / 2;
  Piece(g, frame, 13, x, y, xr, y + H(13) + extra);
  Piece(g, frame, end, xr, y, xr + W(end), y + H(end) + extra);
}

void CQuorTabSkin::DrawSelectedTab(CQuorGraphics* g, const CTabItem& tab, const Frame& frame) {
  const RECT& r = tab.m_rcItem;
  const int x0 = r.left - 2;
  const int y = frame.multiRow ? r.top - 3 : r.top;
  int x = x0 + W(15) / 2;
  if (tab.m_bFirstInRow) {
    Piece(g, frame, 9, x0, y, x0 + W(9) + 2, y + H(9));
    x = x0 + W(9);
  }
  const int xr = tab.m_bLastInRow ? r.right - W(11) : r.right - W(16) / 2;
  Piece(g, frame, 10, x, y, xr, y + H(10));
  if (!tab.m_bLastInRow)
    PieceAt(g, frame, 16, xr, y);
  else if (frame.multiRow)
    PieceAt(g, frame, 3, r.right - W(3) + 2, y);
  else
    PieceAt(g, frame, 11, xr, y);
}

void CQuorTabSkin::DrawCaptions(HDC dc, HWND tabs, const Frame& frame) {
  const bool focused = GetFocus() == tabs;
  for (int i = 0; i < ItemCount(tabs); ++i) {
    RECT rect = ItemRect(tabs, i);
    if (i == 0) rect.left = 0;
    rect = frame.Place(rect);
    const bool selected = i == frame.selection;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, selected ? m_SkinDef.m_crSelectedText : m_SkinDef.m_crText);
    HFONT font = selected ? m_SkinDef.m_hSelectedFont : m_SkinDef.m_hFont;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    std::u16string text = ItemText(tabs, i);
    DrawTextW(dc, text.c_str(), int(text.size()), &rect,
              DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (previous) SelectObject(dc, previous);
    if (selected && focused) {
      InflateRect(&rect, -3, -3);
      DrawFocusRect(dc, &rect);
    }
  }
}
