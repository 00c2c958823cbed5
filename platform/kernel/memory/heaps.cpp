// HeapCreate and friends. A heap handle is the address of its bookkeeping, checked
// against the set of live heaps before use; each heap knows its blocks and their sizes,
// so HeapSize works and HeapDestroy frees what is left.
#include <win/memory.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace talix {
namespace {

constexpr SIZE_T kLargestBlock = SIZE_T(1) << 40;

class Heap {
 public:
  ~Heap() {
    for (auto& block : blocks_) std::free(block.first);
  }

  void* Alloc(SIZE_T bytes, bool zero) {
    if (bytes > kLargestBlock) return nullptr;
    void* data = zero ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
    if (!data) return nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    blocks_[data] = bytes;
    return data;
  }

  void* ReAlloc(void* data, SIZE_T bytes, DWORD flags, DWORD* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto block = blocks_.find(data);
    if (block == blocks_.end()) return (*error = ERROR_INVALID_PARAMETER), nullptr;
    SIZE_T oldSize = block->second;
    if (bytes <= oldSize && (flags & HEAP_REALLOC_IN_PLACE_ONLY)) {
      block->second = bytes;
      return data;
    }
    if ((flags & HEAP_REALLOC_IN_PLACE_ONLY) || bytes > kLargestBlock)
      return (*error = ERROR_NOT_ENOUGH_MEMORY), nullptr;
    void* grown = std::realloc(data, bytes ? bytes : 1);
    if (!grown) return (*error = ERROR_NOT_ENOUGH_MEMORY), nullptr;
    if ((flags & HEAP_ZERO_MEMORY) && bytes > oldSize)
      std::memset(static_cast<char*>(grown) + oldSize, 0, bytes - oldSize);
    blocks_.erase(block);
    blocks_[grown] = bytes;
    return grown;
  }

  bool Free(void* data) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!blocks_.erase(data)) return false;
    std::free(data);
    return true;
  }

  bool Size(const void* data, SIZE_T* size) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto block = blocks_.find(const_cast<void*>(data));
    if (block == blocks_.end()) return false;
    *size = block->second;
    return true;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<void*, SIZE_T> blocks_;
};

struct Heaps {
  std::mutex mutex;
  std::unordered_set<Heap*> live;
  Heap* process = nullptr;
};

Heaps& AllHeaps() {
  static Heaps* heaps = [] {
    auto* made = new Heaps;  // never destroyed: blocks may be freed during exit
    made->process = new Heap;
    made->live.insert(made->process);
    return made;
  }();
  return *heaps;
}

// The heap behind a handle, or null with ERROR_INVALID_HANDLE. Heaps are destroyed only
// by HeapDestroy, which the caller must not race with use of the same heap.
Heap* HeapFor(HANDLE handle) {
  std::lock_guard<std::mutex> lock(AllHeaps().mutex);
  auto* heap = static_cast<Heap*>(handle);
  if (AllHeaps().live.count(heap)) return heap;
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

}  // namespace
}  // namespace talix

using namespace talix;

HANDLE GetProcessHeap(void) { return AllHeaps().process; }

HANDLE HeapCreate(DWORD /*flOptions*/, SIZE_T /*dwInitialSize*/, SIZE_T /*dwMaximumSize*/) {
  auto* heap = new Heap;
  std::lock_guard<std::mutex> lock(AllHeaps().mutex);
  AllHeaps().live.insert(heap);
  return heap;
}

BOOL HeapDestroy(HANDLE hHeap) {
  Heap* heap = static_cast<Heap*>(hHeap);
  {
    std::lock_guard<std::mutex> lock(AllHeaps().mutex);
    if (heap == AllHeaps().process || !AllHeaps().live.erase(heap)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  delete heap;
  return TRUE;
}

LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
  Heap* heap = HeapFor(hHeap);
  if (!heap) return nullptr;
  void* data = heap->Alloc(dwBytes, dwFlags & HEAP_ZERO_MEMORY);
  if (!data) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return data;
}

LPVOID HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes) {
  Heap* heap = HeapFor(hHeap);
  if (!heap) return nullptr;
  DWORD error = 0;
  void* data = heap->ReAlloc(lpMem, dwBytes, dwFlags, &error);
  if (!data) SetLastError(error);
  return data;
}

BOOL HeapFree(HANDLE hHeap, DWORD /*dwFlags*/, LPVOID lpMem) {
  Heap* heap = HeapFor(hHeap);
  if (!heap) return FALSE;
  if (!lpMem) return TRUE;
  if (heap->Free(lpMem)) return TRUE;
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

SIZE_T HeapSize(HANDLE hHeap, DWORD /*dwFlags*/, LPCVOID lpMem) {
  Heap* heap = HeapFor(hHeap);
  SIZE_T size = 0;
  if (heap && heap->Size(lpMem, &size)) return size;
  if (heap) SetLastError(ERROR_INVALID_PARAMETER);
  return static_cast<SIZE_T>(-1);
}
