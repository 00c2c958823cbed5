// Composing the screen: the shown top-level windows, bottom first, over the desktop colour.
//
// The window list is copied under UserLock (surfaces and layered pixels are shared, never
// copied); the pixels are then written under PixelLock alone, so a window thread that
// paints meanwhile only waits for the rows being copied. Windows with DCs still out are
// composed again every time, since drawing through such a DC leaves no other trace.
#include "platform/gdi/bitmap/pixel_format.h"
#include "platform/gdi/dc/screen_dc.h"
#include "platform/user/compose/layer_blend.h"
#include "platform/user/compose/screen_damage.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/window_surface.h"

#include <talix/host_capture.h>
#include <win/sysmetrics.h>

#include <algorithm>

namespace talix::user {
namespace {

struct Layer {
  RECT rect{};              // screen coordinates
  gdi::Region32 shape;      // screen coordinates
  std::shared_ptr<gdi::BitmapObject> surface;
  std::shared_ptr<const std::vector<uint32_t>> content;  // UpdateLayeredWindow pixels
  int contentWidth = 0;
  LayerBlend blend;
};

LayerBlend BlendOf(const LayeredState& layered) {
  LayerBlend blend;
  if (layered.mode == LayeredMode::Attributes) {
    blend.keyed = (layered.flags & LWA_COLORKEY) != 0;
    blend.key = gdi::ColorRefToPixel(layered.key);
    if (layered.flags & LWA_ALPHA) blend.constantAlpha = layered.alpha;
  } else if (layered.mode == LayeredMode::Content && !(layered.flags & ULW_OPAQUE)) {
    blend.keyed = (layered.flags & ULW_COLORKEY) != 0;
    blend.key = gdi::ColorRefToPixel(layered.key);
    if (layered.flags & ULW_ALPHA) {
      blend.constantAlpha = layered.blend.SourceConstantAlpha;
      blend.sourceAlpha = (layered.blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    }
  }
  return blend;
}

// The shown top-level windows, bottom first; adds the areas of windows with open DCs to
// the damage.
std::vector<Layer> SnapshotLayers(gdi::Region32* damage) {
  std::vector<Layer> layers;
  std::lock_guard<std::mutex> lock(UserLock());
  const std::vector<Window*>& tops = DesktopLocked().children;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    Window& top = **it;
    if (!(top.style & WS_VISIBLE)) continue;
    PaintState& state = PaintStateLocked(top);
    const LayeredState& layered = CurrentLayeredLocked(top, state);
    if ((top.exStyle & WS_EX_LAYERED) && layered.mode == LayeredMode::None) continue;
    Layer layer;
    layer.rect = top.rect;
    layer.shape = ShapeInTopLocked(top);
    layer.shape.Translate(top.rect.left, top.rect.top);
    if (layered.mode == LayeredMode::Content) {
      if (!layered.pixels) continue;
      layer.content = layered.pixels;
      layer.contentWidth = layered.width;
      layer.shape.Intersect(RECT{top.rect.left, top.rect.top, top.rect.left + layered.width,
                                 top.rect.top + layered.height});
    } else {
      layer.surface = SurfaceOfLocked(top);
      if (!layer.surface) continue;
    }
    layer.blend = BlendOf(layered);
    if (state.openDcs > 0) damage->Union(layer.shape);
    layers.push_back(std::move(layer));
  }
  return layers;
}

const uint32_t* LayerRow(const Layer& layer, int x, int y) {
  int lx = x - layer.rect.left, ly = y - layer.rect.top;
  if (layer.content) return layer.content->data() + size_t(ly) * size_t(layer.contentWidth) + lx;
  return reinterpret_cast<const uint32_t*>(layer.surface->Row(ly)) + lx;
}

void FillBox(gdi::BitmapObject& screen, const pixman_box32_t& box, uint32_t pixel) {
  for (int y = box.y1; y < box.y2; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(screen.Row(y));
    std::fill(row + box.x1, row + box.x2, pixel);
  }
}

void ComposeLayer(gdi::BitmapObject& screen, const Layer& layer, const gdi::Region32& damage) {
  gdi::Region32 area = layer.shape;
  area.Intersect(damage);
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(area.get(), &n);
  for (int i = 0; i < n; ++i)
    for (int y = boxes[i].y1; y < boxes[i].y2; ++y)
      BlendLayerRow(reinterpret_cast<uint32_t*>(screen.Row(y)) + boxes[i].x1,
                    LayerRow(layer, boxes[i].x1, y), boxes[i].x2 - boxes[i].x1, layer.blend);
}

std::weak_ptr<gdi::BitmapObject> g_lastScreen;  // guarded by PixelLock

}  // namespace
}  // namespace talix::user

namespace talix::host {

void ComposeScreen() {
  using namespace talix::user;
  gdi::Region32 damage = TakeScreenDamage();
  std::vector<Layer> layers = SnapshotLayers(&damage);
  std::shared_ptr<gdi::BitmapObject> screen = gdi::ScreenSurface();
  if (!screen) return;
  gdi::PixelGuard guard(gdi::PixelLock());
  RECT bounds{0, 0, screen->Width(), screen->Height()};
  if (g_lastScreen.lock() != screen) damage = gdi::Region32(bounds);  // new or resized
  g_lastScreen = screen;
  damage.Intersect(bounds);
  if (damage.Empty()) return;
  uint32_t desktop = gdi::ColorRefToPixel(GetSysColor(COLOR_DESKTOP));
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(damage.get(), &n);
  for (int i = 0; i < n; ++i) FillBox(*screen, boxes[i], desktop);
  for (const Layer& layer : layers) ComposeLayer(*screen, layer, damage);
}

}  // namespace talix::host
