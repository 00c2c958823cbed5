#include "platform/user/accel/modifier_state.h"

#include <win/input.h>

namespace talix::user::accel {

AcceleratorModifiers ModifierStateForAccelerators() {
  return AcceleratorModifiers{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                              GetKeyState(VK_MENU) < 0};
}

}  // namespace talix::user::accel
