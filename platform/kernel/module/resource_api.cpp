// Finding, loading and enumerating resources of a module, and string tables.
// Resource memory is the module's own read-only memory; LoadResource hands out a pointer
// to it (LockResource returns it unchanged), valid while the module stays loaded.
#include "platform/kernel/handle_table.h"
#include "platform/kernel/module/module_table.h"
#include "platform/kernel/module/string_table.h"

#include <talix/host_modules.h>
#include <win/module.h>

#include <cstring>

using namespace talix;

namespace {

// The module of a resource call (NULL = the executable) with resources to look in.
std::shared_ptr<Module> ModuleWithResources(HMODULE handle) {
  std::shared_ptr<Module> module = FindModule(handle);
  if (!module) SetLastError(ERROR_MOD_NOT_FOUND);
  else if (module->Resources().Empty()) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  else return module;
  return nullptr;
}

// The resource a handle stands for, provided it belongs to `handle`'s module.
const ResourceData* ResolveResource(HMODULE handle, HRSRC resource, std::shared_ptr<Module>* owner) {
  std::shared_ptr<ResourceRef> ref = LookupResourceHandle(resource);
  std::shared_ptr<Module> module = ref ? ref->module.lock() : nullptr;
  if (!module || (handle && ValueOfHandle(handle) != ref->moduleHandle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  *owner = module;
  return module->Resources().Entry(ref->index);
}

}  // namespace

HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
  return FindResourceExW(hModule, lpType, lpName, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

HRSRC FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage) {
  if (!lpType || !lpName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::shared_ptr<Module> module = ModuleWithResources(hModule);
  if (!module) return nullptr;
  const ResourceTree& tree = module->Resources();
  ResourceKey type = ResourceKey::FromParam(lpType);
  const ResourceNameNode* name = tree.FindName(type, ResourceKey::FromParam(lpName));
  if (!name) {
    SetLastError(tree.FindType(type) ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  const ResourceData* data = ResourceTree::ChooseLanguage(*name, wLanguage);
  if (!data) {
    SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
    return nullptr;
  }
  return module->ResourceHandle(module, data->index);
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
  std::shared_ptr<Module> owner;
  const ResourceData* data = ResolveResource(hModule, hResInfo, &owner);
  return data ? const_cast<BYTE*>(data->bytes) : nullptr;
}

LPVOID LockResource(HGLOBAL hResData) { return hResData; }

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  std::shared_ptr<Module> owner;
  const ResourceData* data = ResolveResource(hModule, hResInfo, &owner);
  return data ? data->size : 0;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }  // resources are freed with their module

BOOL EnumResourceTypesW(HMODULE hModule, ENUMRESTYPEPROCW lpEnumFunc, LONG_PTR lParam) {
  std::shared_ptr<Module> module = ModuleWithResources(hModule);
  if (!module || !lpEnumFunc) return FALSE;
  for (const ResourceTypeNode& type : module->Resources().Types()) {
    if (!lpEnumFunc(hModule, type.key.AsParam(), lParam)) {
      SetLastError(ERROR_RESOURCE_ENUM_USER_STOP);
      return FALSE;
    }
  }
  return TRUE;
}

BOOL EnumResourceNamesW(HMODULE hModule, LPCWSTR lpType, ENUMRESNAMEPROCW lpEnumFunc, LONG_PTR lParam) {
  std::shared_ptr<Module> module = ModuleWithResources(hModule);
  if (!module || !lpEnumFunc || !lpType) return FALSE;
  const ResourceTypeNode* type = module->Resources().FindType(ResourceKey::FromParam(lpType));
  if (!type) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  for (const ResourceNameNode& name : type->names) {
    if (!lpEnumFunc(hModule, lpType, name.key.AsParam(), lParam)) {
      SetLastError(ERROR_RESOURCE_ENUM_USER_STOP);
      return FALSE;
    }
  }
  return TRUE;
}

BOOL EnumResourceLanguagesW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName,
                            ENUMRESLANGPROCW lpEnumFunc, LONG_PTR lParam) {
  std::shared_ptr<Module> module = ModuleWithResources(hModule);
  if (!module || !lpEnumFunc || !lpType || !lpName) return FALSE;
  const ResourceNameNode* name =
      module->Resources().FindName(ResourceKey::FromParam(lpType), ResourceKey::FromParam(lpName));
  if (!name) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return FALSE;
  }
  for (const ResourceData& data : name->languages) {
    if (!lpEnumFunc(hModule, lpType, lpName, data.language, lParam)) {
      SetLastError(ERROR_RESOURCE_ENUM_USER_STOP);
      return FALSE;
    }
  }
  return TRUE;
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
  if (!lpBuffer || cchBufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const WCHAR* text = nullptr;
  WORD length = 0;
  HRSRC block = FindResourceExW(hInstance, RT_STRING, MAKEINTRESOURCEW(StringBlockOf(uID)), LANG_NEUTRAL);
  std::shared_ptr<Module> owner;
  const ResourceData* data = block ? ResolveResource(hInstance, block, &owner) : nullptr;
  bool found = data && FindStringInBlock(ByteView(data->bytes, data->size), uID, &text, &length);
  if (!found) {
    if (data) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (cchBufferMax > 0) lpBuffer[0] = 0;
    return 0;
  }
  if (cchBufferMax == 0) {  // a read-only pointer to the string itself, not terminated
    std::memcpy(lpBuffer, &text, sizeof text);
    return length;
  }
  int copied = length < cchBufferMax ? length : cchBufferMax - 1;
  std::memcpy(lpBuffer, text, static_cast<size_t>(copied) * sizeof(WCHAR));
  lpBuffer[copied] = 0;
  return copied;
}

namespace talix::host {

void* WritableResourceCopy(HMODULE module, HRSRC resource) {
  std::shared_ptr<Module> owner;
  const ResourceData* data = ResolveResource(module, resource, &owner);
  return data ? owner->WritableCopy(data->index) : nullptr;
}

}  // namespace talix::host
