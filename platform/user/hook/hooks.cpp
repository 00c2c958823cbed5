// Hooks: chains of procedures per kind, for one thread or for every thread.
//
// Each hook has a sequence number; a chain runs from the newest applicable hook down.
// CallNextHookEx finds the next older hook from the hook whose procedure is running on
// this thread (its handle argument is not needed, as documented), so a hook removed while
// its chain runs does not break the walk: the next hook is found by number, not by place.
//
// Limits: hooks of a thread that ends are not removed until unhooked.
#include "platform/user/hook/hooks.h"

#include "platform/kernel/handle_table.h"
#include "platform/user/window/window_object.h"

#include <win/sync.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace talix::user {
namespace {

struct Hook {
  int id = 0;
  HOOKPROC proc = nullptr;
  DWORD threadId = 0;  // 0: every thread
  uint64_t sequence = 0;
  HHOOK handle = nullptr;
};

constexpr int kKinds = WH_MAX - WH_MIN + 1;

HandleTable<Hook>& HookTable() {
  static auto* table = new HandleTable<Hook>(HandleKind::Hook);
  return *table;
}

// Installed hooks in installation order; guarded by UserLock.
std::vector<std::shared_ptr<Hook>>& ChainLocked() {
  static auto* chain = new std::vector<std::shared_ptr<Hook>>;
  return *chain;
}

std::atomic<int> g_installed[kKinds];
uint64_t g_nextSequence = 1;  // guarded by UserLock
thread_local std::vector<std::shared_ptr<Hook>> t_running;  // innermost last

// The newest hook of the kind for this thread older than `before`.
std::shared_ptr<Hook> NextHook(int id, uint64_t before) {
  DWORD self = GetCurrentThreadId();
  std::lock_guard<std::mutex> lock(UserLock());
  auto& chain = ChainLocked();
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const Hook& hook = **it;
    if (hook.id == id && hook.sequence < before && (!hook.threadId || hook.threadId == self))
      return *it;
  }
  return nullptr;
}

LRESULT RunHook(std::shared_ptr<Hook> hook, int code, WPARAM wParam, LPARAM lParam) {
  HOOKPROC proc = hook->proc;
  t_running.push_back(std::move(hook));
  LRESULT result = proc(code, wParam, lParam);
  t_running.pop_back();
  return result;
}

}  // namespace

bool HasHooks(int idHook) {
  return idHook >= WH_MIN && idHook <= WH_MAX && g_installed[idHook - WH_MIN].load() > 0;
}

LRESULT CallHookChain(int idHook, int code, WPARAM wParam, LPARAM lParam) {
  if (!HasHooks(idHook)) return 0;
  std::shared_ptr<Hook> first = NextHook(idHook, UINT64_MAX);
  return first ? RunHook(std::move(first), code, wParam, lParam) : 0;
}

LRESULT CallWindowProcedureWithHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     bool fromThisThread) {
  if (HasHooks(WH_CALLWNDPROC)) {
    CWPSTRUCT call{lParam, wParam, msg, hwnd};
    CallHookChain(WH_CALLWNDPROC, HC_ACTION, fromThisThread, reinterpret_cast<LPARAM>(&call));
  }
  LRESULT result = CallWindowProcedure(hwnd, msg, wParam, lParam);
  if (HasHooks(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{result, lParam, wParam, msg, hwnd};
    CallHookChain(WH_CALLWNDPROCRET, HC_ACTION, fromThisThread, reinterpret_cast<LPARAM>(&ret));
  }
  return result;
}

}  // namespace talix::user

using namespace talix;
using namespace talix::user;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (idHook < WH_MIN || idHook > WH_MAX) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!proc) {
    SetLastError(ERROR_INVALID_FILTER_PROC);
    return nullptr;
  }
  auto hook = std::make_shared<Hook>();
  hook->id = idHook;
  hook->proc = proc;
  hook->threadId = threadId;
  uint32_t value = HookTable().Add(hook);
  if (!value) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  hook->handle = HandleFromValue<HHOOK>(value);
  {
    std::lock_guard<std::mutex> lock(UserLock());
    hook->sequence = g_nextSequence++;
    ChainLocked().push_back(hook);
  }
  g_installed[idHook - WH_MIN].fetch_add(1);
  return hook->handle;
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
  std::shared_ptr<Hook> hook = HookTable().Take(ValueOfHandle(handle));
  if (!hook) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  {
    std::lock_guard<std::mutex> lock(UserLock());
    auto& chain = ChainLocked();
    chain.erase(std::remove(chain.begin(), chain.end(), hook), chain.end());
  }
  g_installed[hook->id - WH_MIN].fetch_sub(1);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK, int code, WPARAM wParam, LPARAM lParam) {
  if (t_running.empty()) return 0;
  const Hook& current = *t_running.back();
  std::shared_ptr<Hook> next = NextHook(current.id, current.sequence);
  return next ? RunHook(std::move(next), code, wParam, lParam) : 0;
}

BOOL CallMsgFilterW(LPMSG msg, int code) {
  if (!msg) return FALSE;
  if (CallHookChain(WH_SYSMSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg))) return TRUE;
  return CallHookChain(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) ? TRUE : FALSE;
}
