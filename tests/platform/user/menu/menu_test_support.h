// Helpers of the menu tests: a fixture that checks no menu or accelerator table outlives
// a test, and a readable snapshot of a menu's items.
#pragma once

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talix::testing {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    menus_ = host::LiveHandles(HandleKind::Menu);
    tables_ = host::LiveHandles(HandleKind::Accelerator);
  }
  void TearDown() override {
    EXPECT_EQ(host::LiveHandles(HandleKind::Menu), menus_) << "menus leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::Accelerator), tables_) << "tables leaked";
  }

 private:
  size_t menus_ = 0;
  size_t tables_ = 0;
};

// One item as GetMenuItemInfoW reports it, nested items included.
struct ItemSnapshot {
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  std::u16string text;
  std::vector<ItemSnapshot> children;
  bool popup = false;
  bool operator==(const ItemSnapshot& o) const {
    return type == o.type && state == o.state && id == o.id && text == o.text &&
           popup == o.popup && children == o.children;
  }
};

inline std::vector<ItemSnapshot> Snapshot(HMENU menu, bool popupIds = false) {
  std::vector<ItemSnapshot> items;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    WCHAR text[64] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    mii.dwTypeData = text;
    mii.cch = 64;
    EXPECT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &mii));
    ItemSnapshot item{mii.fType, mii.fState, mii.wID, text, {}, mii.hSubMenu != nullptr};
    if (item.popup) {
      if (!popupIds) item.id = 0;  // popups carry their submenu's handle as id
      item.children = Snapshot(mii.hSubMenu, popupIds);
    }
    items.push_back(item);
  }
  return items;
}

inline void PrintTo(const ItemSnapshot& item, std::ostream* os) {
  *os << "{type " << std::hex << item.type << " state " << item.state << std::dec << " id "
      << item.id << " text ";
  for (char16_t c : item.text) *os << static_cast<char>(c < 128 ? c : '?');
  *os << " children " << item.children.size() << "}";
}

}  // namespace talix::testing
