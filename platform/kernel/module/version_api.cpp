// GetFileVersionInfo* and VerQueryValueW: the version resource read from the file itself,
// whether or not it is loaded, and the walk of the copied block.
#include "platform/kernel/module/module_object.h"
#include "platform/kernel/module/module_search.h"
#include "platform/kernel/module/version_info.h"

#include <win/module.h>

#include <algorithm>
#include <cstring>

namespace talix {
namespace {

// The version resource of a file, read from the file whether or not it is loaded.
std::shared_ptr<Module> OpenForVersion(LPCWSTR fileName, const ResourceData** version) {
  std::string path = fileName ? FindModuleFile(fileName, false) : std::string();
  if (path.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  DWORD error = ERROR_SUCCESS;
  std::shared_ptr<Module> module = Module::OpenDataFile(path, &error);
  if (!module) {
    SetLastError(error);
    return nullptr;
  }
  const ResourceTypeNode* type = module->Resources().FindType(ResourceKey::Id(16));
  *version = type && !type->names.empty()
                 ? ResourceTree::ChooseLanguage(type->names.front(), LANG_NEUTRAL)
                 : nullptr;
  if (!*version) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  return module;
}

}  // namespace
}  // namespace talix

using namespace talix;

DWORD GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle) {
  if (lpdwHandle) *lpdwHandle = 0;
  const ResourceData* version = nullptr;
  return OpenForVersion(lptstrFilename, &version) ? version->size : 0;
}

BOOL GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
  if (!lpData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const ResourceData* version = nullptr;
  std::shared_ptr<Module> module = OpenForVersion(lptstrFilename, &version);
  if (!module) return FALSE;
  // A short buffer gets the beginning of the block; its root length is cut to match so
  // that VerQueryValueW stays inside the copy.
  DWORD copied = std::min(dwLen, version->size);
  std::memcpy(lpData, version->bytes, copied);
  uint16_t rootLength;
  if (copied >= 2 && (std::memcpy(&rootLength, lpData, 2), rootLength > copied)) {
    rootLength = static_cast<uint16_t>(copied);
    std::memcpy(lpData, &rootLength, 2);
  }
  return TRUE;
}

BOOL VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen) {
  if (puLen) *puLen = 0;
  if (!pBlock || !lpSubBlock || !lplpBuffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint16_t rootLength;
  std::memcpy(&rootLength, pBlock, 2);
  const BYTE* value = nullptr;
  UINT length = 0;
  if (!QueryVersionValue(ByteView(static_cast<const BYTE*>(pBlock), rootLength), lpSubBlock, &value,
                         &length)) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  *lplpBuffer = const_cast<BYTE*>(value);
  if (puLen) *puLen = length;
  return TRUE;
}
