#include "platform/kernel/sync/shared_event.h"

#include "platform/kernel/utf.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talix {

constexpr uint32_t kBlockMagic = 0x54455631;  // layout version of the segment

struct SharedEventBlock {
  std::atomic<uint32_t> ready;  // set by the creator once the rest is initialised
  uint32_t magic;
  pthread_mutex_t mutex;
  pthread_cond_t cond;
  uint32_t manualReset;
  uint32_t signalled;
  uint64_t generation;  // bumped by every SetEvent
  uint32_t attached;    // processes holding the event
  uint32_t unlinked;    // the name is gone; openers must make a fresh event
};

namespace {

static_assert(std::atomic<uint32_t>::is_always_lock_free, "shared memory needs lock-free atomics");

// Locks the shared mutex; takes it over consistently when its holder died.
class BlockLock {
 public:
  explicit BlockLock(SharedEventBlock* block) : block_(block) {
    if (pthread_mutex_lock(&block_->mutex) == EOWNERDEAD) pthread_mutex_consistent(&block_->mutex);
  }
  ~BlockLock() { pthread_mutex_unlock(&block_->mutex); }
  void Wait() {
    if (pthread_cond_wait(&block_->cond, &block_->mutex) == EOWNERDEAD)
      pthread_mutex_consistent(&block_->mutex);
  }
  BlockLock(const BlockLock&) = delete;
  BlockLock& operator=(const BlockLock&) = delete;

 private:
  SharedEventBlock* block_;
};

void PauseBriefly() {
  timespec pause{0, 1000000};  // 1 ms of host time: only while another process initialises
  nanosleep(&pause, nullptr);
}

void InitialiseBlock(SharedEventBlock* block, bool manualReset, bool initialState) {
  pthread_mutexattr_t mutexAttr;
  pthread_mutexattr_init(&mutexAttr);
  pthread_mutexattr_setpshared(&mutexAttr, PTHREAD_PROCESS_SHARED);
  pthread_mutexattr_setrobust(&mutexAttr, PTHREAD_MUTEX_ROBUST);
  pthread_mutex_init(&block->mutex, &mutexAttr);
  pthread_mutexattr_destroy(&mutexAttr);
  pthread_condattr_t condAttr;
  pthread_condattr_init(&condAttr);
  pthread_condattr_setpshared(&condAttr, PTHREAD_PROCESS_SHARED);
  pthread_cond_init(&block->cond, &condAttr);
  pthread_condattr_destroy(&condAttr);
  block->magic = kBlockMagic;
  block->manualReset = manualReset;
  block->signalled = initialState;
  block->generation = 0;
  block->attached = 1;
  block->unlinked = 0;
  block->ready.store(1, std::memory_order_release);
}

SharedEventBlock* Map(int fd) {
  void* memory = mmap(nullptr, sizeof(SharedEventBlock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  return memory == MAP_FAILED ? nullptr : static_cast<SharedEventBlock*>(memory);
}

// Maps a segment another process made, once it is big enough and initialised.
SharedEventBlock* MapExisting(int fd) {
  constexpr int kPatience = 5000;  // about 5 s for a creator that stalls mid-way
  for (int i = 0; i < kPatience; ++i) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return nullptr;
    if (static_cast<size_t>(st.st_size) >= sizeof(SharedEventBlock)) break;
    PauseBriefly();
  }
  SharedEventBlock* block = Map(fd);
  if (!block) return nullptr;
  for (int i = 0; i < kPatience && !block->ready.load(std::memory_order_acquire); ++i)
    PauseBriefly();
  if (!block->ready.load(std::memory_order_acquire) || block->magic != kBlockMagic) {
    munmap(block, sizeof(SharedEventBlock));
    return nullptr;
  }
  return block;
}

DWORD ErrorFromErrno(int error) {
  return error == EACCES || error == EPERM ? ERROR_ACCESS_DENIED : ERROR_GEN_FAILURE;
}

}  // namespace

std::string SharedEventSegmentName(std::u16string_view name) {
  std::string utf8 = ToUtf8(name);
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the whole name
  for (unsigned char c : utf8) hash = (hash ^ c) * 1099511628211ull;
  std::string readable;
  for (unsigned char c : utf8) {
    if (readable.size() >= 64) break;
    bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                 c == '-' || c == '_' || c == '.';
    readable += plain ? static_cast<char>(c) : '_';
  }
  char tail[32];
  std::snprintf(tail, sizeof tail, "-%016llx", static_cast<unsigned long long>(hash));
  return "/talix-" + std::to_string(getuid()) + "-ev-" + readable + tail;
}

std::shared_ptr<SharedEvent> SharedEvent::Attach(std::u16string_view name, bool create,
                                                 bool manualReset, bool initialState,
                                                 bool* existed) {
  std::string segment = SharedEventSegmentName(name);
  constexpr int kAttempts = 100;  // each retry means another process unlinked meanwhile
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    int fd = create ? shm_open(segment.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600) : -1;
    if (fd >= 0) {
      SharedEventBlock* block = nullptr;
      if (ftruncate(fd, sizeof(SharedEventBlock)) == 0) block = Map(fd);
      close(fd);
      if (!block) {
        shm_unlink(segment.c_str());
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
      }
      InitialiseBlock(block, manualReset, initialState);
      *existed = false;
      return std::make_shared<SharedEvent>(segment, block);
    }
    if (create && errno != EEXIST) {
      SetLastError(ErrorFromErrno(errno));
      return nullptr;
    }
    fd = shm_open(segment.c_str(), O_RDWR | O_CLOEXEC, 0);
    if (fd < 0) {
      if (errno == ENOENT && create) continue;  // vanished between the two opens
      SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno));
      return nullptr;
    }
    SharedEventBlock* block = MapExisting(fd);
    close(fd);
    if (!block) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    bool stale;
    {
      BlockLock lock(block);
      stale = block->unlinked != 0;
      if (!stale) ++block->attached;
    }
    if (!stale) {
      *existed = true;
      return std::make_shared<SharedEvent>(segment, block);
    }
    munmap(block, sizeof(SharedEventBlock));
    if (!create) break;
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

