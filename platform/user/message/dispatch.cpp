// DispatchMessageW and TranslateMessage.
//
// Limits: TranslateMessage maps virtual keys without a keyboard state (letters come out
// lower case, digits, space, Tab, Enter, Backspace and Escape); the keyboard state of the
// input work replaces this mapping.
#include "platform/kernel/sync/clock.h"
#include "platform/user/message/message_queue.h"
#include "platform/user/timer/timers.h"

using namespace talix;
using namespace talix::user;

namespace {

WCHAR CharOfVirtualKey(WPARAM key) {
  if (key >= 'A' && key <= 'Z') return static_cast<WCHAR>(key - 'A' + 'a');
  if (key >= '0' && key <= '9') return static_cast<WCHAR>(key);
  switch (key) {
    case 0x08: case 0x09: case 0x0D: case 0x1B: case 0x20: return static_cast<WCHAR>(key);
    default: return 0;
  }
}

}  // namespace

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_KEYUP && m != WM_SYSKEYDOWN && m != WM_SYSKEYUP) return FALSE;
  WCHAR ch = CharOfVirtualKey(msg->wParam);
  if (ch && (m == WM_KEYDOWN || m == WM_SYSKEYDOWN))
    PostMessageW(msg->hwnd, m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch, msg->lParam);
  return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    // Only a live timer's own procedure runs: a posted WM_TIMER cannot name any address.
    if (!IsLiveTimerProc(msg->hwnd, msg->wParam, proc)) return 0;
    proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(ClockNowMs()));
    return 0;
  }
  if (!msg->hwnd) return 0;
  if (!GetWindowObject(msg->hwnd)) return 0;
  return CallWindowProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
