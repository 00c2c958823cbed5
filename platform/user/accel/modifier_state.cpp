#include "platform/user/accel/modifier_state.h"

#include <atomic>

namespace talix::user::accel {
namespace {

constexpr unsigned kShift = 1, kControl = 2, kAlt = 4;
std::atomic<unsigned> g_modifiers{0};

}  // namespace

AcceleratorModifiers ModifierStateForAccelerators() {
  unsigned bits = g_modifiers.load();
  return AcceleratorModifiers{(bits & kShift) != 0, (bits & kControl) != 0, (bits & kAlt) != 0};
}

void SetAcceleratorModifiers(AcceleratorModifiers modifiers) {
  g_modifiers.store((modifiers.shift ? kShift : 0) | (modifiers.control ? kControl : 0) |
                    (modifiers.alt ? kAlt : 0));
}

}  // namespace talix::user::accel
