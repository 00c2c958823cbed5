// KvnInitializeWER and its unhandled-exception handler.
#include "frame/CrashReport.h"

#include "frame/KVNLReader.h"
#include "frame/LibraryModule.h"
#include "frame/RegistryText.h"

#include <memory>

namespace talix::frame {
namespace {

// The maker name, read once from KVNL.dll beside the library; empty until then.
WCHAR g_maker[MAX_PATH];
// Written only inside the handler.
WCHAR g_reportModulePath[MAX_PATH];

const WCHAR* Maker() {
  if (g_maker[0]) return g_maker;
  CKVNL2InfoReader reader;
  if (reader.ReadKVNL(nullptr) != 0) return nullptr;
  const WCHAR* name = reader.GetUIManufacturer();
  // A name that does not fit counts as absent.
  if (!name || wcslen(name) >= MAX_PATH) return nullptr;
  wcscpy(g_maker, name);
  return g_maker;
}

// The first three dot-separated parts of the build number; false when fewer exist.
bool ParseBuildNumber(WCHAR* text, int parts[3]) {
  WCHAR* context = nullptr;
  WCHAR* token = wcstok(text, u".", &context);
  for (int i = 0; i < 3; ++i) {
    if (!token) return false;
    parts[i] = _wtoi(token);
    token = wcstok(nullptr, u".", &context);
  }
  return true;
}

// The second component of the library's file version; -1 when it cannot be read.
int LibraryMinorVersion() {
  WCHAR path[MAX_PATH];
  DWORD length = GetModuleFileNameW(LibraryModule(), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return -1;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return -1;
  std::unique_ptr<BYTE[]> block(new BYTE[size]);
  if (!GetFileVersionInfoW(path, 0, size, block.get())) return -1;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!VerQueryValueW(block.get(), u"\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
      infoSize < sizeof(VS_FIXEDFILEINFO))
    return -1;
  return LOWORD(info->dwFileVersionMS);
}

}  // namespace

BOOL ReadBuildNumber(WCHAR* buffer, DWORD bytes) {
  size_t size = bytes / sizeof(WCHAR);
  if (!buffer || size == 0) return FALSE;
  buffer[0] = 0;
  const WCHAR* maker = Maker();
  if (!maker) return FALSE;
  WCHAR keyName[MAX_PATH];
  if (swprintf(keyName, MAX_PATH, u"SOFTWARE\\%s", maker) < 0) return FALSE;
  return ReadRegistryText(HKEY_LOCAL_MACHINE, keyName, KEY_QUERY_VALUE, u"KelvaneBuildNumber", buffer, size,
                          false);
}

LONG ReportUnhandledException(EXCEPTION_POINTERS* pointers) {
  static const WCHAR kComponent[] = u"\\System32\\FaultRep.dll";
  const UINT room = MAX_PATH - 1 - (sizeof(kComponent) / sizeof(WCHAR) - 1);  // 237
  UINT length = GetSystemWindowsDirectoryW(g_reportModulePath, MAX_PATH);
  if (length == 0 || length > room) return EXCEPTION_CONTINUE_SEARCH;
  wcscpy(g_reportModulePath + length, kComponent);
  HMODULE component = LoadLibraryW(g_reportModulePath);
  if (!component) return EXCEPTION_CONTINUE_SEARCH;
  using ReportFaultFn = int (*)(EXCEPTION_POINTERS*, DWORD);
  FARPROC address = GetProcAddress(component, "ReportFault");
  if (!address) {
    FreeLibrary(component);
    return EXCEPTION_CONTINUE_SEARCH;
  }
  reinterpret_cast<ReportFaultFn>(reinterpret_cast<void (*)()>(address))(pointers, 0);
  FreeLibrary(component);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace talix::frame

int KvnInitializeWER() {
  WCHAR buildNumber[MAX_PATH];
  int parts[3];
  if (talix::frame::ReadBuildNumber(buildNumber, sizeof(buildNumber)) &&
      talix::frame::ParseBuildNumber(buildNumber, parts) && parts[0] > 0)
    return 0;
  if (talix::frame::LibraryMinorVersion() <= 0) return 0;
  SetUnhandledExceptionFilter(&talix::frame::ReportUnhandledException);
  return 1;
}
