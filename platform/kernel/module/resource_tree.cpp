#include "platform/kernel/module/resource_tree.h"

#include <win/module.h>

#include <algorithm>

namespace talix {
namespace {

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? c - u'a' + u'A' : c; }

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

// Linker order: names before identifiers, names by upper-case code units.
bool KeyLess(const ResourceKey& a, const ResourceKey& b) {
  if (a.isId != b.isId) return !a.isId;
  if (a.isId) return a.id < b.id;
  size_t n = std::min(a.name.size(), b.name.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = UpperAscii(a.name[i]), y = UpperAscii(b.name[i]);
    if (x != y) return x < y;
  }
  return a.name.size() < b.name.size();
}

// Parsers add resources grouped by type and name, so the last node is tried first.
template <typename Nodes>
auto FindNode(Nodes& nodes, const ResourceKey& key) -> decltype(&nodes.back()) {
  if (!nodes.empty() && nodes.back().key.Matches(key)) return &nodes.back();
  for (auto& node : nodes)
    if (node.key.Matches(key)) return &node;
  return nullptr;
}

}  // namespace

ResourceKey ResourceKey::Id(WORD id) {
  ResourceKey key;
  key.id = id;
  return key;
}

ResourceKey ResourceKey::Name(std::u16string name) {
  ResourceKey key;
  key.isId = false;
  key.name = std::move(name);
  return key;
}

ResourceKey ResourceKey::FromParam(LPCWSTR param) {
  if (IS_INTRESOURCE(param)) return Id(LOWORD(param));
  std::u16string_view text(param);
  if (text.size() > 1 && text[0] == u'#') {
    uint32_t value = 0;
    bool digits = text.size() <= 6;
    for (char16_t c : text.substr(1)) {
      if (c < u'0' || c > u'9') digits = false;
      value = value * 10 + (c - u'0');
    }
    if (digits && value <= 0xFFFF) return Id(static_cast<WORD>(value));
  }
  return Name(std::u16string(text));
}

bool ResourceKey::Matches(const ResourceKey& other) const {
  if (isId != other.isId) return false;
  return isId ? id == other.id : EqualIgnoringCase(name, other.name);
}

LPWSTR ResourceKey::AsParam() const {
  return isId ? MAKEINTRESOURCEW(id) : const_cast<LPWSTR>(name.c_str());
}

void ResourceTree::Add(const ResourceKey& type, const ResourceKey& name,
                       const ResourceData& data) {
  ResourceTypeNode* typeNode = FindNode(types_, type);
  if (!typeNode) typeNode = &types_.emplace_back(ResourceTypeNode{type, {}});
  ResourceNameNode* nameNode = FindNode(typeNode->names, name);
  if (!nameNode) nameNode = &typeNode->names.emplace_back(ResourceNameNode{name, {}});
  for (const ResourceData& existing : nameNode->languages)
    if (existing.language == data.language) return;
  nameNode->languages.push_back(data);
}

void ResourceTree::SortAndFinish() {
  auto byKey = [](const auto& a, const auto& b) { return KeyLess(a.key, b.key); };
  std::stable_sort(types_.begin(), types_.end(), byKey);
  for (ResourceTypeNode& type : types_) {
    std::stable_sort(type.names.begin(), type.names.end(), byKey);
    for (ResourceNameNode& name : type.names)
      std::stable_sort(name.languages.begin(), name.languages.end(),
                       [](const ResourceData& a, const ResourceData& b) {
                         return a.language < b.language;
                       });
  }
  Finish();
}

void ResourceTree::Finish() {
  entries_.clear();
  for (ResourceTypeNode& type : types_)
    for (ResourceNameNode& name : type.names)
      for (ResourceData& data : name.languages) {
        data.index = entries_.size();
        entries_.push_back(&data);
      }
}

const ResourceData* ResourceTree::Entry(size_t index) const {
  return index < entries_.size() ? entries_[index] : nullptr;
}

const ResourceTypeNode* ResourceTree::FindType(const ResourceKey& type) const {
  return FindNode(types_, type);
}

const ResourceNameNode* ResourceTree::FindName(const ResourceKey& type,
                                               const ResourceKey& name) const {
  const ResourceTypeNode* typeNode = FindType(type);
  return typeNode ? FindNode(typeNode->names, name) : nullptr;
}

const ResourceData* ResourceTree::ChooseLanguage(const ResourceNameNode& node, WORD language) {
  const WORD userDefault = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const WORD order[] = {language, static_cast<WORD>(MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL)),
                        LANG_NEUTRAL, userDefault,
                        static_cast<WORD>(MAKELANGID(PRIMARYLANGID(userDefault), SUBLANG_NEUTRAL))};
  for (WORD wanted : order)
    for (const ResourceData& data : node.languages)
      if (data.language == wanted) return &data;
  return node.languages.empty() ? nullptr : &node.languages.front();
}

}  // namespace talix
