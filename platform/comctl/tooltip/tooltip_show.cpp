// When a tip shows and hides: relayed mouse input, the delays, TTM_POPUP / TTM_POP and
// tracking tips.
#include "platform/comctl/tooltip/tooltip.h"
#include "platform/comctl/tooltip/tooltip_state.h"

#include <algorithm>

namespace talix::comctl::tooltip {
namespace {

POINT CursorPos() {
  POINT pt{};
  GetCursorPos(&pt);
  return pt;
}

// The window under screen point `pt` as the tooltip sees it (TTM_WINDOWFROMPOINT, which
// a subclass of the tooltip may answer differently).
HWND WindowUnder(const TooltipState& s, POINT pt) {
  return reinterpret_cast<HWND>(
      SendMessageW(s.self, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
}

std::optional<ToolKey> ToolAtScreen(const TooltipState& s, HWND window, POINT pt) {
  if (!window || window == s.self) return std::nullopt;
  ScreenToClient(window, &pt);
  return s.tools.HitTest(window, pt);
}

bool OwnerActive(const TooltipState& s, const Tool& tool) {
  if (s.Style() & TTS_ALWAYSTIP) return true;
  HWND active = GetActiveWindow();
  return active && GetAncestor(active, GA_ROOTOWNER) == GetAncestor(tool.Window(), GA_ROOTOWNER);
}

SIZE WindowSize(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void StartWaiting(TooltipState& s, const ToolKey& key, POINT pt, UINT delay) {
  s.current = key;
  s.suppressed = false;
  s.lastPoint = pt;
  SetTimer(s.self, kInitialTimer, delay, nullptr);
  SetTimer(s.self, kLeaveCheckTimer, kLeaveCheckMs, nullptr);
}

void OnMove(TooltipState& s, const MSG& msg) {
  POINT screen{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  if (msg.message == WM_MOUSEMOVE) ClientToScreen(msg.hwnd, &screen);
  POINT client = screen;
  ScreenToClient(msg.hwnd, &client);
  std::optional<ToolKey> key = s.tools.HitTest(msg.hwnd, client);
  if (!key) {
    (void)LeaveTool(s);
    return;
  }
  if (s.current == key) {
    // The initial delay counts from the last time the pointer moved.
    bool moved = screen.x != s.lastPoint.x || screen.y != s.lastPoint.y;
    if (moved && !s.shown && !s.suppressed)
      SetTimer(s.self, kInitialTimer, s.Delay(TTDT_INITIAL), nullptr);
    s.lastPoint = screen;
    return;
  }
  bool wasShown = s.shown;
  if (!Pop(s)) return;
  StartWaiting(s, *key, screen, s.Delay(wasShown ? TTDT_RESHOW : TTDT_INITIAL));
}

void OnPress(TooltipState& s) {
  if (!s.current) return;
  KillTimer(s.self, kInitialTimer);
  if (Pop(s)) s.suppressed = true;
}

bool IsPress(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP:
    case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL:
      return true;
  }
  return false;
}

// The pointer may have left for a window that relays nothing: check where it is.
void CheckLeave(TooltipState& s) {
  const Tool* tool = s.CurrentTool();
  if (s.tracking || !tool) {
    KillTimer(s.self, kLeaveCheckTimer);
    if (!s.tracking && s.current) (void)LeaveTool(s);
    return;
  }
  POINT pt = CursorPos();
  HWND under = WindowUnder(s, pt);
  if (under == s.self) return;  // on the tip itself
  if (!IsWindow(tool->Window()) || ToolAtScreen(s, under, pt) != s.current) (void)LeaveTool(s);
}

}  // namespace

UINT TooltipState::Delay(UINT which) const {
  if (which > TTDT_INITIAL) return 0;
  if (which == TTDT_AUTOMATIC) which = TTDT_INITIAL;
  if (delays[which] >= 0) return UINT(delays[which]);
  UINT doubleClick = GetDoubleClickTime();
  if (which == TTDT_AUTOPOP) return doubleClick * 10;
  if (which == TTDT_RESHOW) return doubleClick / 5;
  return doubleClick;
}

void Relay(TooltipState& s, const MSG& msg) {
  if (!s.active || s.tracking || !IsWindow(msg.hwnd)) return;
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    OnMove(s, msg);
  } else if (msg.message == WM_MOUSELEAVE || msg.message == WM_NCMOUSELEAVE) {
    const Tool* tool = s.CurrentTool();
    if (tool && tool->Window() == msg.hwnd) (void)LeaveTool(s);
  } else if (IsPress(msg.message)) {
    OnPress(s);
  }
}

void OnTimer(TooltipState& s, UINT_PTR id) {
  switch (id) {
    case kInitialTimer:
      KillTimer(s.self, kInitialTimer);
      if (s.current && !s.shown && !s.suppressed) ShowCurrent(s);
      return;
    case kAutopopTimer:
      KillTimer(s.self, kAutopopTimer);
      if (Pop(s) && s.current) s.suppressed = true;
      return;
    case kLeaveCheckTimer: CheckLeave(s); return;
  }
}

void ShowCurrent(TooltipState& s) {
  HWND self = s.self;
  Tool* tool = s.CurrentTool();
  if (!tool || (!s.tracking && !OwnerActive(s, *tool))) return;
  ToolKey key = tool->key;
  std::u16string text = ResolveText(s, key);
  if (!IsWindow(self) || !(tool = s.tools.Find(key)) || text.empty()) return;
  s.shownText = DisplayText(text, s.Style());
  SIZE size = BubbleSize(s, s.shownText, tool->flags);
  POINT pos = TipPlacement(s, *tool, size);
  SetWindowPos(self, HWND_TOPMOST, pos.x, pos.y, size.cx, size.cy, SWP_NOACTIVATE);
  NMHDR header{};
  // A non-zero answer: the owner has placed (and perhaps sized) the tip itself.
  bool placed = NotifyOwner(s, *tool, TTN_SHOW, &header) != 0;
  if (!IsWindow(self) || !(tool = s.tools.Find(key))) return;
  if (!placed) {
    pos = TipPlacement(s, *tool, WindowSize(self));
    SetWindowPos(self, HWND_TOPMOST, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  }
  s.shown = true;
  InvalidateRect(self, nullptr, TRUE);
  ShowWindow(self, SW_SHOWNOACTIVATE);
  if (!s.tracking) SetTimer(self, kAutopopTimer, s.Delay(TTDT_AUTOPOP), nullptr);
}

bool Pop(TooltipState& s) {
  if (!s.shown) return true;
  HWND self = s.self;
  s.shown = false;
  KillTimer(self, kAutopopTimer);
  NMHDR header{};
  if (const Tool* tool = s.CurrentTool()) NotifyOwner(s, *tool, TTN_POP, &header);
  if (!IsWindow(self)) return false;
  ShowWindow(self, SW_HIDE);
  return true;
}

bool LeaveTool(TooltipState& s) {
  KillTimer(s.self, kInitialTimer);
  KillTimer(s.self, kLeaveCheckTimer);
  if (!Pop(s)) return false;
  s.current.reset();
  s.suppressed = false;
  s.tracking = false;
  return true;
}

void Popup(TooltipState& s) {
  if (!s.active || s.tracking) return;
  POINT pt = CursorPos();
  std::optional<ToolKey> key = ToolAtScreen(s, WindowUnder(s, pt), pt);
  if (!key) key = s.current;
  if (!key || (s.shown && s.current == key) || !Pop(s)) return;
  StartWaiting(s, *key, pt, 0);
  KillTimer(s.self, kInitialTimer);
  ShowCurrent(s);
}

void TrackActivate(TooltipState& s, bool on, const TTTOOLINFOW* info) {
  if (!on) {
    if (s.tracking) (void)LeaveTool(s);
    return;
  }
  if (!ToolInfoSize(info) || !s.tools.Find(ToolKey{info->hwnd, info->uId})) return;
  if (!LeaveTool(s)) return;
  s.current = ToolKey{info->hwnd, info->uId};
  s.tracking = true;
  ShowCurrent(s);
}

void TrackPosition(TooltipState& s, LPARAM lParam) {
  s.trackPoint = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const Tool* tool = s.CurrentTool();
  if (!s.tracking || !s.shown || !tool) return;
  POINT pos = TipPlacement(s, *tool, WindowSize(s.self));
  SetWindowPos(s.self, HWND_TOPMOST, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void ForgetToolWindow(HWND tooltip, HWND window) {
  TooltipState* s = StateOf(tooltip);
  const Tool* tool = s ? s->CurrentTool() : nullptr;
  if (tool && (tool->Window() == window || tool->key.hwnd == window)) (void)LeaveTool(*s);
}

void RefreshShown(TooltipState& s) {
  HWND self = s.self;
  const Tool* tool = s.CurrentTool();
  if (!s.shown || !tool) return;
  ToolKey key = tool->key;
  std::u16string text = ResolveText(s, key);
  if (!IsWindow(self) || !(tool = s.tools.Find(key))) return;
  s.shownText = DisplayText(text, s.Style());
  SIZE size = BubbleSize(s, s.shownText, tool->flags);
  SetWindowPos(self, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(self, nullptr, TRUE);
}

}  // namespace talix::comctl::tooltip
