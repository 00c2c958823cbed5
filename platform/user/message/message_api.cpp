// Posting, sending, retrieving and dispatching messages.
#include "platform/kernel/sync/clock.h"
#include "platform/user/message/incoming_send.h"
#include "platform/user/message/message_queue.h"
#include "platform/user/hook/hooks.h"
#include "platform/user/input/system_input.h"
#include "platform/user/window/atom_table.h"

#include <win/sync.h>
#include <win/wstr.h>

using namespace talix;
using namespace talix::user;

namespace {

MSG MakePosted(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const MessageQueue& from) {
  return MSG{hwnd, msg, wParam, lParam, static_cast<DWORD>(ClockNowMs()), from.lastPos};
}

bool PostTo(const std::shared_ptr<MessageQueue>& queue, const MSG& msg) {
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (!queue->alive) return false;
    queue->posted.push_back(msg);
  }
  queue->Signal(QS_POSTMESSAGE | QS_ALLPOSTMESSAGE);
  return true;
}

std::shared_ptr<MessageQueue> QueueOfWindow(HWND hwnd, DWORD* threadId) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return nullptr;
  std::lock_guard<std::mutex> lock(UserLock());
  *threadId = window->threadId;
  return window->queue;
}

// Sends and reports whether the message was delivered; same-thread sends always are.
bool Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
          LRESULT* result) {
  DWORD owner = 0;
  std::shared_ptr<MessageQueue> queue = QueueOfWindow(hwnd, &owner);
  *result = 0;
  if (!owner && !queue) return PeekWindowObject(hwnd) != nullptr;  // the desktop
  if (!queue) return false;
  if (owner == GetCurrentThreadId()) {
    *result = CallWindowProcedureWithHooks(hwnd, msg, wParam, lParam, true);
    return true;
  }
  return SendToOtherThread(hwnd, queue, msg, wParam, lParam, timeoutMs, result);
}

}  // namespace

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<MessageQueue> self = CurrentQueue();
  if (!hwnd) return PostThreadMessageW(GetCurrentThreadId(), msg, wParam, lParam);
  DWORD owner = 0;
  std::shared_ptr<MessageQueue> queue = QueueOfWindow(hwnd, &owner);
  if (!queue) {
    if (PeekWindowObject(hwnd)) return TRUE;  // the desktop window has no queue
    return FALSE;
  }
  return PostTo(queue, MakePosted(hwnd, msg, wParam, lParam, *self)) ? TRUE : FALSE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<MessageQueue> self = CurrentQueue();
  std::shared_ptr<MessageQueue> queue;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    queue = QueueOfThreadLocked(threadId);
  }
  if (!queue || !PostTo(queue, MakePosted(nullptr, msg, wParam, lParam, *self))) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return TRUE;
}

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  Send(hwnd, msg, wParam, lParam, INFINITE, &result);
  return result;
}

LRESULT SendMessageTimeoutW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT flags,
                            UINT timeoutMs, PDWORD_PTR result) {
  (void)flags;  // every thread of this process counts as responding
  LRESULT value = 0;
  if (!PeekWindowObject(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (!Send(hwnd, msg, wParam, lParam, timeoutMs, &value)) {
    SetLastError(ERROR_TIMEOUT);
    return 0;
  }
  if (result) *result = static_cast<DWORD_PTR>(value);
  return 1;
}

BOOL SendNotifyMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD owner = 0;
  std::shared_ptr<MessageQueue> queue = QueueOfWindow(hwnd, &owner);
  if (!queue) return PeekWindowObject(hwnd) ? TRUE : FALSE;
  if (owner == GetCurrentThreadId()) {
    CallWindowProcedure(hwnd, msg, wParam, lParam);
    return TRUE;
  }
  auto sent = std::make_shared<SentMessage>();
  sent->hwnd = hwnd;
  sent->msg = msg;
  sent->wParam = wParam;
  sent->lParam = lParam;
  return EnqueueSent(queue, std::move(sent)) ? TRUE : FALSE;
}

VOID PostQuitMessage(int exitCode) {
  std::shared_ptr<MessageQueue> self = CurrentQueue();
  {
    std::lock_guard<std::mutex> lock(UserLock());
    self->quitPosted = true;
    self->quitCode = exitCode;
  }
  self->Signal(QS_POSTMESSAGE | QS_ALLPOSTMESSAGE);
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !GetWindowObject(hwnd)) return FALSE;
  std::shared_ptr<MessageQueue> queue = CurrentQueue();
  MessageFilter filter{hwnd, filterMin, filterMax};
  return RetrieveMessage(*queue, filter, (removeFlags & PM_REMOVE) != 0, msg) ? TRUE : FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !GetWindowObject(hwnd)) return -1;
  std::shared_ptr<MessageQueue> queue = CurrentQueue();
  MessageFilter filter{hwnd, filterMin, filterMax};
  while (!RetrieveMessage(*queue, filter, true, msg))
    WaitForQueue(*queue, nullptr, 0, false, INFINITE, QS_ALLINPUT, false);
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage(void) {
  std::shared_ptr<MessageQueue> queue = CurrentQueue();
  WaitForQueue(*queue, nullptr, 0, false, INFINITE, QS_ALLINPUT, false);
  return TRUE;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD timeoutMs,
                                  DWORD wakeMask, DWORD flags) {
  std::shared_ptr<MessageQueue> queue = CurrentQueue();
  return WaitForQueue(*queue, handles, count, (flags & MWMO_WAITALL) != 0, timeoutMs,
                      wakeMask | QS_SENDMESSAGE, (flags & MWMO_INPUTAVAILABLE) != 0);
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                DWORD timeoutMs, DWORD wakeMask) {
  return MsgWaitForMultipleObjectsEx(count, handles, timeoutMs, wakeMask,
                                     waitAll ? MWMO_WAITALL : 0);
}

DWORD GetQueueStatus(UINT flags) {
  std::shared_ptr<MessageQueue> queue = CurrentQueue();
  std::lock_guard<std::mutex> lock(UserLock());
  RefreshSourcesLocked(*queue);
  UINT present = PresentKindsLocked(*queue) & flags;
  UINT news = queue->changed.fetch_and(~flags) & flags;
  return MAKELONG(news, present);
}

DWORD GetMessagePos(void) {
  POINT pt = CurrentQueue()->lastPos;
  return MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

LONG GetMessageTime(void) { return static_cast<LONG>(CurrentQueue()->lastTime); }

BOOL InSendMessage(void) { return CurrentIncomingSend() ? TRUE : FALSE; }

DWORD InSendMessageEx(LPVOID) {
  IncomingSend* incoming = CurrentIncomingSend();
  if (!incoming) return ISMEX_NOSEND;
  DWORD kind = incoming->sent->sender ? ISMEX_SEND : ISMEX_NOTIFY;
  return kind | (incoming->replied ? ISMEX_REPLIED : 0);
}

BOOL ReplyMessage(LRESULT result) { return ReplyToIncomingSend(result) ? TRUE : FALSE; }

UINT RegisterWindowMessageW(LPCWSTR name) {
  if (!name || IS_INTRESOURCE(name) || !name[0]) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard<std::mutex> lock(UserLock());
  UINT id = AddAtomLocked(std::u16string(name));
  if (!id) SetLastError(ERROR_INVALID_PARAMETER);
  return id;
}
