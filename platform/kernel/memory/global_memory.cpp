// GlobalAlloc and LocalAlloc families. Fixed blocks are malloc'd and remembered by
// pointer (so a foreign pointer is refused, not freed); moveable blocks live in the
// Memory handle table.
#include <win/memory.h>

#include "platform/kernel/handle_table.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace talix {
namespace {

// Larger requests fail up front instead of reaching the host allocator.
constexpr SIZE_T kLargestBlock = SIZE_T(1) << 40;

struct MovableBlock {
  ~MovableBlock() { std::free(data); }
  void* data = nullptr;  // null when the block has no bytes
  SIZE_T size = 0;
  unsigned locks = 0;
};

struct GlobalState {
  std::mutex mutex;  // guards fixed and the fields of every moveable block
  std::unordered_map<const void*, SIZE_T> fixed;
  HandleTable<MovableBlock> movable{HandleKind::Memory};
};

GlobalState& State() {
  static GlobalState* state = new GlobalState;  // outlives blocks freed at exit
  return *state;
}

// Grows or shrinks a malloc'd buffer, zeroing the new tail when asked; null on failure.
void* Resize(void* data, SIZE_T oldSize, SIZE_T newSize, bool zero) {
  if (newSize > kLargestBlock) return nullptr;
  void* grown = std::realloc(data, newSize ? newSize : 1);
  if (grown && zero && newSize > oldSize)
    std::memset(static_cast<char*>(grown) + oldSize, 0, newSize - oldSize);
  return grown;
}

// The moveable block behind a handle; caller holds the mutex.
MovableBlock* MovableLocked(HGLOBAL handle) {
  uint64_t value = ValueOfHandle(handle);
  if (value >> 32 || KindOfHandleValue(value) != HandleKind::Memory) return nullptr;
  return State().movable.Peek(value);
}

bool IsFixedLocked(HGLOBAL handle) { return State().fixed.count(handle) != 0; }

HGLOBAL AllocMovable(SIZE_T bytes, bool zero) {
  auto block = std::make_shared<MovableBlock>();
  if (bytes) {
    block->data = Resize(nullptr, 0, bytes, zero);
    if (!block->data) return nullptr;
    block->size = bytes;
  }
  uint32_t value = State().movable.Add(std::move(block));
  return value ? HandleFromValue<HGLOBAL>(value) : nullptr;
}

HGLOBAL ReAllocFixed(HGLOBAL handle, SIZE_T bytes, UINT flags) {
  SIZE_T& size = State().fixed[handle];
  if (bytes <= size) {  // shrinking keeps the block where it is
    size = bytes;
    return handle;
  }
  if (!(flags & GMEM_MOVEABLE)) return nullptr;  // a fixed block may not move
  void* grown = Resize(handle, size, bytes, flags & GMEM_ZEROINIT);
  if (!grown) return nullptr;
  State().fixed.erase(handle);
  State().fixed[grown] = bytes;
  return grown;
}

HGLOBAL ReAllocMovable(HGLOBAL handle, MovableBlock* block, SIZE_T bytes, UINT flags) {
  if (block->locks && bytes > block->size && !(flags & GMEM_MOVEABLE)) return nullptr;
  if (!bytes) {  // a moveable block of no bytes is discarded, as on Windows
    std::free(block->data);
    block->data = nullptr;
    block->size = 0;
    return handle;
  }
  void* grown = Resize(block->data, block->size, bytes, flags & GMEM_ZEROINIT);
  if (!grown) return nullptr;
  block->data = grown;
  block->size = bytes;
  return handle;
}

}  // namespace
}  // namespace talix

