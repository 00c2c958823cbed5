// The parts of the screen that changed since the screen was last composed, the change
// counter and the change callback (talix/host_capture.h).
#pragma once

#include "platform/gdi/dc/region32.h"

#include <cstdint>

namespace talix::user {

// Marks part of the screen (screen coordinates) as changed: bumps the change counter and
// calls the host's change callback. Any thread, with or without UserLock.
void DamageScreen(const RECT& rect);
void DamageScreenRegion(const gdi::Region32& region);
// Bumps the change counter and calls the callback without marking anything for
// composition (someone drew on the screen surface itself).
void NoteScreenDrawn();
// Takes what changed since the last call.
gdi::Region32 TakeScreenDamage();

}  // namespace talix::user
