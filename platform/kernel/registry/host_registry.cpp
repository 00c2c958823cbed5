// The host's side of the registry: seeding, reset, loading and saving.
#include <talix/host_registry.h>

#include "platform/kernel/path.h"
#include "platform/kernel/registry/registry_store.h"
#include "platform/kernel/utf.h"

namespace talix::host {
namespace {

registry::RegistryStore& Store() { return registry::RegistryStore::Instance(); }

std::string HostPath(std::string_view path) { return WinPathToHost(FromUtf8(path)); }

}  // namespace

std::string SeedRegistry(std::string_view regFileBytes) { return Store().Merge(regFileBytes); }

void ResetRegistry() { Store().Reset(); }

std::string LoadRegistryFile(std::string_view path) {
  std::string hostPath = HostPath(path);
  if (hostPath.empty()) return std::string(path) + ": not a host path";
  return Store().LoadFile(hostPath);
}

std::string FlushRegistry() { return Store().Flush().message; }

std::string SaveRegistryFile(std::string_view path) {
  std::string hostPath = HostPath(path);
  if (hostPath.empty()) return std::string(path) + ": not a host path";
  return Store().SaveFile(hostPath).message;
}

std::string ExportRegistry() { return Store().Export(); }

}  // namespace talix::host
