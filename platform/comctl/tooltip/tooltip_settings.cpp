// The tooltip's settings: delays, colours, margins, maximum width, title and font.
#include "platform/comctl/tooltip/tooltip_messages.h"

#include <algorithm>
#include <cstring>

namespace talix::comctl::tooltip {
namespace {

// Titles are documented to hold at most 100 characters with the terminator.
constexpr size_t kMaxTitleChars = 99;

// TTM_SETDELAYTIME: a negative lParam gives back the default, else its low word counts.
void SetDelay(TooltipState& s, WPARAM which, LPARAM lParam) {
  int value = static_cast<int>(lParam) < 0 ? -1 : int(LOWORD(lParam));
  if (which == TTDT_AUTOMATIC) {
    bool reset = value < 0;
    s.delays[TTDT_INITIAL] = value;
    s.delays[TTDT_AUTOPOP] = reset ? -1 : value * 10;
    s.delays[TTDT_RESHOW] = reset ? -1 : value / 5;
  } else if (which <= TTDT_INITIAL) {
    s.delays[which] = value;
  }
}

LRESULT SetTitle(TooltipState& s, WPARAM icon, LPARAM lParam) {
  auto* title = reinterpret_cast<LPCWSTR>(lParam);
  if (!title) return FALSE;
  std::u16string text(title);
  if (text.size() > kMaxTitleChars) text.resize(kMaxTitleChars);
  s.title = std::move(text);
  s.titleIcon = UINT(icon);
  RefreshShown(s);
  return TRUE;
}

LRESULT GetTitle(const TooltipState& s, LPARAM lParam) {
  auto* out = reinterpret_cast<TTGETTITLE*>(lParam);
  if (!out) return 0;
  out->uTitleBitmap = s.titleIcon;
  if (out->pszTitle && out->cch > 0) {
    size_t count = std::min<size_t>(s.title.size(), out->cch - 1);
    std::memcpy(out->pszTitle, s.title.data(), count * sizeof(WCHAR));
    out->pszTitle[count] = 0;
  }
  return 0;
}

void Redraw(const TooltipState& s) { InvalidateRect(s.self, nullptr, TRUE); }

}  // namespace

bool SettingMessage(TooltipState& s, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case TTM_SETDELAYTIME: SetDelay(s, wParam, lParam); return true;
    case TTM_GETDELAYTIME: *result = LRESULT(s.Delay(UINT(wParam))); return true;
    case TTM_SETTIPBKCOLOR: s.background = COLORREF(wParam); Redraw(s); return true;
    case TTM_SETTIPTEXTCOLOR: s.textColour = COLORREF(wParam); Redraw(s); return true;
    case TTM_GETTIPBKCOLOR: *result = LRESULT(s.background); return true;
    case TTM_GETTIPTEXTCOLOR: *result = LRESULT(s.textColour); return true;
    case TTM_SETMAXTIPWIDTH:
      *result = s.maxWidth;
      s.maxWidth = static_cast<int>(lParam) < 0 ? -1 : static_cast<int>(lParam);
      return true;
    case TTM_GETMAXTIPWIDTH: *result = s.maxWidth; return true;
    case TTM_SETMARGIN:
      if (lParam) s.margin = *reinterpret_cast<const RECT*>(lParam);
      return true;
    case TTM_GETMARGIN:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = s.margin;
      return true;
    case TTM_SETTITLEW: *result = SetTitle(s, wParam, lParam); return true;
    case TTM_GETTITLE: *result = GetTitle(s, lParam); return true;
    case TTM_ADJUSTRECT:
      if (lParam) AdjustRect(s, wParam != 0, reinterpret_cast<RECT*>(lParam));
      *result = lParam != 0;
      return true;
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Redraw(s);
      return true;
    case WM_GETFONT: *result = reinterpret_cast<LRESULT>(s.Font()); return true;
  }
  return false;
}

}  // namespace talix::comctl::tooltip
