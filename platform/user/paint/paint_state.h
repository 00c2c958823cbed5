// What painting keeps per window, beside the window object: the update region and its
// flags, the caption's active look, the backing surface of a top-level window and its
// layered attributes. Everything here is guarded by UserLock.
//
// Surfaces: every top-level window has a 32-bit BGRX surface the size of its window
// rectangle; its children draw into it at their offset (see paint_geometry.h), clipped
// to their visible regions. The screen composes the surfaces (platform/user/compose).
#pragma once

#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/dc/region32.h"
#include "platform/user/window/window_object.h"

#include <win/paint.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace talix::user {

enum class LayeredMode {
  None,        // WS_EX_LAYERED without attributes or content yet: not shown
  Attributes,  // SetLayeredWindowAttributes: painted normally, composed with alpha/key
  Content,     // UpdateLayeredWindow: the window shows the pixels it was given
};

struct LayeredState {
  LayeredMode mode = LayeredMode::None;
  COLORREF key = 0;
  BYTE alpha = 255;
  DWORD flags = 0;  // LWA_* in Attributes mode, ULW_* in Content mode
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
  // Content mode: window-sized pixels (0xAARRGGBB, premultiplied when blend asks for the
  // source's alpha), top row first; replaced, never changed, so readers may share them.
  std::shared_ptr<const std::vector<uint32_t>> pixels;
  int width = 0;
  int height = 0;
};

struct PaintState {
  gdi::Region32 update;  // client coordinates, never mirrored
  bool erase = false;    // WM_ERASEBKGND due at the next BeginPaint
  bool appErase = false; // an early WM_ERASEBKGND erased nothing: BeginPaint sets fErase
  bool frame = false;    // WM_NCPAINT due
  bool internal = false; // RDW_INTERNALPAINT: a WM_PAINT without an update region
  bool captionActive = false;
  bool shown = false;    // visibility the window-position hook saw last
  std::shared_ptr<gdi::BitmapObject> surface;  // top-level windows only
  LayeredState layered;
  int openDcs = 0;  // GetDC/GetWindowDC DCs not yet released, counted on the top level
};

// The state of a window, made on first use; requires UserLock.
PaintState& PaintStateLocked(const Window& window);
// The state when there is one; requires UserLock.
PaintState* FindPaintStateLocked(const Window& window);
// Every window's state, by handle; requires UserLock.
using PaintStateMap = std::unordered_map<HWND, std::unique_ptr<PaintState>>;
PaintStateMap& PaintStatesLocked();

// Whether the window wants a WM_PAINT now (shown, and something is due).
bool NeedsPaintLocked(const Window& window, const PaintState& state);

// The layered state as it applies now: reset when WS_EX_LAYERED was taken away.
LayeredState& CurrentLayeredLocked(const Window& window, PaintState& state);

}  // namespace talix::user
