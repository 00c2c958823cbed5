// The registry: an in-process tree of keys and typed values under the predefined root
// keys, loaded from and saved to a ".reg" file (see talix/host_registry.h).
//
// Functions return Windows status codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ...) and do
// not touch the thread's last error.
//
// Limits of this implementation:
// - HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\SOFTWARE\Classes (no per-user merge);
//   HKEY_CURRENT_CONFIG and the performance keys are not provided (ERROR_INVALID_HANDLE).
// - Key and value names are compared ignoring case with a simple upper-case mapping
//   (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic, full-width Latin); other
//   letters compare exactly.
// - Names containing a line break are refused (ERROR_INVALID_PARAMETER): the registry
//   file is line-based and could not keep them.
// - No security descriptors, classes, links, notifications or WOW64 views. Access rights
//   requested at open are checked for the value and enumeration functions only.
#pragma once

#include <win/base.h>

typedef LONG LSTATUS;
typedef DWORD REGSAM;
typedef REGSAM* PREGSAM;

// Predefined keys: the documented 32-bit values, sign-extended as on 64-bit Windows.
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))
#define HKEY_PERFORMANCE_DATA ((HKEY)(ULONG_PTR)((LONG)0x80000004))
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)((LONG)0x80000005))

// Value types. Any other type number is kept as raw bytes.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_RESOURCE_LIST 8
#define REG_FULL_RESOURCE_DESCRIPTOR 9
#define REG_RESOURCE_REQUIREMENTS_LIST 10
#define REG_QWORD 11
#define REG_QWORD_LITTLE_ENDIAN 11

// Access rights. The standard and generic rights are shared with other areas' headers,
// hence the guards.
#ifndef DELETE
#define DELETE 0x00010000L
#endif
#ifndef READ_CONTROL
#define READ_CONTROL 0x00020000L
#endif
#ifndef WRITE_DAC
#define WRITE_DAC 0x00040000L
#endif
#ifndef WRITE_OWNER
#define WRITE_OWNER 0x00080000L
#endif
#ifndef SYNCHRONIZE
#define SYNCHRONIZE 0x00100000L
#endif
#ifndef STANDARD_RIGHTS_READ
#define STANDARD_RIGHTS_READ READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_WRITE
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_EXECUTE
#define STANDARD_RIGHTS_EXECUTE READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_REQUIRED
#define STANDARD_RIGHTS_REQUIRED 0x000F0000L
#endif
#ifndef STANDARD_RIGHTS_ALL
#define STANDARD_RIGHTS_ALL 0x001F0000L
#endif
#ifndef MAXIMUM_ALLOWED
#define MAXIMUM_ALLOWED 0x02000000L
#endif
#ifndef GENERIC_READ
#define GENERIC_READ 0x80000000L
#endif
#ifndef GENERIC_WRITE
#define GENERIC_WRITE 0x40000000L
#endif
#ifndef GENERIC_EXECUTE
#define GENERIC_EXECUTE 0x20000000L
#endif
#ifndef GENERIC_ALL
#define GENERIC_ALL 0x10000000L
#endif
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_WOW64_RES 0x0300
#define KEY_READ ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & ~SYNCHRONIZE)
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & ~SYNCHRONIZE)
#define KEY_EXECUTE (KEY_READ & ~SYNCHRONIZE)
#define KEY_ALL_ACCESS                                                                       \
  ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |            \
    KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK) &                                \
   ~SYNCHRONIZE)

// RegCreateKeyExW options and dispositions.
#define REG_OPTION_RESERVED 0x00000000L
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L  // kept in memory only, never written to the file
#define REG_OPTION_CREATE_LINK 0x00000002L
#define REG_OPTION_BACKUP_RESTORE 0x00000004L
#define REG_OPTION_OPEN_LINK 0x00000008L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

// Status codes of this area beyond win/errors.h.
#define ERROR_BADKEY 1010L
#define ERROR_REGISTRY_IO_FAILED 1016L
#define ERROR_CHILD_MUST_BE_VOLATILE 1021L

WINBASEAPI LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                                 PHKEY phkResult);
// A null or empty lpSubKey gives back hKey itself.
WINBASEAPI LSTATUS RegOpenKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult);
// Creates the missing keys along lpSubKey. A volatile key is never written to the file,
// and keys below it must be volatile too (ERROR_CHILD_MUST_BE_VOLATILE).
WINBASEAPI LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass,
                                   DWORD dwOptions, REGSAM samDesired,
                                   const LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                   PHKEY phkResult, LPDWORD lpdwDisposition);
