// Tabs as data: insertion at any place, copied text, short buffers, masks, states, the
// application's extra bytes, and the selection kept across insertions and deletions.
// Also the common controls start-up functions and the class being there.
#include "tab_fixture.h"

#include <cstring>

namespace talix::testing {
namespace {

using TabItemsTest = TabTest;

std::u16string TextOf(HWND tab, int index, int bufferChars = 64) {
  std::vector<WCHAR> buffer(size_t(bufferChars) + 1, u'#');
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer.data();
  item.cchTextMax = bufferChars;
  if (!SendMessageW(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return u"<fail>";
  EXPECT_EQ(buffer[size_t(bufferChars)], u'#') << "wrote past cchTextMax";
  return std::u16string(buffer.data());
}

TEST_F(TabItemsTest, InsertPlacesTabsAndCopiesTheirText) {
  HWND tab = Tab(0);
  WCHAR label[16];
  std::memcpy(label, u"Alpha", sizeof(u"Alpha"));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = label;
  struct Case {
    int at;
    const char16_t* text;
    LRESULT expected;
  } const cases[] = {{0, u"B", 0}, {0, u"A", 0}, {99, u"D", 2}, {2, u"C", 2}, {-1, u"X", -1}};
  for (const Case& c : cases) {
    std::memcpy(label, c.text, (std::char_traits<char16_t>::length(c.text) + 1) * 2);
    EXPECT_EQ(SendMessageW(tab, TCM_INSERTITEMW, c.at, reinterpret_cast<LPARAM>(&item)),
              c.expected);
  }
  std::memcpy(label, u"changed", sizeof(u"changed"));  // the control keeps its own copy
  ASSERT_EQ(Count(tab), 4);
  const char16_t* expected[] = {u"A", u"B", u"C", u"D"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(TextOf(tab, i), expected[i]);
  EXPECT_EQ(SendMessageW(tab, TCM_INSERTITEMW, 0, 0), -1) << "no record";
  EXPECT_FALSE(SendMessageW(tab, TCM_GETITEMW, 4, reinterpret_cast<LPARAM>(&item)));
}

TEST_F(TabItemsTest, ShortBufferTruncatesAndTerminates) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"Settings"});
  EXPECT_EQ(TextOf(tab, 0, 4), u"Set");
  EXPECT_EQ(TextOf(tab, 0, 1), u"");
  EXPECT_EQ(TextOf(tab, 0, 9), u"Settings");
}

TEST_F(TabItemsTest, SetItemChangesOnlyTheMaskedFields) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"One"});
  TCITEMW set{};
  set.mask = TCIF_IMAGE | TCIF_STATE;
  set.iImage = 3;
  set.dwState = TCIS_HIGHLIGHTED | TCIS_BUTTONPRESSED;
  set.dwStateMask = TCIS_HIGHLIGHTED;
  ASSERT_TRUE(SendMessageW(tab, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&set)));
  TCITEMW got{};
  got.mask = TCIF_IMAGE | TCIF_STATE | TCIF_PARAM;
  got.dwStateMask = TCIS_HIGHLIGHTED | TCIS_BUTTONPRESSED;
  ASSERT_TRUE(SendMessageW(tab, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(got.iImage, 3);
  EXPECT_EQ(got.dwState, DWORD(TCIS_HIGHLIGHTED)) << "only the bits of dwStateMask change";
  EXPECT_EQ(got.lParam, 1000) << "the parameter was not in the mask";
  EXPECT_EQ(TextOf(tab, 0), u"One");
  EXPECT_TRUE(SendMessageW(tab, TCM_HIGHLIGHTITEM, 0, MAKELPARAM(FALSE, 0)));
  ASSERT_TRUE(SendMessageW(tab, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(got.dwState, 0u);
  EXPECT_FALSE(SendMessageW(tab, TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&set)));
}

TEST_F(TabItemsTest, ExtraBytesFollowTheHeader) {
  struct Record {
    TCITEMHEADERW header;
    char payload[24];
  };
  HWND tab = Tab(0);
  ASSERT_TRUE(SendMessageW(tab, TCM_SETITEMEXTRA, sizeof(Record::payload), 0));
  Record in{};
  in.header.mask = TCIF_PARAM | TCIF_TEXT;
  in.header.pszText = const_cast<LPWSTR>(u"Data");
  std::strcpy(in.payload, "twenty-three bytes here");
  ASSERT_EQ(SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&in)), 0);
  Record out{};
  out.header.mask = TCIF_PARAM;
  ASSERT_TRUE(SendMessageW(tab, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&out)));
  EXPECT_STREQ(out.payload, "twenty-three bytes here");
  EXPECT_FALSE(SendMessageW(tab, TCM_SETITEMEXTRA, 4, 0)) << "only while the control is empty";
}

