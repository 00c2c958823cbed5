#include "platform/user/compose/screen_damage.h"

#include <talix/host_capture.h>

#include <atomic>
#include <mutex>

namespace talix::user {
namespace {

struct DamageState {
  std::mutex mutex;  // a leaf lock: nothing else is taken while it is held
  gdi::Region32 damage;
  host::ScreenChangedCallback callback = nullptr;
  void* context = nullptr;
};

DamageState& State() {
  static auto* state = new DamageState;  // used until the process ends
  return *state;
}

std::atomic<uint64_t> g_changes{0};

void Changed(const gdi::Region32* region) {
  host::ScreenChangedCallback callback;
  void* context;
  {
    std::lock_guard<std::mutex> lock(State().mutex);
    if (region) State().damage.Union(*region);
    callback = State().callback;
    context = State().context;
  }
  g_changes.fetch_add(1);
  if (callback) callback(context);
}

}  // namespace

void DamageScreenRegion(const gdi::Region32& region) {
  if (!region.Empty()) Changed(&region);
}

void NoteScreenDrawn() { Changed(nullptr); }

void DamageScreen(const RECT& rect) { DamageScreenRegion(gdi::Region32(rect)); }

gdi::Region32 TakeScreenDamage() {
  std::lock_guard<std::mutex> lock(State().mutex);
  gdi::Region32 taken = State().damage;
  State().damage = gdi::Region32();
  return taken;
}

}  // namespace talix::user

namespace talix::host {

uint64_t ScreenChangeCount() { return user::g_changes.load(); }

void SetScreenChangedCallback(ScreenChangedCallback callback, void* context) {
  std::lock_guard<std::mutex> lock(user::State().mutex);
  user::State().callback = callback;
  user::State().context = context;
}

}  // namespace talix::host