using namespace talix;

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  bool zero = uFlags & GMEM_ZEROINIT;
  std::lock_guard<std::mutex> lock(State().mutex);
  HGLOBAL result = nullptr;
  if (uFlags & GMEM_MOVEABLE) {
    result = AllocMovable(dwBytes, zero);
  } else if (void* data = Resize(nullptr, 0, dwBytes, zero)) {
    State().fixed[data] = dwBytes;
    result = data;
  }
  if (!result) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return result;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags) {
  std::lock_guard<std::mutex> lock(State().mutex);
  MovableBlock* block = IsFixedLocked(hMem) ? nullptr : MovableLocked(hMem);
  if (!block && !IsFixedLocked(hMem)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (uFlags & GMEM_MODIFY) return hMem;
  HGLOBAL result = block ? ReAllocMovable(hMem, block, dwBytes, uFlags)
                         : ReAllocFixed(hMem, dwBytes, uFlags);
  if (!result) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return result;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  if (!hMem) return nullptr;
  std::shared_ptr<MovableBlock> taken;  // freed after the mutex is released
  std::lock_guard<std::mutex> lock(State().mutex);
  auto fixed = State().fixed.find(hMem);
  if (fixed != State().fixed.end()) {
    State().fixed.erase(fixed);
    std::free(hMem);
    return nullptr;
  }
  if (MovableLocked(hMem)) taken = State().movable.Take(ValueOfHandle(hMem));
  if (taken) return nullptr;
  SetLastError(ERROR_INVALID_HANDLE);
  return hMem;
}

LPVOID GlobalLock(HGLOBAL hMem) {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (IsFixedLocked(hMem)) return hMem;
  MovableBlock* block = MovableLocked(hMem);
  if (!block) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!block->data) {
    SetLastError(ERROR_DISCARDED);
    return nullptr;
  }
  ++block->locks;
  return block->data;
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (IsFixedLocked(hMem)) {  // fixed blocks have no lock count
    SetLastError(NO_ERROR);
    return FALSE;
  }
  MovableBlock* block = MovableLocked(hMem);
  if (!block) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!block->locks) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--block->locks) return TRUE;
  SetLastError(NO_ERROR);
  return FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
  std::lock_guard<std::mutex> lock(State().mutex);
  auto fixed = State().fixed.find(hMem);
  if (fixed != State().fixed.end()) return fixed->second;
  if (MovableBlock* block = MovableLocked(hMem)) return block->size;
  SetLastError(ERROR_INVALID_HANDLE);
  return 0;
}

UINT GlobalFlags(HGLOBAL hMem) {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (IsFixedLocked(hMem)) return 0;
  MovableBlock* block = MovableLocked(hMem);
  if (!block) {
    SetLastError(ERROR_INVALID_HANDLE);
    return GMEM_INVALID_HANDLE;
  }
  return (block->locks & GMEM_LOCKCOUNT) | (block->data ? 0 : GMEM_DISCARDED);
}

HGLOBAL GlobalHandle(LPCVOID pMem) {
  std::lock_guard<std::mutex> lock(State().mutex);
  if (State().fixed.count(pMem)) return const_cast<LPVOID>(pMem);
  HGLOBAL found = nullptr;
  if (pMem) {
    State().movable.ForEach([&](uint32_t value, MovableBlock* block) {
      if (block->data == pMem) found = HandleFromValue<HGLOBAL>(value);
    });
  }
  if (!found) SetLastError(ERROR_INVALID_HANDLE);
  return found;
}

// The local functions are the global ones: one address space, one allocator.
HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) { return GlobalAlloc(uFlags, uBytes); }
HLOCAL LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags) {
  return GlobalReAlloc(hMem, uBytes, uFlags);
}
HLOCAL LocalFree(HLOCAL hMem) { return GlobalFree(hMem); }
LPVOID LocalLock(HLOCAL hMem) { return GlobalLock(hMem); }
BOOL LocalUnlock(HLOCAL hMem) { return GlobalUnlock(hMem); }
SIZE_T LocalSize(HLOCAL hMem) { return GlobalSize(hMem); }
HLOCAL LocalHandle(LPCVOID pMem) { return GlobalHandle(pMem); }
