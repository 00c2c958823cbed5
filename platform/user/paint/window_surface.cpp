#include "platform/user/paint/window_surface.h"

#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"

#include <algorithm>
#include <cstring>

namespace talix::user {
namespace {

void CopyOverlap(const gdi::BitmapObject& from, gdi::BitmapObject& to) {
  gdi::PixelGuard guard(gdi::PixelLock());
  int width = std::min(from.Width(), to.Width());
  int height = std::min(from.Height(), to.Height());
  for (int y = 0; y < height; ++y)
    std::memcpy(to.Row(y), from.Row(y), size_t(width) * 4);
}

}  // namespace

std::shared_ptr<gdi::BitmapObject> SurfaceOfLocked(Window& top) {
  PaintState& state = PaintStateLocked(top);
  int width = std::max(1, RectWidth(top.rect));
  int height = std::max(1, RectHeight(top.rect));
  auto& surface = state.surface;
  if (surface && surface->Width() == width && surface->Height() == height) return surface;
  auto made = gdi::BitmapObject::Create(width, height, gdi::PixelFormat(), false, true);
  if (!made) return surface;  // keep drawing into the old one rather than nowhere
  if (surface) CopyOverlap(*surface, *made);
  surface = std::move(made);
  return surface;
}

}  // namespace talix::user
