// GlobalAlloc / LocalAlloc: fixed blocks, moveable handles and their lock counts.
#include <gtest/gtest.h>
#include <talix/host.h>
#include <windows.h>

#include "platform/kernel/handle_table.h"

#include <cstring>
#include <vector>

namespace {

class GlobalMemory : public ::testing::Test {
 protected:
  void SetUp() override { liveAtStart_ = talix::host::LiveHandles(talix::HandleKind::Memory); }
  void TearDown() override {
    EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::Memory), liveAtStart_);
  }

 private:
  size_t liveAtStart_ = 0;
};

bool AllZero(const void* data, size_t size) {
  std::vector<char> zeros(size, 0);
  return std::memcmp(data, zeros.data(), size) == 0;
}

TEST_F(GlobalMemory, FixedBlocksAreTheirOwnPointers) {
  HGLOBAL block = GlobalAlloc(GPTR, 100);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(AllZero(block, 100));
  EXPECT_EQ(GlobalLock(block), block);
  EXPECT_EQ(GlobalSize(block), 100u);
  EXPECT_EQ(GlobalHandle(block), block);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), DWORD(NO_ERROR));
  EXPECT_EQ(GlobalFree(block), nullptr);
  // After freeing, the pointer is refused rather than freed twice.
  EXPECT_EQ(GlobalFree(block), block);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST_F(GlobalMemory, MoveableBlocksCountLocks) {
  HGLOBAL handle = GlobalAlloc(GHND, 64);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(talix::KindOfHandleValue(reinterpret_cast<uintptr_t>(handle)), talix::HandleKind::Memory);
  auto* data = static_cast<char*>(GlobalLock(handle));
  ASSERT_NE(data, nullptr);
  EXPECT_NE(static_cast<void*>(data), handle);
  EXPECT_TRUE(AllZero(data, 64));
  EXPECT_EQ(GlobalLock(handle), data);
  EXPECT_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 2u);
  EXPECT_EQ(GlobalHandle(data), handle);
  EXPECT_TRUE(GlobalUnlock(handle));   // still locked once
  EXPECT_FALSE(GlobalUnlock(handle));  // now unlocked
  EXPECT_EQ(GetLastError(), DWORD(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(handle));  // was not locked
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_LOCKED));
  EXPECT_EQ(GlobalSize(handle), 64u);
  EXPECT_EQ(GlobalFree(handle), nullptr);
  // A stale handle is refused everywhere.
  EXPECT_EQ(GlobalLock(handle), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(handle), 0u);
  EXPECT_EQ(GlobalFree(handle), handle);
  EXPECT_EQ(GlobalHandle(data), nullptr);
}

TEST_F(GlobalMemory, ReAllocKeepsContentAndZeroesGrowth) {
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(handle), "abcd", 4);
  GlobalUnlock(handle);
  ASSERT_EQ(GlobalReAlloc(handle, 4096, GMEM_ZEROINIT), handle);  // same handle
  auto* data = static_cast<char*>(GlobalLock(handle));
  EXPECT_EQ(std::memcmp(data, "abcd", 4), 0);
  EXPECT_TRUE(AllZero(data + 4, 4092));
  // Locked, it may shrink but not grow unless allowed to move.
  EXPECT_EQ(GlobalReAlloc(handle, 2, 0), handle);
  EXPECT_EQ(GlobalReAlloc(handle, 1 << 20, 0), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(GlobalSize(handle), 2u);
  GlobalUnlock(handle);
  // Shrunk to nothing, the block is discarded: the handle lives, locking gives null.
  EXPECT_EQ(GlobalReAlloc(handle, 0, GMEM_MOVEABLE), handle);
  EXPECT_EQ(GlobalLock(handle), nullptr);
  EXPECT_EQ(GlobalFlags(handle) & GMEM_DISCARDED, GMEM_DISCARDED);
  EXPECT_EQ(GlobalFree(handle), nullptr);

  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 8);
  std::memcpy(fixed, "12345678", 8);
  EXPECT_EQ(GlobalReAlloc(fixed, 16, 0), nullptr);  // a fixed block may not move
  HGLOBAL moved = GlobalReAlloc(fixed, 1 << 16, GMEM_MOVEABLE | GMEM_ZEROINIT);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(std::memcmp(moved, "12345678", 8), 0);
  EXPECT_TRUE(AllZero(static_cast<char*>(moved) + 8, (1 << 16) - 8));
  EXPECT_EQ(GlobalSize(moved), size_t(1 << 16));
  EXPECT_EQ(GlobalFree(moved), nullptr);
}

TEST_F(GlobalMemory, RefusesForeignPointersAndHugeRequests) {
  int onStack = 0;
  EXPECT_EQ(GlobalFree(&onStack), &onStack);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalLock(&onStack), nullptr);
  EXPECT_EQ(GlobalSize(reinterpret_cast<HGLOBAL>(0x1234)), 0u);
  EXPECT_EQ(GlobalAlloc(GMEM_FIXED, ~SIZE_T(0)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, ~SIZE_T(0) / 2), nullptr);
}

TEST_F(GlobalMemory, LocalFunctionsShareTheBlocks) {
  HLOCAL fixed = LocalAlloc(LPTR, 10);
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(LocalSize(fixed), 10u);
  EXPECT_EQ(LocalLock(fixed), fixed);
  EXPECT_EQ(LocalFree(fixed), nullptr);
  HLOCAL moveable = LocalAlloc(LHND, 10);
  void* data = LocalLock(moveable);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(LocalHandle(data), moveable);
  EXPECT_FALSE(LocalUnlock(moveable));
  EXPECT_EQ(LocalReAlloc(moveable, 20, LMEM_ZEROINIT), moveable);
  EXPECT_EQ(LocalSize(moveable), 20u);
  EXPECT_EQ(LocalFree(moveable), nullptr);
}

}  // namespace
