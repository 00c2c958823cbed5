// Menu items: MENUITEMINFOW round trips, the legacy MF_* functions, searches by command,
// item states, the default item and MENUINFO.
#include "menu_test_support.h"

namespace talix::testing {
namespace {

HBITMAP FakeBitmap(uintptr_t value) { return reinterpret_cast<HBITMAP>(value); }

HMENU MenuWithStart() {
  HMENU menu = CreatePopupMenu();
  EXPECT_TRUE(AppendMenuW(menu, MF_STRING, 1, u"Start"));
  return menu;
}

std::u16string ItemText(HMENU menu, UINT item, BOOL byPosition) {
  WCHAR text[64] = {};
  MENUITEMINFOW mii{sizeof(mii), MIIM_STRING};
  mii.dwTypeData = text;
  mii.cch = 64;
  EXPECT_TRUE(GetMenuItemInfoW(menu, item, byPosition, &mii));
  return text;
}

TEST_F(MenuTest, EveryMaskRoundTripsAndLeavesTheRestAlone) {
  HMENU sub = CreatePopupMenu();
  WCHAR typed[] = u"Typed", renamed[] = u"Renamed";
  struct Case {
    const char* name;
    MENUITEMINFOW set;
    const char16_t* textAfter;  // what MIIM_STRING reads afterwards
  } cases[] = {
      {"id", {sizeof(MENUITEMINFOW), MIIM_ID, 0, 0, 77}, u"Start"},
      {"state", {sizeof(MENUITEMINFOW), MIIM_STATE, 0, MFS_CHECKED | MFS_DEFAULT | MFS_GRAYED}, u"Start"},
      {"submenu", {sizeof(MENUITEMINFOW), MIIM_SUBMENU, 0, 0, 0, sub}, u"Start"},
      {"checkmarks", {sizeof(MENUITEMINFOW), MIIM_CHECKMARKS, 0, 0, 0, nullptr, FakeBitmap(0x1234), FakeBitmap(0x5678)}, u"Start"},
      {"data", {sizeof(MENUITEMINFOW), MIIM_DATA, 0, 0, 0, nullptr, nullptr, nullptr, 0xDEADBEEFCAFEull}, u"Start"},
      {"ftype keeps the string", {sizeof(MENUITEMINFOW), MIIM_FTYPE, MFT_OWNERDRAW | MFT_RADIOCHECK}, u"Start"},
      {"ftype right", {sizeof(MENUITEMINFOW), MIIM_FTYPE, MFT_RIGHTJUSTIFY | MFT_RIGHTORDER}, u"Start"},
      {"type string", {sizeof(MENUITEMINFOW), MIIM_TYPE, MFT_STRING, 0, 0, nullptr, nullptr, nullptr, 0, typed}, u"Typed"},
      {"string", {sizeof(MENUITEMINFOW), MIIM_STRING, 0, 0, 0, nullptr, nullptr, nullptr, 0, renamed}, u"Renamed"},
      {"bitmap", {sizeof(MENUITEMINFOW), MIIM_BITMAP, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr, 0, HBMMENU_POPUP_CLOSE}, u"Start"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HMENU menu = MenuWithStart();
    ASSERT_TRUE(SetMenuItemInfoW(menu, 1, FALSE, &c.set));
    UINT id = (c.set.fMask & MIIM_ID) ? c.set.wID : 1;
    WCHAR text[64] = {};
    MENUITEMINFOW got{sizeof(got), c.set.fMask};
    got.dwTypeData = text;
    got.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, id, FALSE, &got));
    EXPECT_EQ(got.fType, c.set.fType);
    EXPECT_EQ(got.fState, c.set.fState);
    EXPECT_EQ(got.wID, c.set.wID);
    EXPECT_EQ(got.hSubMenu, c.set.hSubMenu);
    EXPECT_EQ(got.hbmpChecked, c.set.hbmpChecked);
    EXPECT_EQ(got.hbmpUnchecked, c.set.hbmpUnchecked);
    EXPECT_EQ(got.dwItemData, c.set.dwItemData);
    EXPECT_EQ(got.hbmpItem, c.set.hbmpItem);
    if (c.set.fMask & (MIIM_STRING | MIIM_TYPE)) {
      EXPECT_EQ(std::u16string(text), c.textAfter);
    }
    EXPECT_EQ(ItemText(menu, 0, TRUE), c.textAfter);
    if (c.set.hSubMenu) RemoveMenu(menu, 0, MF_BYPOSITION);  // the submenu is destroyed last
    DestroyMenu(menu);
  }
  DestroyMenu(sub);
}

TEST_F(MenuTest, TypeMaskCarriesBitmapsAndOwnerDrawValues) {
  HMENU menu = MenuWithStart();
  MENUITEMINFOW set{sizeof(set), MIIM_TYPE, MFT_BITMAP};
  set.dwTypeData = reinterpret_cast<LPWSTR>(0x4321);
  ASSERT_TRUE(SetMenuItemInfoW(menu, 0, TRUE, &set));
  MENUITEMINFOW got{sizeof(got), MIIM_TYPE | MIIM_BITMAP};
  ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &got));
  EXPECT_EQ(got.fType, static_cast<UINT>(MFT_BITMAP));
  EXPECT_EQ(got.dwTypeData, reinterpret_cast<LPWSTR>(0x4321));
  EXPECT_EQ(got.hbmpItem, FakeBitmap(0x4321));
  EXPECT_EQ(got.cch, 0u);

  set.fType = MFT_OWNERDRAW;
  set.dwTypeData = reinterpret_cast<LPWSTR>(0x99);
  ASSERT_TRUE(SetMenuItemInfoW(menu, 0, TRUE, &set));
  got = MENUITEMINFOW{sizeof(got), MIIM_TYPE | MIIM_DATA};
  ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &got));
  EXPECT_EQ(got.dwItemData, 0x99u);
  EXPECT_EQ(got.dwTypeData, reinterpret_cast<LPWSTR>(0x99));

  set.fType = MFT_BITMAP | MFT_SEPARATOR;  // exclusive types
  SetLastError(0);
  EXPECT_FALSE(SetMenuItemInfoW(menu, 0, TRUE, &set));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  set.cbSize = 12;
  EXPECT_FALSE(SetMenuItemInfoW(menu, 0, TRUE, &set));
  EXPECT_FALSE(GetMenuItemInfoW(menu, 0, TRUE, nullptr));
  DestroyMenu(menu);
}

