// LoadLibrary, GetModuleHandle, GetProcAddress and friends over the module table.
// A PE file loaded without a data-file flag is loaded as a data file: its code cannot
// run here, and resource-only modules are the PE files this platform meets.
#include "platform/kernel/module/elf_sections.h"
#include "platform/kernel/module/module_search.h"
#include "platform/kernel/module/module_table.h"
#include "platform/kernel/module/pe_resources.h"
#include "platform/kernel/path.h"

#include <win/module.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <cstring>

using namespace talix;

namespace {

constexpr DWORD kDataFileFlags =
    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;

// System modules whose functions this platform library itself provides.
bool IsSystemModuleName(std::string_view fileName) {
  static const char* const kNames[] = {"kernel32.dll", "user32.dll",   "gdi32.dll",   "advapi32.dll",
                                       "comctl32.dll", "shell32.dll",  "version.dll", "shlwapi.dll",
                                       "comdlg32.dll", "gdiplus.dll",  "msimg32.dll", "ole32.dll",
                                       "uxtheme.dll",  "ntdll.dll"};
  for (const char* name : kNames)
    if (fileName.size() == std::strlen(name) && strncasecmp(fileName.data(), name, fileName.size()) == 0)
      return true;
  return false;
}

HMODULE PlatformModule() {
  Dl_info info{};
  return dladdr(reinterpret_cast<const void*>(&LoadLibraryExW), &info) ? CodeModuleAt(info.dli_fbase)
                                                                         : nullptr;
}

// The first bytes of a file, enough to tell ELF from PE.
ByteView ReadHead(const std::string& path, BYTE (&buffer)[64]) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ByteView();
  ssize_t got = read(fd, buffer, sizeof buffer);
  close(fd);
  return got > 0 ? ByteView(buffer, static_cast<size_t>(got)) : ByteView();
}

HMODULE LoadDataFile(const std::string& path) {
  DWORD error = ERROR_SUCCESS;
  std::shared_ptr<Module> module = Module::OpenDataFile(path, &error);
  if (!module) {
    SetLastError(error);
    return nullptr;
  }
  return AddModuleReference(std::move(module));
}

HMODULE LoadCode(const std::string& path) {
  BYTE head[64];
  ByteView bytes = ReadHead(path, head);
  if (LooksLikePe(bytes)) return LoadDataFile(path);
  if (!LooksLikeElf(bytes)) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  void* dl = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!dl) {
    // A well-formed file that will not load lacks a dependency or a symbol.
    bool malformed = true;
    DWORD error = ERROR_BAD_EXE_FORMAT;
    if (auto mapping = FileMapping::Open(path, &error)) {
      FindElfSection(mapping->Bytes(), kResourceSectionName, &malformed);
      error = malformed ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND;
    }
    SetLastError(error);
    return nullptr;
  }
  return AddModuleReference(Module::WrapCode(dl, BaseOfDlHandle(dl), path));
}

HMODULE ModuleNamed(LPCWSTR name) {
  if (!name) return ExecutableModule();
  std::string host = WithDefaultExtension(WinPathToHost(name));
  if (IsSystemModuleName(host)) return PlatformModule();
  return host.empty() ? nullptr : LoadedCodeModuleNamed(host);
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) { return LoadLibraryExW(lpLibFileName, nullptr, 0); }

HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
  if (!lpLibFileName || !*lpLibFileName || hFile) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  bool asData = (dwFlags & kDataFileFlags) != 0;
  std::string host = WithDefaultExtension(WinPathToHost(lpLibFileName));
  if (!asData && IsSystemModuleName(host)) {
    HMODULE platform = PlatformModule();
    if (platform) AddReference(platform);
    return platform;
  }
  std::string path = FindModuleFile(lpLibFileName);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return asData ? LoadDataFile(path) : LoadCode(path);
}

BOOL FreeLibrary(HMODULE hLibModule) {
  if (!ReleaseModule(hLibModule)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
  }
  return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  std::shared_ptr<Module> module = FindModule(hModule);
  if (!module) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // Only names; and only what the module itself defines, not what dlsym finds in the
  // libraries it depends on.
  void* symbol = nullptr;
  Dl_info info{};
  if (!IS_INTRESOURCE(lpProcName) && module->DlHandle())
    symbol = dlsym(module->DlHandle(), lpProcName);
  if (!symbol || !dladdr(symbol, &info) || info.dli_fbase != module->Base()) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) {
  HMODULE found = ModuleNamed(lpModuleName);
  if (!found) SetLastError(ERROR_MOD_NOT_FOUND);
  return found;
}

BOOL GetModuleHandleExW(DWORD dwFlags, LPCWSTR lpModuleName, HMODULE* phModule) {
  const DWORD refFlags = GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!phModule || (dwFlags & refFlags) == refFlags) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *phModule = nullptr;
  HMODULE found = nullptr;
  if (dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) {
    Dl_info info{};
    if (dladdr(lpModuleName, &info)) found = CodeModuleAt(info.dli_fbase);
  } else {
    found = GetModuleHandleW(lpModuleName);
  }
  if (!found) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
  }
  if (dwFlags & GET_MODULE_HANDLE_EX_FLAG_PIN) PinModule(found);
  else if (!(dwFlags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT)) AddReference(found);
  *phModule = found;
  return TRUE;
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  std::shared_ptr<Module> module = FindModule(hModule);
  if (!module) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::u16string path = HostPathToWin(module->HostPath());
  if (path.size() < nSize) {
    std::memcpy(lpFilename, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
    return static_cast<DWORD>(path.size());
  }
  std::memcpy(lpFilename, path.data(), (nSize - 1) * sizeof(WCHAR));
  lpFilename[nSize - 1] = 0;
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return nSize;
}

BOOL DisableThreadLibraryCalls(HMODULE hLibModule) {
  // Modules get no thread notifications here, so there is nothing to turn off.
  if (!FindModule(hLibModule)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
