// The registry tree: the root keys and the walks along key paths that the registry
// functions and the .reg file loader share.
#pragma once

#include "platform/kernel/registry/key_node.h"

#include <win/types.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace talix::registry {

enum class RootKey { LocalMachine, CurrentUser, Users, Count };

// Limits: 255 characters per key name, 512 levels below a root.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxKeyDepth = 512;

// The root key's name as the registry file writes it ("HKEY_LOCAL_MACHINE", ...).
TALIX_EXPORT std::u16string_view RootName(RootKey root);

// Splits "a\b\c" into its names. One trailing backslash is allowed ("a\b\"); a leading
// backslash or an empty name is ERROR_BAD_PATHNAME; a name that is too long or holds a
// line break is ERROR_INVALID_PARAMETER. An empty path gives no names.
TALIX_EXPORT LONG SplitKeyPath(std::u16string_view path, std::vector<std::u16string_view>* names);

// A change read from a .reg file. Set and delete of values apply to the key of the
// latest CreateKey.
struct RegEdit {
  enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = Kind::CreateKey;
  RootKey root = RootKey::LocalMachine;
  std::vector<std::u16string> path;  // keys: names below the root
  std::u16string valueName;          // values
  DWORD type = 0;
  std::vector<BYTE> data;
};

class TALIX_EXPORT RegistryTree {
 public:
  RegistryTree();

  const std::shared_ptr<KeyNode>& Root(RootKey root) const {
    return roots_[static_cast<size_t>(root)];
  }
  // The key at the names below base, or null.
  static std::shared_ptr<KeyNode> Find(const std::shared_ptr<KeyNode>& base,
                                       const std::vector<std::u16string_view>& names);
  // The key at the names below base, creating the missing ones. ERROR_SUCCESS,
  // ERROR_INVALID_PARAMETER (too deep) or ERROR_CHILD_MUST_BE_VOLATILE.
  static LONG Create(const std::shared_ptr<KeyNode>& base, const std::vector<std::u16string_view>& names,
                     bool isVolatile, std::shared_ptr<KeyNode>* key, bool* created);
  // Deletes a key with everything below it; a root key is emptied instead.
  static void DeleteTree(KeyNode* key);
  // Empties every root.
  void Clear();
  // Applies parsed edits in order. Edits from the parser are already checked, so this
  // cannot fail part-way.
  void Apply(const std::vector<RegEdit>& edits);

 private:
  std::array<std::shared_ptr<KeyNode>, static_cast<size_t>(RootKey::Count)> roots_;
};

// How many levels below its root a key is (0 for a root).
TALIX_EXPORT size_t KeyDepth(const KeyNode* key);

}  // namespace talix::registry