// A null or empty lpSubKey gives back hKey itself.
WINBASEAPI LSTATUS RegCreateKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult);
WINBASEAPI LSTATUS RegCloseKey(HKEY hKey);
// Deletes a key without subkeys (ERROR_ACCESS_DENIED when it has some). Open handles of a
// deleted key fail with ERROR_KEY_DELETED.
WINBASEAPI LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);
// Deletes lpSubKey with everything below it; with a null lpSubKey, empties hKey's key
// (its values and subkeys) but keeps it.
WINBASEAPI LSTATUS RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey);
// Subkeys are enumerated in ascending order of their upper-cased names.
WINBASEAPI LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName,
                                 LPDWORD lpReserved, LPWSTR lpClass, LPDWORD lpcchClass,
                                 PFILETIME lpftLastWriteTime);
WINBASEAPI LSTATUS RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass,
                                    LPDWORD lpReserved, LPDWORD lpcSubKeys,
                                    LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                                    LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen,
                                    LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                                    PFILETIME lpftLastWriteTime);
// Writes the whole registry to its file (TALIX_REGISTRY); without a file it does nothing.
WINBASEAPI LSTATUS RegFlushKey(HKEY hKey);

// Values. Data is returned exactly as it was stored: a string carries a terminating null
// only if the writer included one in cbData (the documented way to store strings; the
// registry file's "name"="text" values always have one). Callers reading strings must
// not assume a terminator, as on Windows.
WINBASEAPI LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved,
                                    LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
WINBASEAPI LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                                  const BYTE* lpData, DWORD cbData);
WINBASEAPI LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);
// Values are enumerated in the order they were first set.
WINBASEAPI LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName,
                                 LPDWORD lpcchValueName, LPDWORD lpReserved, LPDWORD lpType,
                                 LPBYTE lpData, LPDWORD lpcbData);

inline LSTATUS RegOpenKeyEx(HKEY k, LPCWSTR s, DWORD o, REGSAM sam, PHKEY r) {
  return RegOpenKeyExW(k, s, o, sam, r);
}
inline LSTATUS RegOpenKey(HKEY k, LPCWSTR s, PHKEY r) { return RegOpenKeyW(k, s, r); }
inline LSTATUS RegCreateKeyEx(HKEY k, LPCWSTR s, DWORD res, LPWSTR cls, DWORD o, REGSAM sam,
                              const LPSECURITY_ATTRIBUTES sa, PHKEY r, LPDWORD d) {
  return RegCreateKeyExW(k, s, res, cls, o, sam, sa, r, d);
}
inline LSTATUS RegCreateKey(HKEY k, LPCWSTR s, PHKEY r) { return RegCreateKeyW(k, s, r); }
inline LSTATUS RegDeleteKey(HKEY k, LPCWSTR s) { return RegDeleteKeyW(k, s); }
inline LSTATUS RegDeleteTree(HKEY k, LPCWSTR s) { return RegDeleteTreeW(k, s); }
inline LSTATUS RegEnumKeyEx(HKEY k, DWORD i, LPWSTR n, LPDWORD cn, LPDWORD res, LPWSTR c,
                            LPDWORD cc, PFILETIME t) {
  return RegEnumKeyExW(k, i, n, cn, res, c, cc, t);
}
inline LSTATUS RegQueryInfoKey(HKEY k, LPWSTR c, LPDWORD cc, LPDWORD res, LPDWORD sk,
                               LPDWORD msk, LPDWORD mc, LPDWORD v, LPDWORD mvn, LPDWORD mv,
                               LPDWORD sd, PFILETIME t) {
  return RegQueryInfoKeyW(k, c, cc, res, sk, msk, mc, v, mvn, mv, sd, t);
}
inline LSTATUS RegQueryValueEx(HKEY k, LPCWSTR n, LPDWORD res, LPDWORD t, LPBYTE d, LPDWORD cb) {
  return RegQueryValueExW(k, n, res, t, d, cb);
}
inline LSTATUS RegSetValueEx(HKEY k, LPCWSTR n, DWORD res, DWORD t, const BYTE* d, DWORD cb) {
  return RegSetValueExW(k, n, res, t, d, cb);
}
inline LSTATUS RegDeleteValue(HKEY k, LPCWSTR n) { return RegDeleteValueW(k, n); }
inline LSTATUS RegEnumValue(HKEY k, DWORD i, LPWSTR n, LPDWORD cn, LPDWORD res, LPDWORD t,
                            LPBYTE d, LPDWORD cb) {
  return RegEnumValueW(k, i, n, cn, res, t, d, cb);
}
