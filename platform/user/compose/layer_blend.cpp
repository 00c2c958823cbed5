#include "platform/user/compose/layer_blend.h"

#include "platform/gdi/raster/alpha.h"

#include <cstring>

namespace talix::user {
namespace {

void BlendRun(uint32_t* screen, const uint32_t* source, int count, const LayerBlend& blend) {
  if (count <= 0) return;
  if (blend.constantAlpha == 255 && !blend.sourceAlpha) {
    std::memcpy(screen, source, size_t(count) * 4);
  } else {
    gdi::raster::BlendFunction function{blend.constantAlpha, blend.sourceAlpha};
    gdi::raster::BlendRowSimd(screen, source, count, function);
  }
  for (int i = 0; i < count; ++i) screen[i] &= 0x00FFFFFFu;
}

}  // namespace

void BlendLayerRow(uint32_t* screen, const uint32_t* source, int count, const LayerBlend& blend) {
  if (!blend.keyed) {
    BlendRun(screen, source, count, blend);
    return;
  }
  int start = 0;
  for (int i = 0; i <= count; ++i) {
    bool isKey = i < count && (source[i] & 0x00FFFFFFu) == blend.key;
    if (i < count && !isKey) continue;
    BlendRun(screen + start, source + start, i - start, blend);
    start = i + 1;
  }
}

}  // namespace talix::user
