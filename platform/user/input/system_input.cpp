// Giving injected input to windows, and the input side of retrieving messages.
//
// A mouse event goes to the capture window (as a client message) or to the window the hit
// test finds, as a client or non-client message by the hit-test code; button presses
// that repeat within the double-click time and rectangle become double clicks (for client
// messages only in classes with CS_DBLCLKS). The wheel goes to the focus window, keys to
// the focus window of the foreground window's thread, or as WM_SYSKEYDOWN/UP to its
// active window when nothing has the focus.
#include "platform/user/input/system_input.h"

#include "platform/kernel/sync/clock.h"
#include "platform/user/hook/hooks.h"
#include "platform/user/input/activation.h"
#include "platform/user/input/hit_test.h"
#include "platform/user/input/keyboard.h"
#include "platform/user/input/mouse_tracking.h"
#include "platform/user/message/incoming_send.h"

#include <talix/host_screen.h>
#include <win/sysmetrics.h>

#include <algorithm>

#include <cstdlib>

namespace talix::user {
namespace {

constexpr UINT kClientDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr UINT kNonClientDown[3] = {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
constexpr UINT kButtonKey[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

bool IsButtonDown(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN ||
         m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK ||
         m == WM_NCLBUTTONDOWN || m == WM_NCRBUTTONDOWN || m == WM_NCMBUTTONDOWN ||
         m == WM_NCLBUTTONDBLCLK || m == WM_NCRBUTTONDBLCLK || m == WM_NCMBUTTONDBLCLK;
}

bool IsMouseMessage(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

POINT ClampToScreen(POINT pt) {
  const host::ScreenParams& screen = host::GetScreenParams();
  return POINT{std::clamp<LONG>(pt.x, 0, std::max(screen.width - 1, 0)),
               std::clamp<LONG>(pt.y, 0, std::max(screen.height - 1, 0))};
}

void SignalAllLocked(std::vector<std::shared_ptr<MessageQueue>>* queues) {
  for (Window* top : DesktopLocked().children) {
    if (!top->queue) continue;
    bool seen = false;
    for (auto& q : *queues) seen = seen || q == top->queue;
    if (!seen) queues->push_back(top->queue);
  }
}

// The double-click decision for a press; remembers the press.
bool IsDoubleClickLocked(InputState& input, const Window& target, int button, bool nonClient,
                         const RawInput& event) {
  ClickMemory& last = input.lastClick;
  bool allowed = nonClient || (target.cls->style & CS_DBLCLKS);
  bool close = std::abs(event.pt.x - last.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(event.pt.y - last.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  bool doubled = allowed && last.hwnd == target.hwnd && last.button == button &&
                 last.nonClient == nonClient && event.time - last.time <= input.doubleClickTime &&
                 close;
  last = doubled ? ClickMemory{} : ClickMemory{target.hwnd, button, nonClient, event.time, event.pt};
  return doubled;
}

UINT MouseMessageLocked(InputState& input, const Window& target, int hit, const RawInput& event) {
  bool nonClient = hit != HTCLIENT;
  switch (event.kind) {
    case RawInput::MouseMove: return nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE;
    case RawInput::ButtonUp:
      return (nonClient ? kNonClientDown : kClientDown)[event.button] + 1;
    default: {
      UINT down = (nonClient ? kNonClientDown : kClientDown)[event.button];
      return IsDoubleClickLocked(input, target, event.button, nonClient, event) ? down + 2 : down;
    }
  }
}

// Queues a message for the window's thread and wakes it.
void GiveOut(HWND hwnd, RoutedInput routed) {
  std::shared_ptr<MessageQueue> queue;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window || !window->queue) return;
    routed.msg.hwnd = hwnd;
    ThreadInputLocked(window->threadId).routed.push_back(routed);
    ++InputLocked().routedPending;
    queue = window->queue;
  }
  queue->Signal(QueueKindOfMessage(routed.msg.message));
}

void RouteMouse(const RawInput& event) {
  HWND target = nullptr;
  int hit = HTCLIENT;
  bool captured = false;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (Window* capture = WindowLocked(InputLocked().capture)) {
      target = capture->hwnd;
      captured = true;
    }
  }
  if (!captured) target = HitTestScreenPoint(event.pt, &hit);
  TrackAfterMouseEvent(event, target, hit, captured);
  if (!target) return;
  RoutedInput routed;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(target);
    if (!window || (!captured && !IsEnabledLocked(*window))) return;  // disabled: no mouse input
    UINT m = MouseMessageLocked(InputLocked(), *window, hit, event);
    bool client = hit == HTCLIENT;
    POINT at = client ? ScreenToClientLocked(*window, event.pt) : event.pt;
    routed.msg = MSG{target, m, client ? event.mouseKeys : static_cast<WPARAM>(hit),
                     MAKELPARAM(at.x, at.y), event.time, event.pt};
    routed.hitTest = hit;
    routed.captured = captured;
  }
  GiveOut(target, routed);
}

// The focus window of the foreground thread, else its active window.
HWND KeyboardTargetLocked(bool* toActive) {
  Window* foreground = WindowLocked(InputLocked().foreground);
  if (!foreground) return nullptr;
  ThreadInput& thread = ThreadInputLocked(foreground->threadId);
  *toActive = !WindowLocked(thread.focus);
  HWND target = *toActive ? thread.active : thread.focus;
  return WindowLocked(target) ? target : nullptr;
}

void RouteWheel(const RawInput& event) {
  RoutedInput routed;
  HWND target;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    bool toActive;
    target = KeyboardTargetLocked(&toActive);
    if (!target) return;
    routed.msg = MSG{target, WM_MOUSEWHEEL,
                     MAKEWPARAM(event.mouseKeys, static_cast<WORD>(event.wheelDelta)),
                     MAKELPARAM(event.pt.x, event.pt.y), event.time, event.pt};
    routed.captured = true;  // no activation, no WM_SETCURSOR
  }
  GiveOut(target, routed);
}

void RouteKey(const RawInput& event) {
  RoutedInput routed;
  HWND target;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    bool toActive = false;
    target = KeyboardTargetLocked(&toActive);
    if (!target) return;
    bool down = event.kind == RawInput::KeyDown;
    bool sys = (event.altDown && !event.ctrlDown) || event.key == VK_F10 || toActive;
    UINT m = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    bool extended = false;
    UINT scan = event.key == VK_PACKET ? 0 : ScanCodeOf(event.key, &extended);
    DWORD flags = 1 | (scan << 16) | (extended ? 1u << 24 : 0) |
                  (sys && event.altDown ? 1u << 29 : 0) |
                  (event.repeat || !down ? 1u << 30 : 0) | (down ? 0 : 1u << 31);
    routed.msg = MSG{target, m, event.key, static_cast<LPARAM>(flags), event.time, event.pt};
    routed.character = event.character;
  }
  GiveOut(target, routed);
}

// Gives out the front event when nothing given out is waiting; true when one was taken.
bool RouteOne() {
  RawInput event;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    InputState& input = InputLocked();
    if (input.routing || input.routedPending || input.raw.empty()) return false;
    event = input.raw.front();
    input.raw.pop_front();
    input.routing = true;
  }
  switch (event.kind) {
    case RawInput::Wheel: RouteWheel(event); break;
    case RawInput::KeyDown:
    case RawInput::KeyUp: RouteKey(event); break;
    default: RouteMouse(event); break;
  }
  std::lock_guard<std::mutex> lock(UserLock());
  InputLocked().routing = false;
  return true;
}

