#include "platform/kernel/registry/registry_store.h"

#include "platform/kernel/path.h"
#include "platform/kernel/registry/reg_file_io.h"
#include "platform/kernel/registry/reg_file_parser.h"
#include "platform/kernel/registry/reg_file_writer.h"
#include "platform/kernel/registry/reg_text.h"
#include "platform/kernel/utf.h"

#include <cstdio>
#include <cstdlib>

namespace talix::registry {
namespace {

constexpr uint32_t kFirstPredefined = 0x80000000u;  // HKEY_CLASSES_ROOT
constexpr uint32_t kClassesRoot = 0x80000000u;
constexpr uint32_t kCurrentUser = 0x80000001u;
constexpr uint32_t kLocalMachine = 0x80000002u;
constexpr uint32_t kUsers = 0x80000003u;
constexpr uint32_t kLastPredefined = 0x80000005u;  // HKEY_CURRENT_CONFIG

// The 32-bit value of a predefined key, sign-extended or not; 0 for other handles.
uint32_t PredefinedValue(HKEY key) {
  uint64_t value = ValueOfHandle(key);
  uint64_t high = value >> 32;
  auto low = static_cast<uint32_t>(value);
  if ((high != 0 && high != 0xFFFFFFFFu) || low < kFirstPredefined || low > kLastPredefined) return 0;
  return low;
}

}  // namespace

REGSAM MapKeyAccess(REGSAM desired) {
  REGSAM access = desired;
  if (desired & (MAXIMUM_ALLOWED | GENERIC_ALL)) access |= KEY_ALL_ACCESS;
  if (desired & GENERIC_READ) access |= KEY_READ;
  if (desired & GENERIC_WRITE) access |= KEY_WRITE;
  if (desired & GENERIC_EXECUTE) access |= KEY_EXECUTE;
  return access;
}

bool IsPredefinedKey(HKEY key) { return PredefinedValue(key) != 0; }

RegistryStore& RegistryStore::Instance() {
  static RegistryStore store;
  return store;
}

RegistryStore::RegistryStore() { LoadDefaultFile(); }

void RegistryStore::LoadDefaultFile() {
  const char* variable = std::getenv("TALIX_REGISTRY");
  if (!variable || !*variable) return;
  defaultPath_ = WinPathToHost(FromUtf8(variable));
  std::string bytes, error;
  ReadResult read = defaultPath_.empty() ? ReadResult::Failed : ReadWholeFile(defaultPath_, &bytes, &error);
  if (defaultPath_.empty()) error = std::string("TALIX_REGISTRY names no host file: ") + variable;
  if (read == ReadResult::Read) error = Merge(bytes);
  if (read == ReadResult::Missing || error.empty()) return;
  // No caller to report to at start-up: say it on the host's error stream.
  defaultUnreadable_ = true;
  std::fprintf(stderr, "talix: registry not loaded: %s%s\n",
               read == ReadResult::Read ? (defaultPath_ + ": ").c_str() : "", error.c_str());
}

LONG RegistryStore::Resolve(HKEY handle, REGSAM needed, std::shared_ptr<KeyNode>* key) {
  switch (PredefinedValue(handle)) {
    case kCurrentUser: *key = tree_.Root(RootKey::CurrentUser); return ERROR_SUCCESS;
    case kLocalMachine: *key = tree_.Root(RootKey::LocalMachine); return ERROR_SUCCESS;
    case kUsers: *key = tree_.Root(RootKey::Users); return ERROR_SUCCESS;
    case kClassesRoot: {
      bool created = false;
      return RegistryTree::Create(tree_.Root(RootKey::LocalMachine), {u"SOFTWARE", u"Classes"}, false, key,
                                  &created);
    }
    case 0: break;
    default: return ERROR_INVALID_HANDLE;  // performance and configuration keys
  }
  std::shared_ptr<OpenKey> open = handles_.Get(ValueOfHandle(handle));
  if (!open) return ERROR_INVALID_HANDLE;
  if (open->key->Deleted()) return ERROR_KEY_DELETED;
  if ((open->access & needed) != needed) return ERROR_ACCESS_DENIED;
  *key = open->key;
  return ERROR_SUCCESS;
}

HKEY RegistryStore::AddHandle(std::shared_ptr<KeyNode> key, REGSAM access) {
  uint32_t value = handles_.Add(std::make_shared<OpenKey>(OpenKey{std::move(key), access}));
  return value ? HandleFromValue<HKEY>(value) : nullptr;
}

std::string RegistryStore::Merge(std::string_view bytes) {
  std::vector<RegEdit> edits;
  RegFileError error;
  if (!ParseRegFile(bytes, &edits, &error)) return FormatRegFileError(error);
  std::lock_guard<std::mutex> lock(mutex_);
  tree_.Apply(edits);
  return "";
}

std::string RegistryStore::LoadFile(const std::string& hostPath) {
  std::string bytes, error;
  if (ReadWholeFile(hostPath, &bytes, &error) != ReadResult::Read) return error;
  error = Merge(bytes);
  if (!error.empty()) return hostPath + ": " + error;
  std::lock_guard<std::mutex> lock(mutex_);
  if (hostPath == defaultPath_) defaultUnreadable_ = false;
  return "";
}

SaveStatus RegistryStore::SaveLocked(const std::string& hostPath) {
  std::string message = WriteFileReplacing(hostPath, EncodeUtf16Le(ExportRegText(tree_)));
  return {static_cast<LONG>(message.empty() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED), message};
}

SaveStatus RegistryStore::SaveFile(const std::string& hostPath) {
  std::lock_guard<std::mutex> lock(mutex_);
  return SaveLocked(hostPath);
}

SaveStatus RegistryStore::Flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (defaultPath_.empty()) return {};
  if (defaultUnreadable_)
    return {ERROR_REGISTRY_CORRUPT, "not overwriting " + defaultPath_ + ": it could not be read at start-up"};
  return SaveLocked(defaultPath_);
}

void RegistryStore::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  tree_.Clear();
  defaultUnreadable_ = false;
}

std::string RegistryStore::Export() {
  std::lock_guard<std::mutex> lock(mutex_);
  return EncodeUtf16Le(ExportRegText(tree_));
}

}  // namespace talix::registry
