#include "platform/user/input/input_state.h"

#include <unordered_map>

namespace talix::user {
namespace {

std::unordered_map<DWORD, ThreadInput>& ThreadsLocked() {
  static auto* threads = new std::unordered_map<DWORD, ThreadInput>;
  return *threads;
}

}  // namespace

InputState& InputLocked() {
  static auto* state = new InputState;
  return *state;
}

ThreadInput& ThreadInputLocked(DWORD threadId) { return ThreadsLocked()[threadId]; }

ThreadInput* FindThreadInputLocked(DWORD threadId) {
  auto it = ThreadsLocked().find(threadId);
  return it == ThreadsLocked().end() ? nullptr : &it->second;
}

void ForEachThreadInputLocked(const std::function<void(ThreadInput&)>& visit) {
  for (auto& [id, input] : ThreadsLocked()) visit(input);
}

WORD MouseKeysOf(const BYTE* keys) {
  WORD flags = 0;
  if (KeyDown(keys, VK_LBUTTON)) flags |= MK_LBUTTON;
  if (KeyDown(keys, VK_RBUTTON)) flags |= MK_RBUTTON;
  if (KeyDown(keys, VK_MBUTTON)) flags |= MK_MBUTTON;
  if (KeyDown(keys, VK_SHIFT)) flags |= MK_SHIFT;
  if (KeyDown(keys, VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

bool IsEnabledLocked(const Window& window) {
  for (const Window* w = &window; w && w->parent; w = w->parent)
    if (w->style & WS_DISABLED) return false;
  return true;
}

bool IsVisibleLocked(const Window& window) {
  for (const Window* w = &window; w && w->parent; w = w->parent)
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

Window* TopLevelLocked(Window& window) {
  Window* w = &window;
  while (w->parent && w->parent->parent) w = w->parent;
  return w;
}

}  // namespace talix::user
