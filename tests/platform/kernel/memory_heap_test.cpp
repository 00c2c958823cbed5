// HeapCreate and friends.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace {

TEST(Heaps, AllocZeroesSizesAndFrees) {
  HANDLE heap = HeapCreate(0, 0, 0);
  ASSERT_NE(heap, nullptr);
  auto* data = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 300));
  ASSERT_NE(data, nullptr);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(data[i], 0) << i;
  EXPECT_EQ(HeapSize(heap, 0, data), 300u);
  std::memset(data, 7, 300);
  data = static_cast<unsigned char*>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, data, 600));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data[299], 7);
  EXPECT_EQ(data[300], 0);
  EXPECT_EQ(data[599], 0);
  EXPECT_EQ(HeapSize(heap, 0, data), 600u);
  EXPECT_TRUE(HeapFree(heap, 0, data));
  EXPECT_FALSE(HeapFree(heap, 0, data));  // already freed
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(HeapSize(heap, 0, data), static_cast<SIZE_T>(-1));
  EXPECT_TRUE(HeapFree(heap, 0, nullptr));
  EXPECT_TRUE(HeapDestroy(heap));
}

TEST(Heaps, InPlaceReAllocOnlyShrinks) {
  HANDLE heap = GetProcessHeap();
  void* data = HeapAlloc(heap, 0, 64);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(HeapReAlloc(heap, HEAP_REALLOC_IN_PLACE_ONLY, data, 32), data);
  EXPECT_EQ(HeapSize(heap, 0, data), 32u);
  EXPECT_EQ(HeapReAlloc(heap, HEAP_REALLOC_IN_PLACE_ONLY, data, 1 << 20), nullptr);
  EXPECT_EQ(HeapSize(heap, 0, data), 32u);
  EXPECT_TRUE(HeapFree(heap, 0, data));
}

TEST(Heaps, BlocksBelongToTheirHeap) {
  HANDLE first = HeapCreate(0, 0, 0);
  HANDLE second = HeapCreate(0, 0, 0);
  void* data = HeapAlloc(first, 0, 16);
  EXPECT_FALSE(HeapFree(second, 0, data));
  EXPECT_EQ(HeapReAlloc(second, 0, data, 32), nullptr);
  // Destroying a heap frees what is left in it (leak checking sees this).
  HeapAlloc(first, 0, 1000);
  EXPECT_TRUE(HeapDestroy(first));
  EXPECT_TRUE(HeapDestroy(second));
}

TEST(Heaps, InvalidHeapsAreRefused) {
  HANDLE heap = HeapCreate(0, 0, 0);
  ASSERT_TRUE(HeapDestroy(heap));
  EXPECT_FALSE(HeapDestroy(heap));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(HeapAlloc(heap, 0, 8), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(HeapDestroy(GetProcessHeap()));  // the process heap stays
  int onStack = 0;
  EXPECT_EQ(HeapAlloc(&onStack, 0, 8), nullptr);
  EXPECT_EQ(HeapAlloc(GetProcessHeap(), 0, ~SIZE_T(0)), nullptr);
}

}  // namespace
