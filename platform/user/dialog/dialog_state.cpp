// The table of dialog states, keyed by window handle.
#include "platform/user/dialog/dialog_state.h"

#include <win/gdi.h>

#include <map>
#include <mutex>

namespace talix::user {
namespace {

struct StateTable {
  std::mutex mutex;
  std::map<HWND, std::shared_ptr<DialogState>> states;
};

StateTable& Table() {
  static auto* table = new StateTable;
  return *table;
}

}  // namespace

std::shared_ptr<DialogState> DialogStateOf(HWND dialog) {
  if (!IsWindow(dialog)) return nullptr;
  StateTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto& slot = table.states[dialog];
  if (!slot) slot = std::make_shared<DialogState>();
  return slot;
}

std::shared_ptr<DialogState> FindDialogState(HWND dialog) {
  StateTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.states.find(dialog);
  return it == table.states.end() ? nullptr : it->second;
}

void DropDialogState(HWND dialog) {
  std::shared_ptr<DialogState> state;
  {
    StateTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto it = table.states.find(dialog);
    if (it == table.states.end()) return;
    state = std::move(it->second);
    table.states.erase(it);
  }
  if (state->ownsFont && state->font) DeleteObject(state->font);
}

}  // namespace talix::user
