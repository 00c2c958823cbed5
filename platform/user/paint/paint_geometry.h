// Where a window lies in its top-level window's surface and which part of it may be
// drawn. Coordinates "in top" are relative to the top-level window's top-left corner,
// which is pixel (0, 0) of its surface. All functions require UserLock.
#pragma once

#include "platform/gdi/dc/region32.h"
#include "platform/user/window/window_object.h"

namespace talix::user {

// The top-level window a window draws into (itself for a top-level window); null for the
// desktop and for windows outside the tree (message-only windows).
Window* TopLevelLocked(const Window& window);
// The window and every ancestor up to its top-level window are WS_VISIBLE.
bool IsShownLocked(const Window& window);

RECT WindowRectInTopLocked(const Window& window);
RECT ClientRectInTopLocked(const Window& window);
// The window region as the screen shows it, relative to the window's top-left corner;
// false when the window has none. SetWindowRgn keeps the caller's region as given: a
// WS_EX_LAYOUTRTL window's region runs leftwards from its right edge, so it is mirrored
// here across the window's current width. Every user of the region reads it through
// this, so painting, composition and hit-testing agree on the shape.
bool WindowRegionLocked(const Window& window, gdi::Region32* out);
// The window's rectangle cut to its window region, in top coordinates.
gdi::Region32 ShapeInTopLocked(const Window& window);

struct ClipOptions {
  bool windowArea = false;    // the whole window, not just the client area
  bool clipChildren = false;  // leave out visible children
  bool clipSiblings = false;  // leave out visible siblings above the window
  bool parentClip = false;    // use the parent's visible region (DCX_PARENTCLIP)
};
// The options GetDC gives a window: its own WS_CLIPCHILDREN / WS_CLIPSIBLINGS.
ClipOptions StyleClipLocked(const Window& window, bool windowArea);

// What of the window may be drawn, in top coordinates: its area, inside every
// ancestor's client area and window region, less siblings above WS_CLIPSIBLINGS windows
// (the window itself and its ancestors) and, when asked, less its children. Empty when
// the window is not shown.
gdi::Region32 VisibleRegionLocked(const Window& window, const ClipOptions& options);

inline RECT Shifted(RECT r, int dx, int dy) {
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }

}  // namespace talix::user
