// The tip's size from its text, the text rectangle, and painting with NM_CUSTOMDRAW.
#include "platform/comctl/tooltip/tooltip_state.h"

#include <algorithm>

namespace talix::comctl::tooltip {
namespace {

// Space between the margins and the text, and between the title and the text.
constexpr int kTextPadding = 2;
constexpr int kTitleGap = 2;

// The frame around the client area of the tip window, from its styles.
RECT Border(const TooltipState& s) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, DWORD(s.Style()), FALSE, DWORD(GetWindowLongW(s.self, GWL_EXSTYLE)));
  return r;  // left and top are negative
}

RECT TextRectOf(const TooltipState& s, RECT client) {
  client.left += s.margin.left + kTextPadding;
  client.top += s.margin.top + kTextPadding;
  client.right -= s.margin.right + kTextPadding;
  client.bottom -= s.margin.bottom + kTextPadding;
  return client;
}

SIZE TextExtent(HDC hdc, const std::u16string& text, UINT flags, int width) {
  RECT r{0, 0, width, 0};
  DrawTextW(hdc, text.c_str(), int(text.size()), &r, flags | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

constexpr UINT kTitleFlags = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP;

void DrawDefault(const TooltipState& s, HDC hdc, RECT textRect, UINT flags) {
  EraseBackground(s, hdc);
  SetBkMode(hdc, TRANSPARENT);
  if (!s.title.empty()) {
    RECT titleRect = textRect;
    DrawTextW(hdc, s.title.c_str(), int(s.title.size()), &titleRect, kTitleFlags);
    textRect.top += TextExtent(hdc, s.title, kTitleFlags, 0).cy + kTitleGap;
  }
  DrawTextW(hdc, s.shownText.c_str(), int(s.shownText.size()), &textRect, flags);
}

}  // namespace

std::u16string DisplayText(const std::u16string& text, LONG style) {
  if (style & TTS_NOPREFIX) return text;
  std::u16string out;
  for (size_t i = 0; i < text.size() && text[i] != u'\t'; ++i) {
    if (text[i] == u'&') {
      if (i + 1 < text.size() && text[i + 1] == u'&') out += text[++i];
      continue;
    }
    out += text[i];
  }
  return out;
}

UINT DrawFlags(const TooltipState& s, UINT toolFlags) {
  UINT flags = DT_NOPREFIX | DT_LEFT | DT_TOP;  // prefixes are already taken out
  flags |= s.maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
  if (toolFlags & TTF_RTLREADING) flags |= DT_RTLREADING;
  return flags;
}

void AdjustRect(const TooltipState& s, bool larger, RECT* rect) {
  RECT border = Border(s);
  int sign = larger ? 1 : -1;
  rect->left -= sign * (s.margin.left + kTextPadding - border.left);
  rect->top -= sign * (s.margin.top + kTextPadding - border.top);
  rect->right += sign * (s.margin.right + kTextPadding + border.right);
  rect->bottom += sign * (s.margin.bottom + kTextPadding + border.bottom);
}

SIZE BubbleSize(TooltipState& s, const std::u16string& text, UINT toolFlags) {
  HDC hdc = GetDC(s.self);
  HGDIOBJ oldFont = SelectObject(hdc, s.Font());
  int width = 0;
  if (s.maxWidth >= 0) {
    RECT chrome{0, 0, 0, 0};
    AdjustRect(s, true, &chrome);
    width = std::max<int>(1, s.maxWidth - (chrome.right - chrome.left));
  }
  SIZE body = TextExtent(hdc, text, DrawFlags(s, toolFlags), width);
  if (!s.title.empty()) {
    SIZE title = TextExtent(hdc, s.title, kTitleFlags, 0);
    body.cx = std::max(body.cx, title.cx);
    body.cy += title.cy + kTitleGap;
  }
  SelectObject(hdc, oldFont);
  ReleaseDC(s.self, hdc);
  RECT r{0, 0, body.cx, body.cy};
  AdjustRect(s, true, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void EraseBackground(const TooltipState& s, HDC hdc) {
  RECT client;
  GetClientRect(s.self, &client);
  HBRUSH brush = CreateSolidBrush(s.background);
  FillRect(hdc, &client, brush);
  DeleteObject(brush);
}

// The owner's NM_CUSTOMDRAW answer to CDDS_PREPAINT decides: CDRF_SKIPDEFAULT leaves the
// painting to it; otherwise the tip draws its text (with the font the owner selected for
// CDRF_NEWFONT) and, for CDRF_NOTIFYPOSTPAINT, sends CDDS_POSTPAINT afterwards.
void Paint(TooltipState& s, HDC hdc) {
  HWND self = s.self;
  HFONT ownFont = s.ownFont;
  RECT client;
  GetClientRect(self, &client);
  const Tool* tool = s.CurrentTool();
  ToolKey key = tool ? tool->key : ToolKey{};
  UINT flags = DrawFlags(s, tool ? tool->flags : 0);
  HGDIOBJ oldFont = SelectObject(hdc, s.Font());
  // An owner that destroys the tooltip while it paints: the font the tooltip made could
  // not be deleted while selected here, so it goes now.
  auto gone = [&] {
    if (IsWindow(self)) return false;
    SelectObject(hdc, oldFont);
    if (ownFont) DeleteObject(ownFont);
    return true;
  };
  SetTextColor(hdc, s.textColour);
  SetBkColor(hdc, s.background);
  NMTTCUSTOMDRAW draw{};
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  draw.nmcd.hdc = hdc;
  draw.nmcd.rc = TextRectOf(s, client);
  draw.nmcd.dwItemSpec = key.id;
  draw.uDrawFlags = flags;
  LRESULT answer = tool ? NotifyOwner(s, *tool, NM_CUSTOMDRAW, &draw.nmcd.hdr) : CDRF_DODEFAULT;
  if (gone()) return;
  if (!(answer & CDRF_SKIPDEFAULT)) {
    DrawDefault(s, hdc, TextRectOf(s, client), flags);
    tool = s.tools.Find(key);
    if ((answer & CDRF_NOTIFYPOSTPAINT) && tool) {
      draw.nmcd.dwDrawStage = CDDS_POSTPAINT;
      NotifyOwner(s, *tool, NM_CUSTOMDRAW, &draw.nmcd.hdr);
      if (gone()) return;
    }
  }
  SelectObject(hdc, oldFont);
}

}  // namespace talix::comctl::tooltip
