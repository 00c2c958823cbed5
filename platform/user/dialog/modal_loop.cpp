// The modal-loop service and its host API.
#include "platform/user/dialog/modal_loop.h"

#include <windows.h>

#include <deque>
#include <mutex>

namespace talix::user {
namespace {

struct Script {
  std::mutex mutex;
  host::ModalIdleCallback idle;
  std::deque<int> answers;
};

Script& TheScript() {
  static auto* script = new Script;
  return *script;
}

thread_local int t_depth = 0;

struct DepthGuard {
  DepthGuard() { ++t_depth; }
  ~DepthGuard() { --t_depth; }
};

void CallHostIdle(const ModalLoop& loop, unsigned count) {
  host::ModalIdleCallback callback;
  {
    std::lock_guard<std::mutex> lock(TheScript().mutex);
    callback = TheScript().idle;
  }
  if (callback) callback(host::ModalIdle{loop.kind, loop.window, t_depth, count});
}

bool Finished(const ModalLoop& loop) {
  return (loop.Ended && loop.Ended()) || (loop.window && !IsWindow(loop.window));
}

// The idle step; false when the loop should look at the queue again before waiting.
bool Idle(const ModalLoop& loop, unsigned* count) {
  if (loop.showWhenIdle && loop.window && !IsWindowVisible(loop.window)) {
    ShowWindow(loop.window, SW_SHOWNORMAL);
    UpdateWindow(loop.window);
    return false;  // let the window paint before anyone looks at it
  }
  if (loop.idleOwner)
    SendMessageW(loop.idleOwner, WM_ENTERIDLE,
                 loop.filterCode == MSGF_MENU ? MSGF_MENU : MSGF_DIALOGBOX,
                 reinterpret_cast<LPARAM>(loop.window));
  ++*count;
  if (!Finished(loop)) CallHostIdle(loop, *count);
  if (!Finished(loop) && loop.OnIdle) loop.OnIdle(*count);
  return true;
}

}  // namespace

bool RunModalLoop(const ModalLoop& loop) {
  DepthGuard depth;
  unsigned idleCount = 0;
  MSG msg;
  while (!Finished(loop)) {
    if (loop.EndsBefore && PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) &&
        loop.EndsBefore(msg))
      break;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (Idle(loop, &idleCount) && !Finished(loop) &&
          !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (CallMsgFilterW(&msg, loop.filterCode)) continue;
    if (loop.Preprocess && loop.Preprocess(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

bool TakeMessageBoxAnswer(int* answer) {
  std::lock_guard<std::mutex> lock(TheScript().mutex);
  if (TheScript().answers.empty()) return false;
  *answer = TheScript().answers.front();
  TheScript().answers.pop_front();
  return true;
}

}  // namespace talix::user

namespace talix::host {

void SetModalIdleCallback(ModalIdleCallback callback) {
  std::lock_guard<std::mutex> lock(user::TheScript().mutex);
  user::TheScript().idle = std::move(callback);
}

void PushMessageBoxAnswer(int answer) {
  std::lock_guard<std::mutex> lock(user::TheScript().mutex);
  user::TheScript().answers.push_back(answer);
}

size_t PendingMessageBoxAnswers() {
  std::lock_guard<std::mutex> lock(user::TheScript().mutex);
  return user::TheScript().answers.size();
}

void ResetModalScript() {
  std::lock_guard<std::mutex> lock(user::TheScript().mutex);
  user::TheScript().idle = nullptr;
  user::TheScript().answers.clear();
}

int ModalLoopDepth() { return user::t_depth; }

}  // namespace talix::host