SharedEvent::SharedEvent(std::string segmentName, SharedEventBlock* block)
    : segmentName_(std::move(segmentName)), block_(block), relay_([this] { Relay(); }) {}

SharedEvent::~SharedEvent() {
  {
    BlockLock lock(block_);
    stopRelay_ = true;
    pthread_cond_broadcast(&block_->cond);
  }
  relay_.join();
  {
    BlockLock lock(block_);
    if (--block_->attached == 0) {
      block_->unlinked = 1;
      shm_unlink(segmentName_.c_str());
    }
  }
  munmap(block_, sizeof(SharedEventBlock));
}

void SharedEvent::Relay() {
  uint64_t seen;
  {
    BlockLock lock(block_);
    seen = block_->generation;
  }
  for (;;) {
    {
      BlockLock lock(block_);
      while (block_->generation == seen && !stopRelay_) lock.Wait();
      if (stopRelay_) return;
      seen = block_->generation;
    }
    std::lock_guard<std::mutex> lock(WaitLock());
    WakeWaitersLocked();
  }
}

bool SharedEvent::IsSignalledFor(const ThreadState&) {
  BlockLock lock(block_);
  return block_->signalled != 0;
}

bool SharedEvent::Consume(ThreadState&, bool*) {
  BlockLock lock(block_);
  if (!block_->signalled) return false;
  if (!block_->manualReset) block_->signalled = 0;
  return true;
}

bool SharedEvent::Set() {
  {
    BlockLock lock(block_);
    block_->signalled = 1;
    ++block_->generation;
    pthread_cond_broadcast(&block_->cond);
  }
  std::lock_guard<std::mutex> lock(WaitLock());
  WakeWaitersLocked();
  return true;
}

bool SharedEvent::Reset() {
  BlockLock lock(block_);
  block_->signalled = 0;
  return true;
}

bool SharedEvent::Pulse() {
  std::lock_guard<std::mutex> lock(WaitLock());
  bool manual;
  {
    BlockLock shared(block_);
    manual = block_->manualReset != 0;
    block_->signalled = 0;
  }
  PulseWaitersLocked(manual);
  return true;
}

}  // namespace talix