TEST_F(MenuTest, StringReadsFollowTheBufferSize) {
  HMENU menu = MenuWithStart();  // "Start": 5 characters
  struct Case {
    bool buffer;
    UINT cch;
    UINT cchAfter;
    const char16_t* copied;
  } cases[] = {{false, 10, 5, u""},   {true, 0, 5, u"#"},       {true, 1, 0, u""},
               {true, 3, 2, u"St"},   {true, 5, 4, u"Star"},    {true, 6, 5, u"Start"},
               {true, 100, 5, u"Start"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cch);
    WCHAR text[100];
    std::fill(std::begin(text), std::end(text), u'#');
    text[1] = 0;
    MENUITEMINFOW mii{sizeof(mii), MIIM_STRING};
    mii.dwTypeData = c.buffer ? text : nullptr;
    mii.cch = c.cch;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &mii));
    EXPECT_EQ(mii.cch, c.cchAfter);
    if (c.buffer) {
      EXPECT_EQ(std::u16string(text), c.copied);
    }

    std::fill(std::begin(text), std::end(text), u'#');
    int n = GetMenuStringW(menu, 0, c.buffer ? text : nullptr, static_cast<int>(c.cch), MF_BYPOSITION);
    EXPECT_EQ(n, static_cast<int>(c.cchAfter));
    if (c.buffer && c.cch > 0) {
      EXPECT_EQ(std::u16string(text), c.copied);
    }
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  WCHAR text[8] = u"xxxxxxx";
  MENUITEMINFOW mii{sizeof(mii), MIIM_STRING | MIIM_FTYPE};
  mii.dwTypeData = text;
  mii.cch = 8;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &mii));
  EXPECT_EQ(mii.fType, static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_EQ(mii.cch, 0u);
  EXPECT_EQ(text[0], 0);
  DestroyMenu(menu);
}

// bar: [File: [Open 10, Recent: [Ten 10 (second), Twenty 20]], Edit 10 (third), Help 30]
struct SearchFixture {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU recent = CreatePopupMenu();
  SearchFixture() {
    AppendMenuW(recent, MF_STRING, 10, u"Ten");
    AppendMenuW(recent, MF_STRING, 20, u"Twenty");
    AppendMenuW(file, MF_STRING, 10, u"Open");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), u"Recent");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"File");
    AppendMenuW(bar, MF_STRING, 10, u"Edit");
    AppendMenuW(bar, MF_STRING, 30, u"Help");
  }
  ~SearchFixture() { DestroyMenu(bar); }
};

