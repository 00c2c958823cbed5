// Base types, handles and macros of the Windows interfaces, for a 64-bit Linux host.
// Text is UTF-16: WCHAR is char16_t. BOOL/LONG/DWORD/UINT are 32-bit; WPARAM, LPARAM,
// LRESULT, *_PTR and handles are pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

// WINBASEAPI marks a function of the Windows interfaces: C linkage, exported from
// libtalix-platform.so, so a host can also find it by name. The C runtime's wide
// functions on WCHAR are C++ overloads instead (TALIX_CRT_API).
#define TALIX_EXPORT __attribute__((visibility("default")))
#define WINBASEAPI extern "C" TALIX_EXPORT
#define WINUSERAPI WINBASEAPI
#define WINGDIAPI WINBASEAPI
#define TALIX_CRT_API TALIX_EXPORT
#define WINAPI
#define CALLBACK
#define APIENTRY
#define WINAPIV

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef char16_t WCHAR;
typedef WCHAR TCHAR;
typedef float FLOAT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uint64_t DWORD64;
typedef int64_t INT_PTR;
typedef uint64_t UINT_PTR;
typedef int64_t LONG_PTR;
typedef uint64_t ULONG_PTR;
typedef uint64_t DWORD_PTR;
typedef ULONG_PTR SIZE_T;
typedef LONG_PTR SSIZE_T;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef LONG HRESULT;
typedef DWORD COLORREF;
typedef WORD ATOM;
typedef BYTE BOOLEAN;
typedef DWORD LCID;
typedef WORD LANGID;

typedef void VOID;
typedef void* PVOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BOOL* LPBOOL;
typedef BOOL* PBOOL;
typedef BYTE* LPBYTE;
typedef BYTE* PBYTE;
typedef const BYTE* LPCBYTE;
typedef WORD* LPWORD;
typedef WORD* PWORD;
typedef DWORD* LPDWORD;
typedef DWORD* PDWORD;
typedef LONG* LPLONG;
typedef LONG* PLONG;
typedef INT* LPINT;
typedef UINT* LPUINT;
typedef ULONG* PULONG;
typedef SIZE_T* PSIZE_T;
typedef DWORD_PTR* PDWORD_PTR;
typedef CHAR* LPSTR;
typedef CHAR* PSTR;
typedef const CHAR* LPCSTR;
typedef const CHAR* PCSTR;
typedef WCHAR* LPWSTR;
typedef WCHAR* PWSTR;
typedef const WCHAR* LPCWSTR;
typedef const WCHAR* PCWSTR;
typedef WCHAR* LPTSTR;
typedef const WCHAR* LPCTSTR;
typedef COLORREF* LPCOLORREF;

// Handles are opaque pointer-sized values. Each kind has its own pointer type, so
// passing a window where a bitmap is expected does not compile.
#define TALIX_DECLARE_HANDLE(name) \
  struct name##__ { int unused; };  \
  typedef struct name##__* name
typedef void* HANDLE;
typedef HANDLE* PHANDLE;
typedef HANDLE* LPHANDLE;
TALIX_DECLARE_HANDLE(HWND);
TALIX_DECLARE_HANDLE(HINSTANCE);
TALIX_DECLARE_HANDLE(HKEY);
TALIX_DECLARE_HANDLE(HDC);
TALIX_DECLARE_HANDLE(HMENU);
TALIX_DECLARE_HANDLE(HICON);
TALIX_DECLARE_HANDLE(HACCEL);
TALIX_DECLARE_HANDLE(HHOOK);
TALIX_DECLARE_HANDLE(HMONITOR);
TALIX_DECLARE_HANDLE(HRSRC);
TALIX_DECLARE_HANDLE(HGLRC);
TALIX_DECLARE_HANDLE(HRGN);
TALIX_DECLARE_HANDLE(HBITMAP);
TALIX_DECLARE_HANDLE(HBRUSH);
TALIX_DECLARE_HANDLE(HPEN);
TALIX_DECLARE_HANDLE(HFONT);
TALIX_DECLARE_HANDLE(HPALETTE);
TALIX_DECLARE_HANDLE(HWINEVENTHOOK);
TALIX_DECLARE_HANDLE(HIMAGELIST);
typedef void* HGDIOBJ;
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;
typedef HANDLE HRSRCDATA;
typedef HKEY* PHKEY;
typedef int HFILE;

#define CONST const
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#define MAX_PATH 260
#define INFINITE 0xFFFFFFFFu
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define MAKEWORD(a, b) ((WORD)(((BYTE)((DWORD_PTR)(a) & 0xff)) | ((WORD)((BYTE)((DWORD_PTR)(b) & 0xff))) << 8))
#define MAKELONG(a, b) ((LONG)(((WORD)((DWORD_PTR)(a) & 0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(b) & 0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l) & 0xffff))
#define HIWORD(l) ((WORD)((DWORD_PTR)(l) >> 16))
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w) & 0xff))
#define HIBYTE(w) ((BYTE)((DWORD_PTR)(w) >> 8))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

// Resource names: an integer identifier below 0x10000 stands in the pointer.
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEW
#define MAKEINTATOM(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))

#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_NOTIMPL ((HRESULT)0x80004001L)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define HRESULT_FROM_WIN32(x) \
  ((HRESULT)(x) <= 0 ? ((HRESULT)(x)) : ((HRESULT)(((x) & 0x0000FFFF) | (7 << 16) | 0x80000000)))

typedef struct tagPOINT { LONG x; LONG y; } POINT, *PPOINT, *LPPOINT;
typedef struct tagPOINTS { SHORT x; SHORT y; } POINTS, *PPOINTS, *LPPOINTS;
typedef struct tagSIZE { LONG cx; LONG cy; } SIZE, *PSIZE, *LPSIZE;
typedef struct tagRECT { LONG left; LONG top; LONG right; LONG bottom; } RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef const POINT* LPCPOINT;

typedef union _LARGE_INTEGER {
  struct { DWORD LowPart; LONG HighPart; };
  struct { DWORD LowPart; LONG HighPart; } u;
  LONGLONG QuadPart;
} LARGE_INTEGER, *PLARGE_INTEGER;

typedef union _ULARGE_INTEGER {
  struct { DWORD LowPart; DWORD HighPart; };
  struct { DWORD LowPart; DWORD HighPart; } u;
  ULONGLONG QuadPart;
} ULARGE_INTEGER, *PULARGE_INTEGER;

typedef struct _FILETIME { DWORD dwLowDateTime; DWORD dwHighDateTime; } FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SYSTEMTIME {
  WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

typedef struct _GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
} GUID, IID, CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;
