// Update regions: adding and removing areas for a window and the children the flags
// take in, as RedrawWindow's RDW_* flags describe.
//
// Children: RDW_ALLCHILDREN takes them in, RDW_NOCHILDREN leaves them out, and without
// either they are taken in unless the window has WS_CLIPCHILDREN. A child gets the part
// of the area over it, its frame included (the parent's painting covers it in the shared
// surface). What a window adds to its own update region is cut to its visible client
// area, so a WS_CLIPCHILDREN window leaves out what lies under its children.
#pragma once

#include "platform/gdi/dc/region32.h"
#include "platform/user/message/message_queue.h"

#include <memory>
#include <vector>

namespace talix::user {

using PainterList = std::vector<std::shared_ptr<MessageQueue>>;

// Applies the RDW_* flags to the window. `area` is in window coordinates (relative to
// the window's top-left); null means the client area, or the whole window with
// RDW_FRAME. The queues of windows that now want painting are added to `wake`.
// Requires UserLock.
void RedrawLocked(Window& window, const gdi::Region32* area, UINT flags, PainterList* wake);

// Whether the RDW_* flags take in the window's children.
bool TakesChildren(const Window& window, UINT flags);

// Whether the window has a non-client area.
bool HasFrame(const Window& window);

// Tells the queues of `wake` that WM_PAINT is due; call without UserLock.
void WakePainters(const PainterList& wake);

// A client-area region of the API (mirrored client coordinates for WS_EX_LAYOUTRTL
// windows) in window coordinates, and back.
gdi::Region32 ClientToWindowArea(const Window& window, gdi::Region32 client);
gdi::Region32 UpdateToApiClient(const Window& window, gdi::Region32 update);

}  // namespace talix::user