TEST_F(MenuTest, ByCommandSearchesSubmenusDepthFirst) {
  SearchFixture f;
  struct Case {
    UINT command;
    const char16_t* text;
  } cases[] = {{10, u"Open"}, {20, u"Twenty"}, {30, u"Help"},
               {static_cast<UINT>(reinterpret_cast<uintptr_t>(f.recent)), u"Recent"}};
  for (const Case& c : cases) EXPECT_EQ(ItemText(f.bar, c.command, FALSE), c.text) << c.command;

  MENUITEMINFOW mii{sizeof(mii), MIIM_SUBMENU};
  ASSERT_TRUE(GetMenuItemInfoW(f.bar, static_cast<UINT>(reinterpret_cast<uintptr_t>(f.file)), FALSE, &mii));
  EXPECT_EQ(mii.hSubMenu, f.file);
  SetLastError(0);
  EXPECT_FALSE(GetMenuItemInfoW(f.bar, 99, FALSE, &mii));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
  EXPECT_FALSE(GetMenuItemInfoW(f.bar, 3, TRUE, &mii));

  // Edits by command land in the submenu that holds the item.
  EXPECT_EQ(CheckMenuItem(f.bar, 20, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(GetMenuState(f.recent, 1, MF_BYPOSITION), static_cast<UINT>(MF_CHECKED));
  ASSERT_TRUE(InsertMenuW(f.bar, 20, MF_BYCOMMAND | MF_STRING, 15, u"Fifteen"));
  EXPECT_EQ(GetMenuItemCount(f.recent), 3);
  EXPECT_EQ(GetMenuItemID(f.recent, 1), 15u);
  ASSERT_TRUE(DeleteMenu(f.bar, 15, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(f.recent), 2);
}

TEST_F(MenuTest, LegacyFlagsDescribeTheItem) {
  HMENU menu = CreateMenu();
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 1, u"a");
  AppendMenuW(sub, MF_STRING, 2, u"b");
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING | MF_GRAYED | MF_CHECKED, 5, u"five"));
  ASSERT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenuW(menu, MF_OWNERDRAW, 6, reinterpret_cast<LPCWSTR>(0xABCD)));
  ASSERT_TRUE(AppendMenuW(menu, MF_BITMAP, 7, reinterpret_cast<LPCWSTR>(0x77)));
  ASSERT_TRUE(AppendMenuW(menu, MF_POPUP | MF_DISABLED, reinterpret_cast<UINT_PTR>(sub), u"sub"));
  ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING | MF_MENUBREAK, 4, u"four"));
  ASSERT_TRUE(InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_HELP, 8, u"eight"));
  ASSERT_EQ(GetMenuItemCount(menu), 7);

  struct Expected {
    UINT state;
    UINT id;
  } expected[] = {{MF_MENUBREAK, 4},  {MF_GRAYED | MF_CHECKED, 5}, {MF_SEPARATOR, 0},
                  {MF_OWNERDRAW, 6},  {MF_BITMAP, 7},
                  {MF_POPUP | MF_DISABLED | (2u << 8), static_cast<UINT>(-1)},
                  {MF_HELP, 8}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(GetMenuState(menu, i, MF_BYPOSITION), expected[i].state) << i;
    EXPECT_EQ(GetMenuItemID(menu, i), expected[i].id) << i;
    EXPECT_EQ(GetSubMenu(menu, i), i == 5 ? sub : nullptr) << i;
  }
  MENUITEMINFOW mii{sizeof(mii), MIIM_DATA | MIIM_BITMAP | MIIM_ID};
  ASSERT_TRUE(GetMenuItemInfoW(menu, 3, TRUE, &mii));
  EXPECT_EQ(mii.dwItemData, 0xABCDu);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 4, TRUE, &mii));
  EXPECT_EQ(mii.hbmpItem, FakeBitmap(0x77));
  ASSERT_TRUE(GetMenuItemInfoW(menu, 5, TRUE, &mii));
  EXPECT_EQ(mii.wID, static_cast<UINT>(reinterpret_cast<uintptr_t>(sub)));

  EXPECT_EQ(GetMenuItemID(menu, 7), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuItemID(menu, -1), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuState(menu, 99, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(0x1234)), -1);
  DestroyMenu(menu);
}

