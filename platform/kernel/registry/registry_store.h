// The process's registry: the tree, the one mutex that guards it, the table of open key
// handles, and the file it is loaded from and saved to.
#pragma once

#include "platform/kernel/handle_table.h"
#include "platform/kernel/registry/registry_tree.h"

#include <win/registry.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace talix::registry {

// What an open key handle refers to.
struct OpenKey {
  std::shared_ptr<KeyNode> key;
  REGSAM access;
};

// Generic and maximum rights turned into key rights.
REGSAM MapKeyAccess(REGSAM desired);
bool IsPredefinedKey(HKEY key);

struct SaveStatus {
  LONG status = ERROR_SUCCESS;
  std::string message;  // "" on success
};

class TALIX_EXPORT RegistryStore {
 public:
  // The registry, loaded from TALIX_REGISTRY at the first call.
  static RegistryStore& Instance();

  std::mutex& Mutex() { return mutex_; }
  RegistryTree& Tree() { return tree_; }
  HandleTable<OpenKey>& Handles() { return handles_; }

  // With the mutex held: the key behind a predefined or open handle. ERROR_INVALID_HANDLE,
  // ERROR_KEY_DELETED, or ERROR_ACCESS_DENIED when the handle lacks a needed right.
  LONG Resolve(HKEY handle, REGSAM needed, std::shared_ptr<KeyNode>* key);
  // A new handle for a key; null when the table is full.
  HKEY AddHandle(std::shared_ptr<KeyNode> key, REGSAM access);

  // Parses the bytes of a .reg file and applies them; "" or the error, changing nothing.
  std::string Merge(std::string_view bytes);
  std::string LoadFile(const std::string& hostPath);
  SaveStatus SaveFile(const std::string& hostPath);
  SaveStatus Flush();
  void Reset();
  std::string Export();

 private:
  RegistryStore();
  void LoadDefaultFile();
  SaveStatus SaveLocked(const std::string& hostPath);

  std::mutex mutex_;
  RegistryTree tree_;
  HandleTable<OpenKey> handles_{HandleKind::RegistryKey};
  std::string defaultPath_;        // from TALIX_REGISTRY; "" when unset
  bool defaultUnreadable_ = false;  // it exists but could not be read: do not overwrite
};

// The registry mutex held for the life of the object, with a handle's key resolved.
class LockedKey {
 public:
  LockedKey(HKEY handle, REGSAM needed)
      : store_(RegistryStore::Instance()), lock_(store_.Mutex()), status_(store_.Resolve(handle, needed, &key_)) {}

  LONG Status() const { return status_; }
  const std::shared_ptr<KeyNode>& Key() const { return key_; }
  KeyNode* operator->() const { return key_.get(); }
  RegistryStore& Store() const { return store_; }

 private:
  RegistryStore& store_;
  std::lock_guard<std::mutex> lock_;
  std::shared_ptr<KeyNode> key_;
  LONG status_;
};

}  // namespace talix::registry
