// The library's own module, its folder and bounded path building.
#include "frame/LibraryModule.h"

#include <string>

namespace talix::frame {
namespace {

std::u16string& FolderOverride() {
  static std::u16string folder;
  return folder;
}

}  // namespace

HMODULE LibraryModule() {
  static HMODULE self = [] {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LibraryModule), &module);
    return module;
  }();
  return self;
}

bool LibraryFolder(WCHAR* folder, size_t size) {
  if (!folder || size == 0) return false;
  folder[0] = 0;
  const std::u16string& forced = FolderOverride();
  if (!forced.empty()) {
    if (forced.size() >= size) return false;
    forced.copy(folder, forced.size());
    folder[forced.size()] = 0;
    return true;
  }
  DWORD length = GetModuleFileNameW(LibraryModule(), folder, static_cast<DWORD>(size));
  // A name that fills the buffer was cut short: it must not be taken for the real one.
  if (length == 0 || length >= size) {
    folder[0] = 0;
    return false;
  }
  WCHAR* slash = wcsrchr(folder, u'\\');
  if (!slash) {
    folder[0] = 0;
    return false;
  }
  *slash = 0;
  return true;
}

void SetLibraryFolderOverride(const WCHAR* folder) { FolderOverride() = folder ? folder : u""; }

bool AppendParts(WCHAR* out, size_t size, std::initializer_list<const WCHAR*> parts) {
  size_t length = wcslen(out);
  for (const WCHAR* part : parts) {
    size_t add = wcslen(part);
    if (length + add >= size) {
      out[0] = 0;
      return false;
    }
    wcscpy(out + length, part);
    length += add;
  }
  return true;
}

}  // namespace talix::frame
