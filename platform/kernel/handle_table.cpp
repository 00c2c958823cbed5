#include "platform/kernel/handle_table.h"

#include <array>
#include <atomic>

namespace talix {
namespace {

// Registered tables by kind. Tables are function-local statics of their owners and
// live until exit; a table unregisters itself when destroyed.
std::array<std::atomic<HandleTableBase*>, static_cast<size_t>(HandleKind::Count)>& Registry() {
  static std::array<std::atomic<HandleTableBase*>, static_cast<size_t>(HandleKind::Count)> tables{};
  return tables;
}

}  // namespace

size_t LiveHandleCount(HandleKind kind) {
  auto index = static_cast<size_t>(kind);
  if (index >= Registry().size()) return 0;
  HandleTableBase* table = Registry()[index].load();
  return table ? table->LiveCount() : 0;
}

HandleTableBase::HandleTableBase(HandleKind kind) : kind_(kind) {
  Registry()[static_cast<size_t>(kind)].store(this);
}

HandleTableBase::~HandleTableBase() {
  HandleTableBase* self = this;
  Registry()[static_cast<size_t>(kind_)].compare_exchange_strong(self, nullptr);
}

size_t HandleTableBase::LiveCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return live_;
}

uint32_t HandleTableBase::EncodeLocked(uint32_t index) const {
  return (static_cast<uint32_t>(kind_) << kHandleKindShift) |
         (slots_[index].generation << kHandleIndexBits) | index;
}

uint32_t HandleTableBase::Insert(std::shared_ptr<void> object) {
  if (!object) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  uint32_t index;
  // Reuse a freed slot only once enough slots are free, so that a value is not handed
  // out again soon after it was freed.
  constexpr size_t kMinFreeBeforeReuse = 64;
  if (free_fifo_.size() - free_head_ > kMinFreeBeforeReuse || slots_.size() >= kMaxHandlesPerKind) {
    if (free_head_ == free_fifo_.size()) return 0;  // full
    index = free_fifo_[free_head_++];
    if (free_head_ > 1024 && free_head_ * 2 > free_fifo_.size()) {
      free_fifo_.erase(free_fifo_.begin(), free_fifo_.begin() + static_cast<ptrdiff_t>(free_head_));
      free_head_ = 0;
    }
  } else {
    index = static_cast<uint32_t>(slots_.size());
    slots_.emplace_back();
    slots_[index].generation = 1;
  }
  slots_[index].object = std::move(object);
  ++live_;
  return EncodeLocked(index);
}

const HandleTableBase::Slot* HandleTableBase::FindLocked(uint64_t value) const {
  if (value >> 32) return nullptr;
  if (KindOfHandleValue(value) != kind_) return nullptr;
  uint32_t index = static_cast<uint32_t>(value) & kHandleIndexMask;
  uint32_t generation = (static_cast<uint32_t>(value) >> kHandleIndexBits) & kHandleGenerationMask;
  if (index >= slots_.size()) return nullptr;
  const Slot& slot = slots_[index];
  if (!slot.object || slot.generation != generation) return nullptr;
  return &slot;
}

std::shared_ptr<void> HandleTableBase::Lookup(uint64_t value) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Slot* slot = FindLocked(value);
  return slot ? slot->object : nullptr;
}

void* HandleTableBase::Peek(uint64_t value) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Slot* slot = FindLocked(value);
  return slot ? slot->object.get() : nullptr;
}

std::shared_ptr<void> HandleTableBase::Remove(uint64_t value) {
  std::shared_ptr<void> object;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Slot* slot = const_cast<Slot*>(FindLocked(value));
    if (!slot) return nullptr;
    object = std::move(slot->object);
    slot->object.reset();
    // Generation 0 is never issued, so a value with generation 0 is never valid.
    slot->generation = (slot->generation % kHandleGenerationMask) + 1;
    uint32_t index = static_cast<uint32_t>(value) & kHandleIndexMask;
    free_fifo_.push_back(index);
    --live_;
  }
  return object;  // destroyed outside the lock: destructors may touch other tables
}

}  // namespace talix
