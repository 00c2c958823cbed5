// The "tooltips_class32" window procedure: creation and destruction, painting, timers,
// and the messages that show and hide the tip.
#include "platform/comctl/tooltip/tooltip.h"

#include "platform/comctl/tooltip/tool_subclass.h"
#include "platform/comctl/tooltip/tooltip_messages.h"

namespace talix::comctl::tooltip {
namespace {

HFONT CreateStatusFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return nullptr;
  return CreateFontIndirectW(&metrics.lfStatusFont);
}

// Whatever style it is created with, the tip is a bordered topmost tool popup; the low
// word keeps the TTS_* styles.
void MakePopup(HWND hwnd) {
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  SetWindowLongW(hwnd, GWL_STYLE, LONG((style & (0xFFFF | WS_DISABLED)) | WS_POPUP | WS_BORDER));
  SetWindowLongW(hwnd, GWL_EXSTYLE,
                 GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
}

bool Create(HWND hwnd) {
  auto* s = new TooltipState(hwnd);
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
  MakePopup(hwnd);
  s->background = GetSysColor(COLOR_INFOBK);
  s->textColour = GetSysColor(COLOR_INFOTEXT);
  s->ownFont = CreateStatusFont();
  return true;
}

// The tooltip goes: it stops watching its tools' windows, without notifications.
void Destroy(TooltipState& s) {
  KillTimer(s.self, kInitialTimer);
  KillTimer(s.self, kAutopopTimer);
  KillTimer(s.self, kLeaveCheckTimer);
  s.shown = false;
  s.current.reset();
  for (const Tool& tool : s.tools.All())
    if (tool.flags & TTF_SUBCLASS) UnwatchToolWindow(tool.Window(), s.self);
}

void Free(HWND hwnd, TooltipState* s) {
  if (s->ownFont) DeleteObject(s->ownFont);
  delete s;
  SetWindowLongPtrW(hwnd, 0, 0);
}

void PaintWindow(TooltipState& s) {
  HWND self = s.self;  // the owner's custom-draw handler may destroy the tooltip
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(self, &ps);
  if (hdc) Paint(s, hdc);
  EndPaint(self, &ps);
}

bool ShowMessage(TooltipState& s, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case TTM_RELAYEVENT:
      if (lParam) Relay(s, *reinterpret_cast<const MSG*>(lParam));
      return true;
    case TTM_ACTIVATE:
      if (!wParam && !LeaveTool(s)) return true;
      s.active = wParam != 0;
      return true;
    case TTM_POPUP: Popup(s); return true;
    case TTM_POP:
      KillTimer(s.self, kInitialTimer);
      if (Pop(s) && s.current) s.suppressed = true;
      return true;
    case TTM_UPDATE: RefreshShown(s); return true;
    case TTM_TRACKACTIVATE:
      TrackActivate(s, wParam != 0, reinterpret_cast<const TTTOOLINFOW*>(lParam));
      return true;
    case TTM_TRACKPOSITION: TrackPosition(s, lParam); return true;
    case TTM_WINDOWFROMPOINT:
      *result = lParam ? reinterpret_cast<LRESULT>(
                             WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)))
                       : 0;
      return true;
  }
  return false;
}

// Messages to the tip window itself: it never takes activation, a click on it hides it,
// and over a TTF_TRANSPARENT tool's tip the mouse reaches the window below.
bool WindowMessage(TooltipState& s, UINT msg, WPARAM wParam, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_TIMER: OnTimer(s, wParam); return true;
    case WM_PAINT: PaintWindow(s); return true;
    case WM_PRINTCLIENT: Paint(s, reinterpret_cast<HDC>(wParam)); return true;
    case WM_ERASEBKGND:
      EraseBackground(s, reinterpret_cast<HDC>(wParam));
      *result = TRUE;
      return true;
    case WM_MOUSEACTIVATE: *result = MA_NOACTIVATE; return true;
    case WM_NCHITTEST: {
      const Tool* tool = s.CurrentTool();
      if (!tool || !(tool->flags & TTF_TRANSPARENT)) return false;
      *result = HTTRANSPARENT;
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (Pop(s) && s.current) s.suppressed = true;
      return true;
  }
  return false;
}

}  // namespace

TooltipState* StateOf(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  WCHAR name[32];
  if (!GetClassNameW(hwnd, name, 32) || std::u16string_view(name) != TOOLTIPS_CLASSW) return nullptr;
  return reinterpret_cast<TooltipState*>(GetWindowLongPtrW(hwnd, 0));
}

LRESULT CALLBACK TooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    Create(hwnd);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  auto* s = reinterpret_cast<TooltipState*>(GetWindowLongPtrW(hwnd, 0));
  if (!s) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  if (ToolMessage(*s, msg, wParam, lParam, &result) ||
      SettingMessage(*s, msg, wParam, lParam, &result) ||
      ShowMessage(*s, msg, wParam, lParam, &result) ||
      WindowMessage(*s, msg, wParam, &result))
    return result;
  if (msg == WM_DESTROY) Destroy(*s);
  if (msg == WM_NCDESTROY) Free(hwnd, s);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace talix::comctl::tooltip
