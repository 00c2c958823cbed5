#include "platform/kernel/sync/named_objects.h"

#include <map>

namespace talix {
namespace {

constexpr std::u16string_view kGlobalPrefix = u"Global\\";
constexpr std::u16string_view kLocalPrefix = u"Local\\";

std::map<std::u16string, std::weak_ptr<Waitable>>& Names() {
  static auto* names = new std::map<std::u16string, std::weak_ptr<Waitable>>;
  return *names;
}

}  // namespace

ObjectName ParseObjectName(LPCWSTR name) {
  ObjectName parsed;
  if (!name || !*name) return parsed;
  std::u16string_view text(name);
  if (text.size() > MAX_PATH) {
    parsed.error = ERROR_FILENAME_EXCED_RANGE;
    return parsed;
  }
  parsed.scope = NameScope::Local;
  if (text.substr(0, kGlobalPrefix.size()) == kGlobalPrefix) {
    parsed.scope = NameScope::Global;
    text.remove_prefix(kGlobalPrefix.size());
  } else if (text.substr(0, kLocalPrefix.size()) == kLocalPrefix) {
    text.remove_prefix(kLocalPrefix.size());
  }
  // A further backslash would name a namespace that does not exist.
  if (text.empty() || text.find(u'\\') != std::u16string_view::npos) {
    parsed.error = ERROR_PATH_NOT_FOUND;
    return parsed;
  }
  parsed.base = std::u16string(text);
  parsed.key = parsed.scope == NameScope::Global ? std::u16string(kGlobalPrefix) + parsed.base
                                                 : parsed.base;
  return parsed;
}

std::mutex& NamesLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

std::shared_ptr<Waitable> FindNamedLocked(const std::u16string& key) {
  auto it = Names().find(key);
  return it == Names().end() ? nullptr : it->second.lock();
}

void RegisterNamedLocked(const std::u16string& key, const std::shared_ptr<Waitable>& object) {
  auto& names = Names();
  for (auto it = names.begin(); it != names.end();)  // drop names of dead objects
    it = it->second.expired() ? names.erase(it) : std::next(it);
  names[key] = object;
}

}  // namespace talix
