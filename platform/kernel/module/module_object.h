// One loaded module: a code module (an ELF shared object opened with dlopen) or a data
// file (a file mapped read-only). Either carries a resource tree whose bytes live in the
// module's own memory, plus the resource handles and writable copies handed out for it.
#pragma once

#include "platform/kernel/module/byte_view.h"
#include "platform/kernel/module/resource_tree.h"

#include <win/types.h>

#include <sys/types.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace talix {

// A whole file mapped read-only.
class FileMapping {
 public:
  // Null with *error set (ERROR_MOD_NOT_FOUND, ERROR_ACCESS_DENIED, ...) on failure.
  static std::unique_ptr<FileMapping> Open(const std::string& hostPath, DWORD* error);
  ~FileMapping();
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;

  ByteView Bytes() const { return ByteView(static_cast<const BYTE*>(data_), size_); }
  dev_t Device() const { return device_; }
  ino_t Inode() const { return inode_; }

 private:
  FileMapping() = default;
  void* data_ = nullptr;
  size_t size_ = 0;
  dev_t device_ = 0;
  ino_t inode_ = 0;
};

enum class ModuleKind { Code, DataFile };

class Module {
 public:
  ~Module();

  // A data file: a PE module, an ELF file with a resource section, or a .res file.
  // Null with *error = ERROR_MOD_NOT_FOUND / ERROR_BAD_EXE_FORMAT / ... on failure.
  static std::shared_ptr<Module> OpenDataFile(const std::string& hostPath, DWORD* error);
  // Wraps an open dlopen handle (which the module then owns and closes).
  static std::shared_ptr<Module> WrapCode(void* dl, const void* base, std::string hostPath);

  ModuleKind Kind() const { return kind_; }
  const std::string& HostPath() const { return hostPath_; }
  void* DlHandle() const { return dl_; }
  const void* Base() const { return base_; }
  // A key that is equal for two loads of the same module.
  const std::string& Identity() const { return identity_; }
  const ResourceTree& Resources() const { return resources_; }

  // The handle for entry `index` of the resource tree, made on first use; it stays
  // valid for the life of the module.
  HRSRC ResourceHandle(const std::shared_ptr<Module>& self, size_t index);
  // A writable copy of entry `index`, made on first use, living as long as the module.
  void* WritableCopy(size_t index);

  // Reference counting by the module table (under its lock).
  uint32_t handle = 0;
  int references = 0;
  bool pinned = false;

 private:
  Module() = default;

  ModuleKind kind_ = ModuleKind::DataFile;
  std::string hostPath_;
  std::string identity_;
  void* dl_ = nullptr;
  const void* base_ = nullptr;
  std::unique_ptr<FileMapping> mapping_;
  ResourceTree resources_;

  std::mutex mutex_;
  std::vector<uint32_t> resourceHandles_;
  std::map<size_t, std::unique_ptr<BYTE[]>> writableCopies_;
};

// What a resource handle stands for.
struct ResourceRef {
  std::weak_ptr<Module> module;
  uint32_t moduleHandle = 0;
  size_t index = 0;
};

// Builds the resource handle table. The module table calls it first, so that the
// resource handles outlive the modules that release them at exit.
void InitResourceHandles();
// The resource handle table; null when the handle is not a live resource handle.
std::shared_ptr<ResourceRef> LookupResourceHandle(HRSRC handle);

}  // namespace talix