TEST_F(MenuTest, SubmenusLiveAndDieWithTheirItems) {
  HMENU menu = CreateMenu();
  HMENU kept = CreatePopupMenu();
  HMENU deleted = CreatePopupMenu();
  HMENU replaced = CreatePopupMenu();
  HMENU nested = CreatePopupMenu();
  AppendMenuW(replaced, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), u"nested");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), u"kept");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(deleted), u"deleted");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(replaced), u"replaced");

  ASSERT_TRUE(ModifyMenuW(menu, 2, MF_BYPOSITION | MF_STRING, 9, u"plain"));
  EXPECT_FALSE(IsMenu(replaced));
  EXPECT_FALSE(IsMenu(nested));
  EXPECT_EQ(ItemText(menu, 9, FALSE), u"plain");
  ASSERT_TRUE(RemoveMenu(menu, 0, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(kept));
  ASSERT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(deleted));
  EXPECT_FALSE(DeleteMenu(menu, 5, MF_BYPOSITION));
  EXPECT_EQ(GetMenuItemCount(menu), 1);

  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), u"again");
  ASSERT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(kept));
  SetLastError(0);
  EXPECT_FALSE(DestroyMenu(menu));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

TEST_F(MenuTest, AMenuCannotContainItself) {
  HMENU outer = CreatePopupMenu();
  HMENU inner = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), u"inner"));
  EXPECT_FALSE(AppendMenuW(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), u"self"));
  EXPECT_FALSE(AppendMenuW(inner, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), u"loop"));
  AppendMenuW(inner, MF_STRING, 1, u"one");
  MENUITEMINFOW mii{sizeof(mii), MIIM_SUBMENU};
  mii.hSubMenu = outer;
  EXPECT_FALSE(SetMenuItemInfoW(inner, 0, TRUE, &mii));
  EXPECT_FALSE(InsertMenuItemW(inner, 0, TRUE, &mii));
  mii.hSubMenu = reinterpret_cast<HMENU>(0x5555);
  SetLastError(0);
  EXPECT_FALSE(SetMenuItemInfoW(inner, 0, TRUE, &mii));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(GetMenuItemCount(inner), 1);
  DestroyMenu(outer);
}

TEST_F(MenuTest, InsertMenuItemPlacesByPositionOrCommand) {
  HMENU menu = MenuWithStart();
  WCHAR first[] = u"first", last[] = u"last", before[] = u"before";
  MENUITEMINFOW mii{sizeof(mii), MIIM_STRING | MIIM_ID};
  mii.dwTypeData = first;
  mii.wID = 2;
  ASSERT_TRUE(InsertMenuItemW(menu, 0, TRUE, &mii));
  mii.dwTypeData = last;
  mii.wID = 3;
  ASSERT_TRUE(InsertMenuItemW(menu, 50, TRUE, &mii));
  mii.dwTypeData = before;
  mii.wID = 4;
  ASSERT_TRUE(InsertMenuItemW(menu, 1, FALSE, &mii));  // before the item with id 1
  EXPECT_FALSE(InsertMenuItemW(menu, 77, FALSE, &mii));
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  EXPECT_EQ(ids, (std::vector<UINT>{2, 4, 1, 3}));
  DestroyMenu(menu);
}

TEST_F(MenuTest, RadioChecksMarkOneItemOfTheGroup) {
  HMENU menu = CreatePopupMenu();
  for (UINT id = 1; id <= 5; ++id) AppendMenuW(menu, MF_STRING, id, u"x");
  CheckMenuItem(menu, 5, MF_CHECKED);
  CheckMenuItem(menu, 1, MF_CHECKED);
  ASSERT_TRUE(CheckMenuRadioItem(menu, 1, 4, 3, MF_BYCOMMAND));
  ASSERT_TRUE(CheckMenuRadioItem(menu, 0, 3, 1, MF_BYPOSITION));  // now id 2
  struct Expected {
    bool checked, radio;
  } expected[] = {{false, false}, {true, true}, {false, false}, {false, false}, {true, false}};
  for (int i = 0; i < 5; ++i) {
    MENUITEMINFOW mii{sizeof(mii), MIIM_STATE | MIIM_FTYPE};
    GetMenuItemInfoW(menu, i, TRUE, &mii);
    EXPECT_EQ((mii.fState & MFS_CHECKED) != 0, expected[i].checked) << i;
    EXPECT_EQ((mii.fType & MFT_RADIOCHECK) != 0, expected[i].radio) << i;
  }
  EXPECT_FALSE(CheckMenuRadioItem(menu, 1, 3, 5, MF_BYCOMMAND));  // outside the group
  EXPECT_FALSE(CheckMenuRadioItem(menu, 3, 1, 2, MF_BYCOMMAND));
  EXPECT_FALSE(CheckMenuRadioItem(menu, 1, 9, 2, MF_BYCOMMAND));
  DestroyMenu(menu);
}

