// Modules, resources and version information.
//
// Code modules are ELF shared objects loaded with dlopen whatever their file name
// ("KVNL.dll" is an ELF file). Data-file modules are resource-only PE files (PE32 or
// PE32+), or ELF files whose resources sit in their "talix_rsrc" section; loading one as a
// data file maps it read-only and runs no code. Module handles are table values, not load
// addresses. GetProcAddress looks up names only; ordinals fail with ERROR_PROC_NOT_FOUND.
#pragma once

#include <win/base.h>

#define LOAD_LIBRARY_AS_DATAFILE 0x00000002u
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x00000008u
#define LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE 0x00000040u
#define LOAD_LIBRARY_AS_IMAGE_RESOURCE 0x00000020u
#define LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR 0x00000100u
#define LOAD_LIBRARY_SEARCH_APPLICATION_DIR 0x00000200u
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800u
#define LOAD_LIBRARY_SEARCH_DEFAULT_DIRS 0x00001000u

#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001u
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002u
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004u

#define ERROR_RESOURCE_ENUM_USER_STOP 15106L

// Predefined resource types.
#define RT_CURSOR MAKEINTRESOURCEW(1)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_FONTDIR MAKEINTRESOURCEW(7)
#define RT_FONT MAKEINTRESOURCEW(8)
#define RT_ACCELERATOR MAKEINTRESOURCEW(9)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEW(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEW(12)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)
#define RT_VERSION MAKEINTRESOURCEW(16)
#define RT_DLGINCLUDE MAKEINTRESOURCEW(17)
#define RT_PLUGPLAY MAKEINTRESOURCEW(19)
#define RT_VXD MAKEINTRESOURCEW(20)
#define RT_ANICURSOR MAKEINTRESOURCEW(21)
#define RT_ANIICON MAKEINTRESOURCEW(22)
#define RT_HTML MAKEINTRESOURCEW(23)
#define RT_MANIFEST MAKEINTRESOURCEW(24)

// Language identifiers (shared with the locale functions, hence the guards).
#ifndef MAKELANGID
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#endif
#ifndef LANG_NEUTRAL
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define LANG_HEBREW 0x0d
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US 0x01
#endif

// Version information (RT_VERSION).
#define VS_FFI_SIGNATURE 0xFEEF04BDu
#define VS_FFI_STRUCVERSION 0x00010000u
#define VS_FF_DEBUG 0x00000001u
#define VS_FF_PRERELEASE 0x00000002u
#define VOS_NT_WINDOWS32 0x00040004u
#define VFT_APP 0x00000001u
#define VFT_DLL 0x00000002u

typedef struct tagVS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
} VS_FIXEDFILEINFO;

typedef INT_PTR (*FARPROC)(void);
typedef BOOL (*ENUMRESTYPEPROCW)(HMODULE hModule, LPWSTR lpType, LONG_PTR lParam);
typedef BOOL (*ENUMRESNAMEPROCW)(HMODULE hModule, LPCWSTR lpType, LPWSTR lpName, LONG_PTR lParam);
typedef BOOL (*ENUMRESLANGPROCW)(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName,
                                 WORD wLanguage, LONG_PTR lParam);

// Loading and finding modules.
WINBASEAPI HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
WINBASEAPI HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
WINBASEAPI BOOL FreeLibrary(HMODULE hLibModule);
WINBASEAPI FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
WINBASEAPI HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
WINBASEAPI BOOL GetModuleHandleExW(DWORD dwFlags, LPCWSTR lpModuleName, HMODULE* phModule);
WINBASEAPI DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
WINBASEAPI BOOL DisableThreadLibraryCalls(HMODULE hLibModule);

// Resources. hModule NULL means the host executable.
WINBASEAPI HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
WINBASEAPI HRSRC FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage);
WINBASEAPI HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
WINBASEAPI LPVOID LockResource(HGLOBAL hResData);
WINBASEAPI DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
WINBASEAPI BOOL FreeResource(HGLOBAL hResData);
WINBASEAPI BOOL EnumResourceTypesW(HMODULE hModule, ENUMRESTYPEPROCW lpEnumFunc, LONG_PTR lParam);
WINBASEAPI BOOL EnumResourceNamesW(HMODULE hModule, LPCWSTR lpType, ENUMRESNAMEPROCW lpEnumFunc,
                                   LONG_PTR lParam);
WINBASEAPI BOOL EnumResourceLanguagesW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName,
                                       ENUMRESLANGPROCW lpEnumFunc, LONG_PTR lParam);
WINUSERAPI int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

// Version information of a file, read from the file itself (loaded or not).
WINBASEAPI DWORD GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle);
WINBASEAPI BOOL GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD dwHandle, DWORD dwLen,
                                    LPVOID lpData);
WINBASEAPI BOOL VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen);
