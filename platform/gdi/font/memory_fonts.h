// Fonts added by the process itself: AddFontMemResourceEx (bytes, copied) and
// AddFontResourceExW with FR_PRIVATE (files, read once). They are found by family name
// before the host's fonts and are gone once removed.
#pragma once

#include <win/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace talix::gdi {

using FontBytes = std::shared_ptr<const std::vector<uint8_t>>;

// One face of an added font file.
struct MemoryFace {
  FontBytes bytes;
  int index = 0;
  std::u16string family;
  int weight = 400;
  bool italic = false;
};

// The best face of that family (ignoring case) for the weight and italic asked for.
std::optional<MemoryFace> FindMemoryFace(const std::u16string& family, int weight, bool italic);

// Bumped whenever fonts are added or removed, so realised fonts are looked up again.
uint64_t MemoryFontGeneration();

}  // namespace talix::gdi
