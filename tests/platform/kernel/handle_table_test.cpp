#include "platform/kernel/handle_table.h"

#include <gtest/gtest.h>

#include <set>

namespace talix {
namespace {

struct Thing {
  int value;
};

TEST(HandleTable, StaleAndDoubleFreesFailAndCountsReturnToZero) {
  HandleTable<Thing> table(HandleKind::Other);
  uint32_t a = table.Add(std::make_shared<Thing>(Thing{1}));
  uint32_t b = table.Add(std::make_shared<Thing>(Thing{2}));
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_EQ(LiveHandleCount(HandleKind::Other), 2u);
  EXPECT_EQ(table.Get(a)->value, 1);
  EXPECT_EQ(KindOfHandleValue(a), HandleKind::Other);

  EXPECT_TRUE(table.Take(a));
  EXPECT_FALSE(table.Take(a)) << "double free";
  EXPECT_EQ(table.Get(a), nullptr) << "stale lookup";
  EXPECT_TRUE(table.Take(b));
  EXPECT_EQ(table.LiveCount(), 0u);
}

TEST(HandleTable, ForeignKindsAndJunkValuesAreRejected) {
  HandleTable<Thing> table(HandleKind::Other);
  uint32_t a = table.Add(std::make_shared<Thing>(Thing{1}));
  uint64_t otherKind = (a & ~(0x1Fu << kHandleKindShift)) |
                       (static_cast<uint32_t>(HandleKind::Menu) << kHandleKindShift);
  for (uint64_t junk : {uint64_t{0}, uint64_t{1}, uint64_t{0xFFFF}, otherKind,
                        uint64_t{a} | (uint64_t{1} << 32), ~uint64_t{0}, uint64_t{0x80000002}}) {
    EXPECT_EQ(table.Get(junk), nullptr) << std::hex << junk;
    EXPECT_EQ(table.Take(junk), nullptr) << std::hex << junk;
  }
  EXPECT_TRUE(table.Take(a));
}

TEST(HandleTable, FreedValuesAreNotReusedSoon) {
  HandleTable<Thing> table(HandleKind::Other);
  std::set<uint32_t> seen;
  for (int round = 0; round < 500; ++round) {
    uint32_t h = table.Add(std::make_shared<Thing>(Thing{round}));
    ASSERT_TRUE(seen.insert(h).second) << "value reused after " << round << " rounds";
    ASSERT_TRUE(table.Take(h));
  }
}

TEST(HandleTable, FillsUpAndRecovers) {
  HandleTable<Thing> table(HandleKind::Other);
  std::vector<uint32_t> handles;
  for (;;) {
    uint32_t h = table.Add(std::make_shared<Thing>(Thing{0}));
    if (!h) break;
    handles.push_back(h);
  }
  EXPECT_EQ(handles.size(), kMaxHandlesPerKind);
  ASSERT_TRUE(table.Take(handles[10]));
  EXPECT_NE(table.Add(std::make_shared<Thing>(Thing{0})), 0u);
}

}  // namespace
}  // namespace talix