bool InputSource(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* msg) {
  ThreadInput* thread = FindThreadInputLocked(queue.threadId);
  if (!thread) return false;
  for (auto it = thread->routed.begin(); it != thread->routed.end(); ++it) {
    if (!filter.Accepts(it->msg.message) || !filter.AcceptsWindowLocked(it->msg.hwnd)) continue;
    *msg = it->msg;
    if (remove) {
      thread->retrieved = *it;
      thread->hasRetrieved = true;
      thread->routed.erase(it);
      --InputLocked().routedPending;
    }
    return true;
  }
  return false;
}

[[maybe_unused]] const bool g_sourceAdded = [] {
  AddQueueSource(100, InputSource);
  return true;
}();

// Mouse activation of a press on a window that is not the active window; false when the
// press is eaten.
bool MouseActivate(const RoutedInput& input) {
  HWND hwnd = input.msg.hwnd, top;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return false;
    Window* root = TopLevelLocked(*window);
    top = root->hwnd;
    // Any window but the active one is asked, children of the active window included.
    if (ThreadInputLocked(root->threadId).active == hwnd && InputLocked().foreground == top)
      return true;
  }
  LRESULT answer = SendMessageW(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                MAKELPARAM(input.hitTest, input.msg.message));
  if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
    bool can;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      Window* root = WindowLocked(top);
      can = root && (root->style & WS_VISIBLE) && !(root->style & WS_DISABLED) &&
            !(root->exStyle & WS_EX_NOACTIVATE);
    }
    if (can) ActivateWindow(top, WA_CLICKACTIVE, true);
  }
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT && IsWindow(hwnd);
}

