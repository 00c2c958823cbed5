#include "platform/kernel/module/module_table.h"

#include "platform/kernel/handle_table.h"
#include "platform/kernel/module/module_search.h"

#include <win/errors.h>
#include <win/base.h>

#include <dlfcn.h>
#include <link.h>
#include <strings.h>

#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

namespace talix {
namespace {

struct Table {
  Table() { InitResourceHandles(); }  // resource handles must outlive the modules
  std::mutex mutex;
  HandleTable<Module> modules{HandleKind::Module};
  std::unordered_map<std::string, uint32_t> byIdentity;
};

Table& Modules() {
  static Table table;
  return table;
}

const void* ExecutableBase() {
  static const void* base = [] {
    void* self = dlopen(nullptr, RTLD_NOW);
    const void* found = BaseOfDlHandle(self);
    dlclose(self);
    return found;
  }();
  return base;
}

std::string RealPath(const char* path) {
  char* resolved = realpath(path, nullptr);
  std::string result = resolved ? resolved : path;
  std::free(resolved);
  return result;
}

// Opens a module the system loader already holds, for a table entry of its own.
std::shared_ptr<Module> WrapLoaded(const void* base) {
  if (base == ExecutableBase())
    return Module::WrapCode(dlopen(nullptr, RTLD_NOW), base, ExecutablePath());
  Dl_info info{};
  if (!dladdr(base, &info) || info.dli_fbase != base || !info.dli_fname) return nullptr;
  void* dl = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (!dl) return nullptr;
  return Module::WrapCode(dl, base, RealPath(info.dli_fname));
}

std::vector<std::string> LoadedObjectPaths() {
  std::vector<std::string> paths;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        auto* list = static_cast<std::vector<std::string>*>(out);
        list->push_back(info->dlpi_name && *info->dlpi_name ? info->dlpi_name : "");
        return 0;
      },
      &paths);
  return paths;
}

}  // namespace

const void* BaseOfDlHandle(void* dl) {
  link_map* map = nullptr;
  Dl_info info{};
  if (!dl || dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map || !dladdr(map->l_ld, &info))
    return nullptr;
  return info.dli_fbase;
}

HMODULE AddModuleReference(std::shared_ptr<Module> module) {
  Table& table = Modules();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto known = table.byIdentity.find(module->Identity());
  if (known != table.byIdentity.end()) {
    if (auto existing = table.modules.Get(known->second)) {
      existing->references++;
      return HandleFromValue<HMODULE>(known->second);
    }
  }
  uint32_t value = table.modules.Add(module);
  if (!value) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  module->handle = value;
  module->references = 1;
  table.byIdentity[module->Identity()] = value;
  return HandleFromValue<HMODULE>(value);
}

HMODULE ExecutableModule() { return CodeModuleAt(ExecutableBase()); }

std::shared_ptr<Module> FindModule(HMODULE handle) {
  if (!handle) handle = ExecutableModule();
  return Modules().modules.Get(ValueOfHandle(handle));
}

HMODULE CodeModuleAt(const void* base) {
  if (!base) return nullptr;
  Table& table = Modules();
  {
    std::lock_guard<std::mutex> lock(table.mutex);
    auto known = table.byIdentity.find("code:" + std::to_string(reinterpret_cast<uintptr_t>(base)));
    if (known != table.byIdentity.end()) return HandleFromValue<HMODULE>(known->second);
  }
  // Loaded by the system loader (the executable, its libraries): never unloaded by
  // FreeLibrary, as with a module a program imports.
  std::shared_ptr<Module> module = WrapLoaded(base);
  if (!module) return nullptr;
  module->pinned = true;
  return AddModuleReference(std::move(module));
}

HMODULE LoadedCodeModuleNamed(std::string_view hostName) {
  bool withFolder = hostName.find('/') != std::string_view::npos;
  std::string wanted(hostName);
  for (const std::string& loaded : LoadedObjectPaths()) {
    std::string path = loaded.empty() ? ExecutablePath() : loaded;
    std::string compared = withFolder ? RealPath(path.c_str()) : std::string(FileNameOf(path));
    if (strcasecmp(compared.c_str(), wanted.c_str()) != 0) continue;
    if (loaded.empty()) return ExecutableModule();
    void* dl = dlopen(loaded.c_str(), RTLD_NOW | RTLD_NOLOAD);
    const void* base = BaseOfDlHandle(dl);
    if (dl) dlclose(dl);
    if (base) return CodeModuleAt(base);
  }
  return nullptr;
}

bool ReleaseModule(HMODULE handle) {
  Table& table = Modules();
  std::shared_ptr<Module> unloaded;  // dropped after the lock: dlclose runs destructors
  {
    std::lock_guard<std::mutex> lock(table.mutex);
    std::shared_ptr<Module> module = table.modules.Get(ValueOfHandle(handle));
    if (!module) return false;
    if (module->pinned || --module->references > 0) return true;
    unloaded = table.modules.Take(ValueOfHandle(handle));
    table.byIdentity.erase(module->Identity());
  }
  return true;
}

void PinModule(HMODULE handle) {
  Table& table = Modules();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (auto module = table.modules.Get(ValueOfHandle(handle))) module->pinned = true;
}

void AddReference(HMODULE handle) {
  Table& table = Modules();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (auto module = table.modules.Get(ValueOfHandle(handle))) module->references++;
}

}  // namespace talix
