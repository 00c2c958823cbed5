// The state of Shift, Ctrl and Alt that TranslateAcceleratorW matches entries against:
// the calling thread's key state (GetKeyState), as of the last key message it retrieved.
#pragma once

#include <win/types.h>

namespace talix::user::accel {

struct AcceleratorModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

AcceleratorModifiers ModifierStateForAccelerators();

}  // namespace talix::user::accel
