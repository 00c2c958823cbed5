// Files, folders, paths and the Windows folder.
//
// Paths may be in Windows form ("Z:\home\a.txt", either separator, "\\?\" prefix) or host
// form ("/home/a.txt"); results are in Windows form. A component not found as spelled is
// matched ignoring case.
//
// Limits: share modes are accepted but not enforced; there are no 8.3 short names
// (GetShortPathNameW returns the long path); overlapped I/O runs synchronously at the
// OVERLAPPED offset; creation time is the host's status-change time; read-only is the
// owner's missing write permission and folders are never read-only; hidden means a name
// starting with '.'; GetLongPathNameW gives a full path for a relative one.
#pragma once

#include <win/base.h>

#include <cstdio>

#ifndef ERROR_NOT_SAME_DEVICE
#define ERROR_NOT_SAME_DEVICE 17L
#endif
#ifndef ERROR_BUFFER_OVERFLOW
#define ERROR_BUFFER_OVERFLOW 111L
#endif
#ifndef ERROR_CANT_RESOLVE_FILENAME
#define ERROR_CANT_RESOLVE_FILENAME 1921L
#endif

// Access rights.
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_EXECUTE 0x20000000u
#define GENERIC_ALL 0x10000000u
#define FILE_READ_DATA 0x0001u
#define FILE_WRITE_DATA 0x0002u
#define FILE_APPEND_DATA 0x0004u
#define FILE_READ_ATTRIBUTES 0x0080u
#define FILE_WRITE_ATTRIBUTES 0x0100u

#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_SYSTEM 0x00000004u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100u
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

#define FILE_FLAG_WRITE_THROUGH 0x80000000u
#define FILE_FLAG_OVERLAPPED 0x40000000u
#define FILE_FLAG_NO_BUFFERING 0x20000000u
#define FILE_FLAG_RANDOM_ACCESS 0x10000000u
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000u
#define FILE_FLAG_DELETE_ON_CLOSE 0x04000000u
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

#define FILE_TYPE_UNKNOWN 0x0000
#define FILE_TYPE_DISK 0x0001
#define FILE_TYPE_CHAR 0x0002
#define FILE_TYPE_PIPE 0x0003

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_DELAY_UNTIL_REBOOT 0x00000004u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

typedef struct _OVERLAPPED {
  ULONG_PTR Internal;
  ULONG_PTR InternalHigh;
  union {
    struct {
      DWORD Offset;
      DWORD OffsetHigh;
    };
    PVOID Pointer;
  };
  HANDLE hEvent;
} OVERLAPPED, *LPOVERLAPPED;

typedef struct _WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  WCHAR cFileName[MAX_PATH];
  WCHAR cAlternateFileName[14];
} WIN32_FIND_DATAW, *PWIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;

typedef struct _WIN32_FILE_ATTRIBUTE_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
} WIN32_FILE_ATTRIBUTE_DATA, *LPWIN32_FILE_ATTRIBUTE_DATA;

typedef enum _GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel } GET_FILEEX_INFO_LEVELS;

// Handles and I/O.
WINBASEAPI HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                              LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                              DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                              HANDLE hTemplateFile);
WINBASEAPI BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                         LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
WINBASEAPI BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                          LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
WINBASEAPI DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                                DWORD dwMoveMethod);
WINBASEAPI BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove,
                                 PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod);
WINBASEAPI BOOL SetEndOfFile(HANDLE hFile);
WINBASEAPI BOOL FlushFileBuffers(HANDLE hFile);
WINBASEAPI DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
WINBASEAPI BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize);
WINBASEAPI BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                            LPFILETIME lpLastWriteTime);
WINBASEAPI BOOL SetFileTime(HANDLE hFile, const FILETIME* lpCreationTime,
                            const FILETIME* lpLastAccessTime, const FILETIME* lpLastWriteTime);
WINBASEAPI DWORD GetFileType(HANDLE hFile);

