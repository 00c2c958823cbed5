// Shaped strings kept by font, reading order and text, for the strings drawn and
// measured over and over (labels, captions, menu items; DrawTextW measures a line before
// drawing it). Entries are checked against the font's lifetime, so a font freed and
// another made at the same address never sees the old shapes.
#pragma once

#include "platform/gdi/text/shaped_text.h"

#include <memory>
#include <string_view>

namespace talix::gdi {

// ShapeText through the cache (long strings are shaped without it). Callers hold
// FontLock().
std::shared_ptr<const ShapedText> ShapeTextCached(const std::shared_ptr<RealizedFont>& font,
                                                  std::u16string_view text, bool rtlReading);

// Each UTF-16 unit's advance in logical order, as CharAdvances, through the cache.
std::vector<int> CharAdvancesCached(const std::shared_ptr<RealizedFont>& font,
                                    std::u16string_view text);

}  // namespace talix::gdi