TEST_F(TabItemsTest, SelectionFollowsInsertionsAndDeletions) {
  HWND tab = Tab(0);
  EXPECT_EQ(Selection(tab), -1);
  AddTabs(tab, {u"A"});
  EXPECT_EQ(Selection(tab), 0) << "the first tab is selected";
  AddTabs(tab, {u"B", u"C", u"D"});
  EXPECT_EQ(SendMessageW(tab, TCM_SETCURSEL, 2, 0), 0) << "returns the previous selection";
  EXPECT_EQ(SendMessageW(tab, TCM_SETCURSEL, 9, 0), -1);
  EXPECT_EQ(Selection(tab), 2);
  TCITEMW item{};
  SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(Selection(tab), 3) << "a tab inserted before the selection moves it";
  EXPECT_TRUE(SendMessageW(tab, TCM_DELETEITEM, 0, 0));
  EXPECT_EQ(Selection(tab), 2);
  EXPECT_TRUE(SendMessageW(tab, TCM_DELETEITEM, 2, 0));
  EXPECT_EQ(Selection(tab), -1) << "deleting the selected tab leaves none selected";
  EXPECT_FALSE(SendMessageW(tab, TCM_DELETEITEM, 7, 0));
  EXPECT_TRUE(SendMessageW(tab, TCM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(Count(tab), 0);
  EXPECT_TRUE(TakeNotices().empty()) << "none of these notify the parent";
}

TEST_F(TabItemsTest, RemoveImageRenumbersTheTabsImages) {
  HWND tab = Tab(0);
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 3, 0);
  ASSERT_TRUE(ImageList_SetImageCount(list, 3));
  EXPECT_EQ(SendMessageW(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)), 0);
  EXPECT_EQ(SendMessageW(tab, TCM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(list));
  for (int image : {0, 1, 2}) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = image;
    SendMessageW(tab, TCM_INSERTITEMW, image, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(tab, TCM_REMOVEIMAGE, 1, 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  const int expected[] = {0, -1, 1};
  for (int i = 0; i < 3; ++i) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, expected[i]) << "tab " << i;
  }
  DestroyWindow(tab);
  EXPECT_TRUE(ImageList_Destroy(list)) << "the control does not own the list";
}

TEST_F(TabItemsTest, StoredSettingsReturnTheirPreviousValues) {
  HWND tab = Tab(0);
  EXPECT_EQ(SendMessageW(tab, TCM_SETEXTENDEDSTYLE, 0, TCS_EX_FLATSEPARATORS), 0);
  EXPECT_EQ(SendMessageW(tab, TCM_SETEXTENDEDSTYLE, TCS_EX_REGISTERDROP, TCS_EX_REGISTERDROP),
            TCS_EX_FLATSEPARATORS);
  EXPECT_EQ(SendMessageW(tab, TCM_GETEXTENDEDSTYLE, 0, 0),
            TCS_EX_FLATSEPARATORS | TCS_EX_REGISTERDROP);
  SendMessageW(tab, TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(parent_), 0);
  EXPECT_EQ(SendMessageW(tab, TCM_GETTOOLTIPS, 0, 0), reinterpret_cast<LRESULT>(parent_));
  EXPECT_EQ(SendMessageW(tab, TCM_SETMINTABWIDTH, 0, 50), 0);
  EXPECT_EQ(SendMessageW(tab, TCM_SETMINTABWIDTH, 0, -1), 50);
  EXPECT_TRUE(SendMessageW(tab, CCM_GETUNICODEFORMAT, 0, 0));
  SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(0, 24));
  EXPECT_EQ(SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(80, 30)), MAKELRESULT(96, 24))
      << "the previous width (the fixed default) and height";
  HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SendMessageW(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_EQ(SendMessageW(tab, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
}

TEST_F(TabItemsTest, InitCommonControlsExChecksTheRequest) {
  struct Case {
    DWORD size;
    DWORD classes;
    BOOL expected;
  } const cases[] = {
      {sizeof(INITCOMMONCONTROLSEX), 0x7FF, TRUE},
      {sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES, TRUE},
      {sizeof(INITCOMMONCONTROLSEX), ICC_LINK_CLASS | ICC_STANDARD_CLASSES, TRUE},
      {sizeof(INITCOMMONCONTROLSEX) + 4, ICC_TAB_CLASSES, FALSE},
      {0, ICC_TAB_CLASSES, FALSE},
      {sizeof(INITCOMMONCONTROLSEX), 0x10000, FALSE},
  };
  for (const Case& c : cases) {
    INITCOMMONCONTROLSEX icc{c.size, c.classes};
    SetLastError(0);
    EXPECT_EQ(InitCommonControlsEx(&icc), c.expected) << c.size << " " << c.classes;
    if (!c.expected) {
      EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    }
  }
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
  InitCommonControls();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  EXPECT_TRUE(GetClassInfoExW(nullptr, WC_TABCONTROLW, &wc));
  EXPECT_TRUE(wc.style & CS_GLOBALCLASS);
}

}  // namespace
}  // namespace talix::testing
