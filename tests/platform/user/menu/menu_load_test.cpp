// LoadMenuW on standard and extended templates, and malformed templates.
#include "menu_ids.h"
#include "menu_test_support.h"

#include "platform/user/menu/menu_template.h"

#include <memory>

namespace talix::testing {
namespace {

HMENU Load(int id) { return LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }

TEST_F(MenuTest, StandardTemplateLoadsItemByItem) {
  HMENU menu = Load(IDM_STANDARD);
  ASSERT_NE(menu, nullptr);
  std::vector<ItemSnapshot> expected = {
      {MFT_STRING, 0, 0, u"&File",
       {{MFT_STRING, 0, CMD_OPEN, u"&Open\tCtrl+O"},
        {MFT_SEPARATOR, 0, 0, u""},
        {MFT_STRING, 0, 0, u"&Recent", {{MFT_STRING, MFS_CHECKED, CMD_RECENT_ONE, u"One"}}, true},
        {MFT_STRING, MF_GRAYED, CMD_EXIT, u"E&xit"}},
       true},
      {MFT_RIGHTJUSTIFY | MFT_MENUBARBREAK, 0, CMD_HELP, u"&Help"}};
  EXPECT_EQ(Snapshot(menu), expected);
  // Popups answer to their submenu handle, as the owner-draw structures name them.
  HMENU file = GetSubMenu(menu, 0);
  HMENU recent = GetSubMenu(file, 2);
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(-1));
  MENUITEMINFOW mii{sizeof(mii), MIIM_ID};
  GetMenuItemInfoW(file, 2, TRUE, &mii);
  EXPECT_EQ(mii.wID, static_cast<UINT>(reinterpret_cast<uintptr_t>(recent)));
  DestroyMenu(menu);
  EXPECT_FALSE(IsMenu(recent));
}

TEST_F(MenuTest, ExtendedTemplateLoadsItemByItem) {
  HMENU menu = Load(IDM_EXTENDED);
  ASSERT_NE(menu, nullptr);
  std::vector<ItemSnapshot> expected = {
      {MFT_STRING, 0, CMD_VIEW, u"&View",
       {{MFT_RADIOCHECK, MFS_CHECKED, CMD_BIG, u"&Big"}, {MFT_SEPARATOR, 0, 0, u""}}, true},
      {MFT_RIGHTJUSTIFY, MFS_GRAYED | MFS_DEFAULT, CMD_QUIT, u"Q"}};
  EXPECT_EQ(Snapshot(menu, true), expected);
  MENUINFO info{sizeof(info), MIM_HELPID};
  ASSERT_TRUE(GetMenuInfo(GetSubMenu(menu, 0), &info));
  EXPECT_EQ(info.dwContextHelpID, 77u);
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), static_cast<UINT>(CMD_QUIT));
  DestroyMenu(menu);
}

TEST_F(MenuTest, NestingIsBoundedAndMalformedTemplatesFailCleanly) {
  HMENU deep = Load(IDM_DEPTH_LIMIT);
  ASSERT_NE(deep, nullptr);
  int levels = 0;
  for (HMENU at = deep; (at = GetSubMenu(at, 0)) != nullptr;) ++levels;
  EXPECT_EQ(levels, 32);
  DestroyMenu(deep);

  HMENU empty = Load(IDM_EMPTY);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(GetMenuItemCount(empty), 0);
  DestroyMenu(empty);

  size_t before = host::LiveHandles(HandleKind::Menu);
  for (int id : {IDM_TRUNCATED_POPUP, IDM_UNKNOWN_VERSION, IDM_UNTERMINATED_TEXT, IDM_TOO_DEEP,
                 IDM_EXTENDED_TRUNCATED, IDM_OFFSET_PAST_END}) {
    SetLastError(0);
    EXPECT_EQ(Load(id), nullptr) << id;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << id;
    EXPECT_EQ(host::LiveHandles(HandleKind::Menu), before) << id;
  }
  SetLastError(0);
  EXPECT_EQ(Load(999), nullptr);
  EXPECT_NE(GetLastError(), 0u);
}

TEST_F(MenuTest, IndirectTemplateBuildsTheSameMenu) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(self, MAKEINTRESOURCEW(IDM_EXTENDED), RT_MENU);
  ASSERT_NE(info, nullptr);
  const void* bytes = LockResource(LoadResource(self, info));
  HMENU indirect = LoadMenuIndirectW(bytes);
  HMENU loaded = Load(IDM_EXTENDED);
  ASSERT_NE(indirect, nullptr);
  EXPECT_EQ(Snapshot(indirect, true), Snapshot(loaded, true));
  EXPECT_EQ(LoadMenuIndirectW(nullptr), nullptr);
  DestroyMenu(indirect);
  DestroyMenu(loaded);
}

// Every truncation and every single-byte change of the real templates either builds a menu
// or fails with ERROR_INVALID_DATA; each try reads an exact-size heap copy, so a read past
// the end is caught by the address sanitizer.
TEST_F(MenuTest, DamagedTemplatesNeverReadPastTheirEnd) {
  HMODULE self = GetModuleHandleW(nullptr);
  for (int id : {IDM_STANDARD, IDM_EXTENDED}) {
    HRSRC info = FindResourceW(self, MAKEINTRESOURCEW(id), RT_MENU);
    ASSERT_NE(info, nullptr);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(self, info)));
    std::vector<BYTE> original(bytes, bytes + SizeofResource(self, info));
    auto attempt = [](const std::vector<BYTE>& data) {
      auto copy = std::make_unique<BYTE[]>(data.size());
      std::copy(data.begin(), data.end(), copy.get());
      SetLastError(0);
      HMENU menu = user::menu::BuildMenuFromTemplate(ByteView(copy.get(), data.size()));
      if (menu) return DestroyMenu(menu) != FALSE;
      return GetLastError() == static_cast<DWORD>(ERROR_INVALID_DATA);
    };
    for (size_t length = 0; length < original.size(); ++length)
      EXPECT_TRUE(attempt(std::vector<BYTE>(original.begin(), original.begin() + length))) << length;
    for (size_t at = 0; at < original.size(); ++at)
      for (BYTE value : {BYTE{0x00}, BYTE{0x80}, BYTE{0x91}, BYTE{0xFF}}) {
        std::vector<BYTE> damaged = original;
        damaged[at] = value;
        EXPECT_TRUE(attempt(damaged)) << at;
      }
  }
}

}  // namespace
}  // namespace talix::testing
