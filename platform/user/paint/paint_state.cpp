#include "platform/user/paint/paint_state.h"

#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_hooks.h"

namespace talix::user {

PaintStateMap& PaintStatesLocked() {
  static auto* states = new PaintStateMap;  // outlives every thread
  return *states;
}

PaintState& PaintStateLocked(const Window& window) {
  std::unique_ptr<PaintState>& state = PaintStatesLocked()[window.hwnd];
  if (!state) state = std::make_unique<PaintState>();
  return *state;
}

PaintState* FindPaintStateLocked(const Window& window) {
  auto it = PaintStatesLocked().find(window.hwnd);
  return it == PaintStatesLocked().end() ? nullptr : it->second.get();
}

LayeredState& CurrentLayeredLocked(const Window& window, PaintState& state) {
  if (!(window.exStyle & WS_EX_LAYERED) && state.layered.mode != LayeredMode::None)
    state.layered = LayeredState();
  return state.layered;
}

bool NeedsPaintLocked(const Window& window, const PaintState& state) {
  if (state.update.Empty() && !state.frame && !state.internal) return false;
  if (window.destroying || !IsShownLocked(window)) return false;
  Window* top = TopLevelLocked(window);
  PaintState* topState = top ? FindPaintStateLocked(*top) : nullptr;
  // A window that shows the pixels UpdateLayeredWindow gave it is never asked to paint.
  return !(topState && (top->exStyle & WS_EX_LAYERED) &&
           topState->layered.mode == LayeredMode::Content);
}

void ForgetPaintStateLocked(Window& window) {
  if (window.windowRegion) {
    DeleteObject(window.windowRegion);
    window.windowRegion = nullptr;
  }
  PaintStatesLocked().erase(window.hwnd);
}

}  // namespace talix::user