TEST_F(MenuTest, StateChangesReportThePreviousState) {
  HMENU menu = MenuWithStart();
  EXPECT_EQ(EnableMenuItem(menu, 1, MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(menu, 1, MF_DISABLED), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(menu, 0, MF_BYPOSITION | MF_ENABLED), MF_DISABLED);
  EXPECT_EQ(EnableMenuItem(menu, 9, MF_GRAYED), -1);
  EXPECT_EQ(CheckMenuItem(menu, 1, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 1, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 9, MF_CHECKED), static_cast<DWORD>(-1));
  EXPECT_TRUE(HiliteMenuItem(nullptr, menu, 1, MF_HILITE));
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND), static_cast<UINT>(MF_HILITE));
  EXPECT_TRUE(HiliteMenuItem(nullptr, menu, 1, MF_UNHILITE));
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND), 0u);
  EXPECT_FALSE(HiliteMenuItem(nullptr, menu, 9, MF_HILITE));
  DestroyMenu(menu);
}

TEST_F(MenuTest, OneDefaultItemPerMenu) {
  HMENU menu = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 21, u"a");
  AppendMenuW(sub, MF_STRING, 22, u"b");
  AppendMenuW(menu, MF_STRING, 11, u"one");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"sub");
  UINT none = static_cast<UINT>(-1);
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), none);
  ASSERT_TRUE(SetMenuDefaultItem(menu, 11, FALSE));
  ASSERT_TRUE(SetMenuDefaultItem(menu, 1, TRUE));  // moves to the popup
  EXPECT_EQ(GetMenuState(menu, 11, MF_BYCOMMAND) & MF_DEFAULT, 0u);
  EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 1u);
  EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, GMDI_GOINTOPOPUPS), 1u);  // sub has none
  SetMenuDefaultItem(sub, 22, FALSE);
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_GOINTOPOPUPS), 22u);
  EnableMenuItem(sub, 22, MF_GRAYED);
  EXPECT_EQ(GetMenuDefaultItem(sub, FALSE, 0), none);
  EXPECT_EQ(GetMenuDefaultItem(sub, FALSE, GMDI_USEDISABLED), 22u);
  EXPECT_FALSE(SetMenuDefaultItem(menu, 99, FALSE));
  ASSERT_TRUE(SetMenuDefaultItem(menu, none, FALSE));
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), none);
  DestroyMenu(menu);
}

TEST_F(MenuTest, MenuInfoRoundTripsAndReachesSubmenus) {
  HMENU menu = CreateMenu();
  HMENU sub = CreatePopupMenu();
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"sub");
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  MENUINFO set{sizeof(set), MIM_STYLE | MIM_MAXHEIGHT | MIM_BACKGROUND | MIM_HELPID | MIM_MENUDATA,
               MNS_NOCHECK | MNS_NOTIFYBYPOS, 300, brush, 42, 0xFEEDu};
  ASSERT_TRUE(SetMenuInfo(menu, &set));
  MENUINFO got{sizeof(got), set.fMask};
  ASSERT_TRUE(GetMenuInfo(menu, &got));
  EXPECT_EQ(got.dwStyle, set.dwStyle);
  EXPECT_EQ(got.cyMax, 300u);
  EXPECT_EQ(got.hbrBack, brush);
  EXPECT_EQ(got.dwContextHelpID, 42u);
  EXPECT_EQ(got.dwMenuData, 0xFEEDu);
  MENUINFO subInfo{sizeof(subInfo), MIM_MENUDATA};
  ASSERT_TRUE(GetMenuInfo(sub, &subInfo));
  EXPECT_EQ(subInfo.dwMenuData, 0u);
  set.fMask = MIM_MENUDATA | MIM_APPLYTOSUBMENUS;
  set.dwMenuData = 7;
  ASSERT_TRUE(SetMenuInfo(menu, &set));
  ASSERT_TRUE(GetMenuInfo(sub, &subInfo));
  EXPECT_EQ(subInfo.dwMenuData, 7u);
  set.cbSize = sizeof(set) - 4;
  EXPECT_FALSE(SetMenuInfo(menu, &set));
  EXPECT_FALSE(GetMenuInfo(menu, nullptr));
  DeleteObject(brush);
  DestroyMenu(menu);
}

}  // namespace
}  // namespace talix::testing
