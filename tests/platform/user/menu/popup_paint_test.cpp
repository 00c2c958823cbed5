// The popup's pixels: the plain look (highlight, separator, marks, arrow, grayed text,
// accelerator column) and owner-drawn items drawn by the owner.
#include "popup_test_support.h"

#include <cstdint>

using namespace talix;
using namespace talix::testing;

namespace {

uint32_t Argb(COLORREF c) {
  return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
uint32_t Sys(int index) { return Argb(GetSysColor(index)); }

// Pixels of one colour (or, with `other`, of any other colour) in a rectangle.
int CountIn(const host::CapturedImage& image, RECT r, uint32_t colour, bool other = false) {
  int count = 0;
  for (int y = std::max<int>(0, r.top); y < std::min<int>(image.height, r.bottom); ++y)
    for (int x = std::max<int>(0, r.left); x < std::min<int>(image.width, r.right); ++x)
      count += (image.At(x, y) == colour) != other;
  return count;
}

using PopupPaintTest = PopupTest;

TEST_F(PopupPaintTest, ThePlainLook) {
  HMENU menu = BuildMenu({{MF_STRING | MF_CHECKED, 1, u"&Open\tCtrl+O"},
                          {MF_SEPARATOR, 0, nullptr},
                          {MF_STRING, 2, u"&Radio"},
                          {MF_POPUP, 0, u"Sub", {{MF_STRING, 3, u"Inner"}}},
                          {MF_STRING | MF_GRAYED, 4, u"Gray"}});
  ASSERT_TRUE(CheckMenuRadioItem(menu, 2, 2, 2, MF_BYPOSITION));
  host::CapturedImage image;
  RECT items[5] = {};
  Script({[] { host::KeyPress(VK_DOWN); },
          [&] {
            HWND popup = Popups().at(0);
            RECT frame;
            GetWindowRect(popup, &frame);
            for (UINT i = 0; i < 5; ++i) {
              EXPECT_TRUE(GetMenuItemRect(owner_, menu, i, &items[i]));
              items[i] = RECT{items[i].left - frame.left, items[i].top - frame.top,
                              items[i].right - frame.left, items[i].bottom - frame.top};
            }
            EXPECT_TRUE(host::CaptureWindow(popup, &image));
            host::KeyPress(VK_ESCAPE);
          }});
  TrackPopupMenuEx(menu, 0, 40, 40, owner_, nullptr);
  ASSERT_GT(image.width, 0);
  EXPECT_EQ(image.At(0, 0), Sys(COLOR_3DLIGHT)) << "raised edge";

  // The highlighted item and a plain one, at their right ends (no text there).
  const RECT& open = items[0];
  EXPECT_EQ(image.At(open.right - 2, open.top + 1), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(image.At(items[2].right - 2, items[2].top + 1), Sys(COLOR_MENU));

  // The separator: an etched line across its middle.
  const RECT& sep = items[1];
  int mid = sep.top + (sep.bottom - sep.top) / 2;
  EXPECT_EQ(image.At(sep.left + 10, mid - 1), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(image.At(sep.left + 10, mid), Sys(COLOR_3DHILIGHT));
  EXPECT_EQ(image.At(sep.left + 10, sep.top), Sys(COLOR_MENU));

  // The check mark: in the highlight text colour, inside its box 3 pixels in, nothing
  // of it before the box.
  int check = GetSystemMetrics(SM_CXMENUCHECK);
  int openMid = open.top + (open.bottom - open.top) / 2;
  RECT box{open.left + 3, openMid - check / 2, open.left + 3 + check, openMid - check / 2 + check};
  EXPECT_GT(CountIn(image, box, Sys(COLOR_HIGHLIGHTTEXT)), 5);
  EXPECT_EQ(CountIn(image, RECT{open.left, open.top, open.left + 3, open.bottom}, Sys(COLOR_HIGHLIGHTTEXT)), 0);
  // The accelerator text (smoothed glyphs) sits in its own column in the item's right
  // half.
  LONG half = open.left + (open.right - open.left) / 2;
  EXPECT_GT(CountIn(image, RECT{half, open.top, open.right, open.bottom}, Sys(COLOR_HIGHLIGHT), true), 10);

  // The radio bullet, the submenu arrow (right end) and grayed text.
  const RECT& radio = items[2];
  EXPECT_GT(CountIn(image, RECT{radio.left + 3, radio.top, radio.left + 3 + check, radio.bottom},
                    Sys(COLOR_MENUTEXT)), 3);
  const RECT& sub = items[3];
  EXPECT_GT(CountIn(image, RECT{sub.right - check, sub.top, sub.right, sub.bottom}, Sys(COLOR_MENUTEXT)), 3);
  EXPECT_EQ(CountIn(image, RECT{items[2].right - check, items[2].top, items[2].right, items[2].bottom},
                    Sys(COLOR_MENUTEXT)), 0) << "no arrow without a submenu";
  EXPECT_GT(CountIn(image, items[4], Sys(COLOR_MENU), true), 5) << "grayed text is drawn";
  EXPECT_EQ(CountIn(image, items[4], Sys(COLOR_MENUTEXT)), 0) << "but not in the text colour";
  DestroyMenu(menu);
}

TEST_F(PopupPaintTest, RightOrderItemsAreMirrored) {
  HMENU menu = CreatePopupMenu();
  MENUITEMINFOW item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  item.fType = MFT_STRING | MFT_RIGHTORDER;
  item.fState = MFS_CHECKED;
  item.wID = 5;
  WCHAR text[] = u"Wide item text";
  item.dwTypeData = text;
  ASSERT_TRUE(InsertMenuItemW(menu, 0, TRUE, &item));
  host::CapturedImage image;
  Script({[&] {
    EXPECT_TRUE(host::CaptureWindow(Popups().at(0), &image));
    host::KeyPress(VK_ESCAPE);
  }});
  TrackPopupMenuEx(menu, 0, 40, 40, owner_, nullptr);
  ASSERT_GT(image.width, 0);
  int check = GetSystemMetrics(SM_CXMENUCHECK), border = 3;
  RECT rightEnd{image.width - border - 3 - check, border, image.width - border - 3, image.height - border};
  RECT leftEnd{border, border, border + 3 + check, image.height - border};
  EXPECT_GT(CountIn(image, rightEnd, Sys(COLOR_MENUTEXT)), 5) << "the check mark on the right";
  EXPECT_EQ(CountIn(image, leftEnd, Sys(COLOR_MENU), true), 0) << "nothing at the left end";
  DestroyMenu(menu);
}

TEST_F(PopupPaintTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_OWNERDRAW, 300, reinterpret_cast<LPCWSTR>(0x77));
  AppendMenuW(menu, MF_OWNERDRAW | MF_CHECKED, 301, reinterpret_cast<LPCWSTR>(0x78));
  std::vector<UINT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
  Owner().measure = [&](MEASUREITEMSTRUCT* m) {
    measured.push_back(m->itemID);
    EXPECT_EQ(m->CtlType, static_cast<UINT>(ODT_MENU));
    m->itemWidth = 120;
    m->itemHeight = 24;
  };
  Owner().draw = [&](const DRAWITEMSTRUCT* d) {
    drawn.push_back(*d);
    HBRUSH brush = CreateSolidBrush((d->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : RGB(0, 0, 255));
    FillRect(d->hDC, &d->rcItem, brush);
    DeleteObject(brush);
  };
  host::CapturedImage image;
  Script({[] { host::KeyPress(VK_DOWN); },
          [&] {
            EXPECT_TRUE(host::CaptureWindow(Popups().at(0), &image));
            host::KeyPress(VK_ESCAPE);
          }});
  TrackPopupMenuEx(menu, 0, 40, 40, owner_, nullptr);
  EXPECT_EQ(measured, (std::vector<UINT>{300, 301}));
  ASSERT_EQ(image.width, 120 + 6);
  ASSERT_EQ(image.height, 2 * 24 + 6);
  EXPECT_EQ(image.At(60, 3 + 12), 0xFFFF0000u) << "the selected item";
  EXPECT_EQ(image.At(60, 3 + 24 + 12), 0xFF0000FFu);
  ASSERT_FALSE(drawn.empty());
  const DRAWITEMSTRUCT& last = drawn.back();
  EXPECT_EQ(last.CtlType, static_cast<UINT>(ODT_MENU));
  EXPECT_EQ(last.hwndItem, reinterpret_cast<HWND>(menu));
  bool sawChecked = false;
  for (const DRAWITEMSTRUCT& d : drawn) {
    EXPECT_EQ(d.itemData, d.itemID == 300 ? 0x77u : 0x78u);
    if (d.itemID == 301) sawChecked = sawChecked || (d.itemState & ODS_CHECKED);
    EXPECT_EQ(d.rcItem.right - d.rcItem.left, 120);
  }
  EXPECT_TRUE(sawChecked);
  DestroyMenu(menu);
}

}  // namespace
