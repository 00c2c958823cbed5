// TrackMouseEvent's leave and hover tracking.
#pragma once

#include "platform/user/input/input_state.h"

namespace talix::user {

// Called as each mouse event is given out: ends tracking with WM_MOUSELEAVE when the
// cursor has left the tracked window (or its client or non-client part), and restarts
// the hover time when the cursor moves out of the hover rectangle.
void TrackAfterMouseEvent(const RawInput& event, HWND target, int hitTest, bool captured);

}  // namespace talix::user
