// One key of the registry tree: its name, its subkeys kept sorted by upper-cased name
// (the enumeration order), its values kept in the order they were first set.
//
// Not thread-safe: the registry's single mutex guards every node.
#pragma once

#include <win/types.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace talix::registry {

struct RegValue {
  std::u16string name;
  DWORD type = 0;
  std::vector<BYTE> data;
};

class TALIX_EXPORT KeyNode {
 public:
  KeyNode(std::u16string name, KeyNode* parent, bool isVolatile);
  KeyNode(const KeyNode&) = delete;
  KeyNode& operator=(const KeyNode&) = delete;

  const std::u16string& Name() const { return name_; }
  KeyNode* Parent() const { return parent_; }
  bool Deleted() const { return deleted_; }
  bool Volatile() const { return volatile_; }
  uint64_t LastWriteTime() const { return lastWrite_; }  // FILETIME units

  size_t SubkeyCount() const { return children_.size(); }
  const std::shared_ptr<KeyNode>& Subkey(size_t index) const { return children_[index]; }
  std::shared_ptr<KeyNode> FindSubkey(std::u16string_view name) const;
  // Adds a subkey; the caller has checked that none of that name exists.
  std::shared_ptr<KeyNode> AddSubkey(std::u16string_view name, bool isVolatile);
  // Detaches a subkey and marks it and everything below it deleted.
  void DeleteSubkey(const KeyNode* child);
  void DeleteAllSubkeys();

  size_t ValueCount() const { return values_.size(); }
  const RegValue& Value(size_t index) const { return values_[index]; }
  const RegValue* FindValue(std::u16string_view name) const;
  // Replaces the type and data of an existing value (keeping the case of its name) or
  // appends a new one.
  void SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data);
  bool DeleteValue(std::u16string_view name);
  void ClearValues();

 private:
  size_t LowerBound(const std::u16string& folded) const;
  void MarkDeletedBelow();
  void Touch();

  std::u16string name_;
  std::u16string folded_;
  KeyNode* parent_;  // null for roots and for deleted keys
  bool volatile_;
  bool deleted_ = false;
  uint64_t lastWrite_ = 0;
  std::vector<std::shared_ptr<KeyNode>> children_;
  std::vector<RegValue> values_;
  std::unordered_map<std::u16string, size_t> valueIndex_;  // folded name -> index
};

}  // namespace talix::registry
