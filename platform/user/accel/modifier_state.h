// The state of Shift, Ctrl and Alt that TranslateAcceleratorW matches entries against.
//
// Until the keyboard state (GetKeyState) is part of the platform, the state comes from a
// value the host sets; ModifierStateForAccelerators is the one place to switch over to
// GetKeyState(VK_SHIFT/VK_CONTROL/VK_MENU) < 0.
#pragma once

#include <win/types.h>

namespace talix::user::accel {

struct AcceleratorModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

AcceleratorModifiers ModifierStateForAccelerators();

// Sets the state reported above (for tests and hosts without keyboard input).
TALIX_EXPORT void SetAcceleratorModifiers(AcceleratorModifiers modifiers);

}  // namespace talix::user::accel
