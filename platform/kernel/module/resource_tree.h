// The resource model shared by PE modules and compiled .res data: type -> name ->
// language -> bytes. Parsers fill a tree; lookups and enumeration read it. The bytes stay
// where the parser found them (a read-only mapping or a loaded section); the tree only
// points at them, so whoever owns that memory must outlive the tree.
#pragma once

#include <win/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace talix {

// A resource type or name: an integer identifier or a string.
struct TALIX_EXPORT ResourceKey {
  bool isId = true;
  WORD id = 0;
  std::u16string name;

  static ResourceKey Id(WORD id);
  static ResourceKey Name(std::u16string name);
  // From a parameter of the resource functions: MAKEINTRESOURCE(id), "#123" or a name.
  static ResourceKey FromParam(LPCWSTR param);
  // Identifiers compare equal; names compare ignoring ASCII case, as names are matched
  // in upper case.
  bool Matches(const ResourceKey& other) const;
  // The form handed to enumeration callbacks: MAKEINTRESOURCE(id) or the name.
  LPWSTR AsParam() const;
};

struct ResourceData {
  WORD language = 0;
  const BYTE* bytes = nullptr;
  DWORD size = 0;
  size_t index = 0;  // position among all entries of the tree, set by Finish()
};

struct ResourceNameNode {
  ResourceKey key;
  std::vector<ResourceData> languages;
};

struct ResourceTypeNode {
  ResourceKey key;
  std::vector<ResourceNameNode> names;
};

class TALIX_EXPORT ResourceTree {
 public:
  ResourceTree() = default;
  // Entries point into the node vectors, so a tree moves but never copies.
  ResourceTree(ResourceTree&&) = default;
  ResourceTree& operator=(ResourceTree&&) = default;
  ResourceTree(const ResourceTree&) = delete;
  ResourceTree& operator=(const ResourceTree&) = delete;

  // Adds one resource; a repeated (type, name, language) keeps the first.
  void Add(const ResourceKey& type, const ResourceKey& name, const ResourceData& data);
  // Sorts as a linker lays out a resource directory (names first, by name; then
  // identifiers ascending) and numbers the entries.
  void SortAndFinish();
  // Numbers the entries, keeping the order they were added in.
  void Finish();

  const std::vector<ResourceTypeNode>& Types() const { return types_; }
  size_t EntryCount() const { return entries_.size(); }
  const ResourceData* Entry(size_t index) const;
  bool Empty() const { return types_.empty(); }

  const ResourceTypeNode* FindType(const ResourceKey& type) const;
  const ResourceNameNode* FindName(const ResourceKey& type, const ResourceKey& name) const;
  // The language chosen for a request: the exact language, its primary language with
  // the neutral sublanguage, the neutral language, the user default (English, United
  // States), then the first one there is.
  static const ResourceData* ChooseLanguage(const ResourceNameNode& node, WORD language);

 private:
  std::vector<ResourceTypeNode> types_;
  std::vector<const ResourceData*> entries_;
};

}  // namespace talix
