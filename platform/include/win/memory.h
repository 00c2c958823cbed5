// Global, local and heap memory.
//
// Fixed global/local blocks are their own handles (the pointer); moveable blocks are
// handles of their own table with a lock count, and never actually move while locked.
// Heaps are separate allocation sets: HeapDestroy frees what is left in one.
//
// Limits: discardable memory is never discarded; GMEM_MODIFY changes nothing;
// HEAP_GENERATE_EXCEPTIONS raises nothing (failures return null as without it).
#pragma once

#include <win/base.h>

#ifndef ERROR_DISCARDED
#define ERROR_DISCARDED 157L
#endif
#ifndef ERROR_NOT_LOCKED
#define ERROR_NOT_LOCKED 158L
#endif

#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_NOCOMPACT 0x0010u
#define GMEM_NODISCARD 0x0020u
#define GMEM_ZEROINIT 0x0040u
#define GMEM_MODIFY 0x0080u
#define GMEM_DISCARDABLE 0x0100u
#define GMEM_SHARE 0x2000u
#define GMEM_DDESHARE 0x2000u
// GlobalFlags results.
#define GMEM_DISCARDED 0x4000u
#define GMEM_INVALID_HANDLE 0x8000u
#define GMEM_LOCKCOUNT 0x00FFu
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)

#define LMEM_FIXED 0x0000u
#define LMEM_MOVEABLE 0x0002u
#define LMEM_ZEROINIT 0x0040u
#define LMEM_MODIFY 0x0080u
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)

#define HEAP_NO_SERIALIZE 0x00000001u
#define HEAP_GENERATE_EXCEPTIONS 0x00000004u
#define HEAP_ZERO_MEMORY 0x00000008u
#define HEAP_REALLOC_IN_PLACE_ONLY 0x00000010u

WINBASEAPI HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
WINBASEAPI HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
WINBASEAPI HGLOBAL GlobalFree(HGLOBAL hMem);
WINBASEAPI LPVOID GlobalLock(HGLOBAL hMem);
WINBASEAPI BOOL GlobalUnlock(HGLOBAL hMem);
WINBASEAPI SIZE_T GlobalSize(HGLOBAL hMem);
WINBASEAPI HGLOBAL GlobalHandle(LPCVOID pMem);
WINBASEAPI UINT GlobalFlags(HGLOBAL hMem);

WINBASEAPI HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
WINBASEAPI HLOCAL LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags);
WINBASEAPI HLOCAL LocalFree(HLOCAL hMem);
WINBASEAPI LPVOID LocalLock(HLOCAL hMem);
WINBASEAPI BOOL LocalUnlock(HLOCAL hMem);
WINBASEAPI SIZE_T LocalSize(HLOCAL hMem);
WINBASEAPI HLOCAL LocalHandle(LPCVOID pMem);

WINBASEAPI HANDLE HeapCreate(DWORD flOptions, SIZE_T dwInitialSize, SIZE_T dwMaximumSize);
WINBASEAPI BOOL HeapDestroy(HANDLE hHeap);
WINBASEAPI HANDLE GetProcessHeap(void);
WINBASEAPI LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes);
WINBASEAPI LPVOID HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes);
WINBASEAPI BOOL HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem);
WINBASEAPI SIZE_T HeapSize(HANDLE hHeap, DWORD dwFlags, LPCVOID lpMem);
