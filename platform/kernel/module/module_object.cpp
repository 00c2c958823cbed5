#include "platform/kernel/module/module_object.h"

#include "platform/kernel/handle_table.h"
#include "platform/kernel/module/elf_sections.h"
#include "platform/kernel/module/embedded_resources.h"
#include "platform/kernel/module/pe_resources.h"
#include "platform/kernel/module/res_file.h"

#include <win/errors.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace talix {
namespace {

HandleTable<ResourceRef>& ResourceHandles() {
  static HandleTable<ResourceRef> table(HandleKind::Resource);
  return table;
}

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case EACCES: case EPERM: return ERROR_ACCESS_DENIED;
    case EISDIR: return ERROR_BAD_EXE_FORMAT;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_MOD_NOT_FOUND;
  }
}

// Resources of a data file, whichever of the three forms it has.
DWORD ReadFileResources(ByteView file, ResourceTree* tree) {
  if (LooksLikePe(file)) return ReadPeResources(file, tree);
  if (LooksLikeResFile(file)) {
    ReadResFile(file, tree);
    return ERROR_SUCCESS;
  }
  if (LooksLikeElf(file)) {
    bool malformed;
    ByteView section = FindElfSection(file, kResourceSectionName, &malformed);
    if (malformed) return ERROR_BAD_EXE_FORMAT;
    ReadResFile(section, tree);  // a damaged section loses only what follows the damage
    return ERROR_SUCCESS;
  }
  return ERROR_BAD_EXE_FORMAT;
}

}  // namespace

std::unique_ptr<FileMapping> FileMapping::Open(const std::string& hostPath, DWORD* error) {
  int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = ErrorFromErrno(errno);
    return nullptr;
  }
  struct stat info;
  std::unique_ptr<FileMapping> mapping(new FileMapping());
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    *error = ERROR_BAD_EXE_FORMAT;
  } else if (info.st_size == 0) {
    *error = ERROR_BAD_EXE_FORMAT;
  } else {
    void* data = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED) {
      *error = ErrorFromErrno(errno);
    } else {
      mapping->data_ = data;
      mapping->size_ = static_cast<size_t>(info.st_size);
      mapping->device_ = info.st_dev;
      mapping->inode_ = info.st_ino;
    }
  }
  close(fd);
  return mapping->data_ ? std::move(mapping) : nullptr;
}

FileMapping::~FileMapping() {
  if (data_) munmap(data_, size_);
}

std::shared_ptr<Module> Module::OpenDataFile(const std::string& hostPath, DWORD* error) {
  std::unique_ptr<FileMapping> mapping = FileMapping::Open(hostPath, error);
  if (!mapping) return nullptr;
  std::shared_ptr<Module> module(new Module());
  *error = ReadFileResources(mapping->Bytes(), &module->resources_);
  if (*error != ERROR_SUCCESS) return nullptr;
  module->kind_ = ModuleKind::DataFile;
  module->hostPath_ = hostPath;
  module->identity_ = "data:" + std::to_string(mapping->Device()) + ":" +
                      std::to_string(mapping->Inode());
  module->mapping_ = std::move(mapping);
  return module;
}

std::shared_ptr<Module> Module::WrapCode(void* dl, const void* base, std::string hostPath) {
  std::shared_ptr<Module> module(new Module());
  module->kind_ = ModuleKind::Code;
  module->dl_ = dl;
  module->base_ = base;
  module->hostPath_ = std::move(hostPath);
  module->identity_ = "code:" + std::to_string(reinterpret_cast<uintptr_t>(base));
  ReadResFile(EmbeddedResourcesOf(base), &module->resources_);
  return module;
}

Module::~Module() {
  for (uint32_t value : resourceHandles_)
    if (value) ResourceHandles().Take(value);
  if (dl_) dlclose(dl_);
}

HRSRC Module::ResourceHandle(const std::shared_ptr<Module>& self, size_t index) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index >= resources_.EntryCount()) return nullptr;
  if (resourceHandles_.size() < resources_.EntryCount())
    resourceHandles_.resize(resources_.EntryCount());
  uint32_t& value = resourceHandles_[index];
  if (!value) value = ResourceHandles().Add(std::make_shared<ResourceRef>(ResourceRef{self, handle, index}));
  return HandleFromValue<HRSRC>(value);
}

void* Module::WritableCopy(size_t index) {
  const ResourceData* data = resources_.Entry(index);
  if (!data) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  std::unique_ptr<BYTE[]>& copy = writableCopies_[index];
  if (!copy) {
    copy.reset(new BYTE[data->size ? data->size : 1]);
    if (data->size) std::memcpy(copy.get(), data->bytes, data->size);
  }
  return copy.get();
}

void InitResourceHandles() { ResourceHandles(); }

std::shared_ptr<ResourceRef> LookupResourceHandle(HRSRC handle) {
  return ResourceHandles().Get(ValueOfHandle(handle));
}

}  // namespace talix