// Files and folders by name.
WINBASEAPI BOOL DeleteFileW(LPCWSTR lpFileName);
WINBASEAPI BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName);
WINBASEAPI BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags);
WINBASEAPI BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);
WINBASEAPI DWORD GetFileAttributesW(LPCWSTR lpFileName);
WINBASEAPI BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes);
WINBASEAPI BOOL GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                     LPVOID lpFileInformation);
WINBASEAPI BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
WINBASEAPI BOOL RemoveDirectoryW(LPCWSTR lpPathName);

// Folder listings. Find handles are kernel objects closed by FindClose.
WINBASEAPI HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
WINBASEAPI BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);
WINBASEAPI BOOL FindClose(HANDLE hFindFile);

// Paths and special folders.
WINBASEAPI DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
WINBASEAPI UINT GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique,
                                 LPWSTR lpTempFileName);
WINBASEAPI DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer);
WINBASEAPI BOOL SetCurrentDirectoryW(LPCWSTR lpPathName);
WINBASEAPI DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                                  LPWSTR* lpFilePart);
WINBASEAPI DWORD GetLongPathNameW(LPCWSTR lpszShortPath, LPWSTR lpszLongPath, DWORD cchBuffer);
WINBASEAPI DWORD GetShortPathNameW(LPCWSTR lpszLongPath, LPWSTR lpszShortPath, DWORD cchBuffer);
WINBASEAPI UINT GetSystemWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize);
WINBASEAPI UINT GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize);
WINBASEAPI UINT GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize);
WINBASEAPI BOOL GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName,
                                    PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                    PULARGE_INTEGER lpTotalNumberOfBytes,
                                    PULARGE_INTEGER lpTotalNumberOfFreeBytes);

inline HANDLE CreateFile(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE templateFile) {
  return CreateFileW(name, access, share, security, disposition, flags, templateFile);
}
inline BOOL DeleteFile(LPCWSTR name) { return DeleteFileW(name); }
inline BOOL CopyFile(LPCWSTR from, LPCWSTR to, BOOL failIfExists) {
  return CopyFileW(from, to, failIfExists);
}
inline BOOL MoveFile(LPCWSTR from, LPCWSTR to) { return MoveFileW(from, to); }
inline DWORD GetFileAttributes(LPCWSTR name) { return GetFileAttributesW(name); }
inline BOOL CreateDirectory(LPCWSTR name, LPSECURITY_ATTRIBUTES security) {
  return CreateDirectoryW(name, security);
}
inline BOOL RemoveDirectory(LPCWSTR name) { return RemoveDirectoryW(name); }
inline HANDLE FindFirstFile(LPCWSTR pattern, LPWIN32_FIND_DATAW data) {
  return FindFirstFileW(pattern, data);
}
inline BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATAW data) { return FindNextFileW(find, data); }
inline DWORD GetTempPath(DWORD size, LPWSTR buffer) { return GetTempPathW(size, buffer); }
inline UINT GetTempFileName(LPCWSTR path, LPCWSTR prefix, UINT unique, LPWSTR name) {
  return GetTempFileNameW(path, prefix, unique, name);
}
inline DWORD GetLongPathName(LPCWSTR path, LPWSTR buffer, DWORD size) {
  return GetLongPathNameW(path, buffer, size);
}
inline UINT GetSystemWindowsDirectory(LPWSTR buffer, UINT size) {
  return GetSystemWindowsDirectoryW(buffer, size);
}

// The C runtime's wide file functions (C++ overloads on WCHAR). Errors set errno.
typedef int errno_t;
TALIX_CRT_API FILE* _wfopen(const WCHAR* filename, const WCHAR* mode);
TALIX_CRT_API errno_t _wfopen_s(FILE** file, const WCHAR* filename, const WCHAR* mode);
TALIX_CRT_API int _waccess(const WCHAR* path, int mode);
TALIX_CRT_API int _wremove(const WCHAR* path);
TALIX_CRT_API int _wrename(const WCHAR* oldName, const WCHAR* newName);
TALIX_CRT_API int _wmkdir(const WCHAR* path);
TALIX_CRT_API int _wrmdir(const WCHAR* path);
