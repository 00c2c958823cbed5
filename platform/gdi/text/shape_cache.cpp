#include "platform/gdi/text/shape_cache.h"

#include <string>
#include <unordered_map>

namespace talix::gdi {

namespace {

constexpr size_t kEntryLimit = 512;
constexpr size_t kLongestCached = 256;  // UTF-16 units

struct Key {
  const RealizedFont* font;
  bool rtl;
  std::u16string text;
  bool operator==(const Key& o) const { return font == o.font && rtl == o.rtl && text == o.text; }
};

struct KeyHash {
  size_t operator()(const Key& k) const {
    size_t h = std::hash<std::u16string>()(k.text);
    return h ^ (std::hash<const void*>()(k.font) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2)) ^
           size_t(k.rtl);
  }
};

struct Entry {
  std::weak_ptr<RealizedFont> owner;
  std::shared_ptr<const ShapedText> shaped;
};

using Cache = std::unordered_map<Key, Entry, KeyHash>;

Cache& TheCache() {
  static Cache* cache = new Cache;  // used under FontLock() until the process ends
  return *cache;
}

}  // namespace

std::shared_ptr<const ShapedText> ShapeTextCached(const std::shared_ptr<RealizedFont>& font,
                                                  std::u16string_view text, bool rtlReading) {
  if (text.size() > kLongestCached)
    return std::make_shared<const ShapedText>(ShapeText(*font, text, rtlReading));
  Cache& cache = TheCache();
  Key key{font.get(), rtlReading, std::u16string(text)};
  auto found = cache.find(key);
  if (found != cache.end()) {
    if (found->second.owner.lock() == font) return found->second.shaped;
    cache.erase(found);  // another font, since freed, had this address
  }
  auto shaped = std::make_shared<const ShapedText>(ShapeText(*font, text, rtlReading));
  // Bounded by starting afresh: callers hold their own references to what they use.
  if (cache.size() >= kEntryLimit) cache.clear();
  cache.emplace(std::move(key), Entry{font, shaped});
  return shaped;
}

std::vector<int> CharAdvancesCached(const std::shared_ptr<RealizedFont>& font,
                                    std::u16string_view text) {
  return AdvancesOf(*ShapeTextCached(font, text, false), text.size());
}

}  // namespace talix::gdi