// The work of retrieving an input message; false when it is eaten.
bool FinishRetrieved(MSG* msg) {
  RoutedInput input;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    ThreadInput* thread = FindThreadInputLocked(GetCurrentThreadId());
    if (!thread || !thread->hasRetrieved) return true;
    input = thread->retrieved;
    thread->hasRetrieved = false;
    SyncKeyStateLocked(*thread, input);
  }
  UINT m = msg->message;
  if (m >= WM_KEYFIRST && m <= WM_KEYLAST)
    return CallHookChain(WH_KEYBOARD, HC_ACTION, msg->wParam, msg->lParam) == 0;
  if (!IsMouseMessage(m)) return true;
  MOUSEHOOKSTRUCT hook{msg->pt, msg->hwnd, static_cast<UINT>(input.hitTest), 0};
  if (CallHookChain(WH_MOUSE, HC_ACTION, m, reinterpret_cast<LPARAM>(&hook))) return false;
  if (input.captured) return true;
  if (IsButtonDown(m) && !MouseActivate(input)) return false;
  SendMessageW(msg->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg->hwnd),
               MAKELPARAM(input.hitTest, m));
  return IsWindow(msg->hwnd) != FALSE;
}

}  // namespace

void InjectInput(RawInput event) {
  std::vector<std::shared_ptr<MessageQueue>> queues;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    InputState& input = InputLocked();
    event.time = static_cast<DWORD>(ClockNowMs());
    BYTE* keys = input.asyncKeys;
    bool altBefore = KeyDown(keys, VK_MENU);
    switch (event.kind) {
      case RawInput::MouseMove: input.cursor = ClampToScreen(event.pt); break;
      case RawInput::ButtonDown: SetKeyState(keys, kButtonKey[event.button], true); break;
      case RawInput::ButtonUp: SetKeyState(keys, kButtonKey[event.button], false); break;
      case RawInput::KeyDown:
        event.repeat = KeyDown(keys, event.key);
        SetKeyState(keys, event.key, true);
        if (!event.repeat) input.altAlone = event.key == VK_MENU;
        break;
      case RawInput::KeyUp: SetKeyState(keys, event.key, false); break;
      default: break;
    }
    event.pt = input.cursor;
    event.mouseKeys = MouseKeysOf(keys);
    // Releasing Alt is a system key only when no other key was pressed with it.
    event.altDown = event.kind != RawInput::KeyUp ? KeyDown(keys, VK_MENU)
                    : event.key == VK_MENU      ? input.altAlone
                                                : altBefore;
    event.ctrlDown = KeyDown(keys, VK_CONTROL);
    input.raw.push_back(event);
    SignalAllLocked(&queues);
  }
  UINT kind = event.kind == RawInput::KeyDown || event.kind == RawInput::KeyUp ? QS_KEY
              : event.kind == RawInput::MouseMove ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
  for (auto& queue : queues) queue->Signal(kind);
}

bool RetrieveMessage(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* msg) {
  for (;;) {
    while (RouteOne()) {
    }
    if (!PeekQueue(queue, filter, remove, msg)) return false;
    if (!remove || FinishRetrieved(msg)) {
      CallHookChain(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE,
                    reinterpret_cast<LPARAM>(msg));
      return true;
    }
  }
}

}  // namespace talix::user
