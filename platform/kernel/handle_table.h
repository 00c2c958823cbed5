// Handle tables with generation counts.
//
// A handle is a 32-bit value: kind (bits 26-30), generation (bits 16-25) and slot index
// (bits 0-15), carried in a pointer-sized handle type. Kind is never 0, so handles never
// collide with small integers (resource ids, atoms, stock indices) and bit 31 stays clear,
// so they never collide with the predefined registry keys or INVALID_HANDLE_VALUE.
// A freed slot goes to the back of a FIFO free list and its generation is bumped, so a
// stale or double free is detected and values are not reused soon.
#pragma once

#include <talix/handle_kind.h>
#include <win/types.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace talix {

constexpr uint32_t kHandleIndexBits = 16;
constexpr uint32_t kHandleGenerationBits = 10;
constexpr uint32_t kHandleKindShift = kHandleIndexBits + kHandleGenerationBits;
constexpr uint32_t kHandleIndexMask = (1u << kHandleIndexBits) - 1;
constexpr uint32_t kHandleGenerationMask = (1u << kHandleGenerationBits) - 1;
constexpr uint32_t kMaxHandlesPerKind = kHandleIndexMask;  // index 0xFFFF is never used

inline HandleKind KindOfHandleValue(uint64_t value) {
  return static_cast<HandleKind>((value >> kHandleKindShift) & 0x1F);
}

// Live counts per kind, for leak checks in tests (see talix/host.h).
TALIX_EXPORT size_t LiveHandleCount(HandleKind kind);

// Type-erased core: slots of shared pointers to objects. Thread-safe.
class TALIX_EXPORT HandleTableBase {
 public:
  explicit HandleTableBase(HandleKind kind);
  ~HandleTableBase();
  HandleTableBase(const HandleTableBase&) = delete;
  HandleTableBase& operator=(const HandleTableBase&) = delete;

  HandleKind Kind() const { return kind_; }
  size_t LiveCount() const;

 protected:
  uint32_t Insert(std::shared_ptr<void> object);       // 0 when the table is full
  std::shared_ptr<void> Lookup(uint64_t value) const;  // null when stale or foreign
  void* Peek(uint64_t value) const;
  std::shared_ptr<void> Remove(uint64_t value);        // null when stale or foreign
  template <typename F>
  void ForEachLive(F&& f) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (uint32_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].object) f(EncodeLocked(i), slots_[i].object.get());
  }

 private:
  struct Slot {
    std::shared_ptr<void> object;
    uint32_t generation = 0;
  };
  uint32_t EncodeLocked(uint32_t index) const;
  const Slot* FindLocked(uint64_t value) const;

  const HandleKind kind_;
  mutable std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<uint32_t> free_fifo_;  // ring of free slot indices
  size_t free_head_ = 0;
  size_t live_ = 0;
};

// A typed table. Objects are shared so that a thread can keep using an object (say an
// event it waits on) while another thread closes the handle.
template <typename T>
class HandleTable : public HandleTableBase {
 public:
  explicit HandleTable(HandleKind kind) : HandleTableBase(kind) {}

  uint32_t Add(std::shared_ptr<T> object) { return Insert(std::move(object)); }
  std::shared_ptr<T> Get(uint64_t value) const {
    return std::static_pointer_cast<T>(Lookup(value));
  }
  // Raw access for single-threaded hot paths; the caller keeps the handle alive.
  T* Peek(uint64_t value) const { return static_cast<T*>(HandleTableBase::Peek(value)); }
  std::shared_ptr<T> Take(uint64_t value) { return std::static_pointer_cast<T>(Remove(value)); }
  template <typename F>
  void ForEach(F&& f) const {
    ForEachLive([&](uint32_t value, void* object) { f(value, static_cast<T*>(object)); });
  }
};

// Handle value <-> handle type.
template <typename H>
inline H HandleFromValue(uint32_t value) {
  return reinterpret_cast<H>(static_cast<uintptr_t>(value));
}
template <typename H>
inline uint64_t ValueOfHandle(H handle) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace talix
