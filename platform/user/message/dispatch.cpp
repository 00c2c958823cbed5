// DispatchMessageW and TranslateMessage (whose keyboard layout is in the input work).
#include "platform/kernel/sync/clock.h"
#include "platform/user/input/keyboard.h"
#include "platform/user/message/message_queue.h"
#include "platform/user/timer/timers.h"

using namespace talix;
using namespace talix::user;

BOOL TranslateMessage(const MSG* msg) { return TranslateKeyMessage(msg); }

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
