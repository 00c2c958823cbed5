// The tab skin's pictures at the rectangles the native control reports: panel frame, the
// three pieces of every tab by state and neighbours, rows, captions, validity.
#include "tab_test_support.h"

#include "frame/QuorLib.h"

#include <algorithm>
#include <string>

namespace tabtest {
namespace {

using talix::host::CapturedImage;

constexpr const char16_t* kThree[] = {u"One", u"Two", u"Six"};

// Panel pieces around the black inside, for a control whose tabs end at `b`.
void ExpectPanel(const CapturedImage& image, int b) {
  const int w = image.width, h = image.height, midY = (b + h) / 2;
  ExpectPiece(image, 1, midY, 1);
  ExpectPiece(image, 0, h - 1, 2);
  ExpectPiece(image, w - 1, midY, 4);
  ExpectPiece(image, w - 1, h - 1, 5);
  ExpectPiece(image, w / 2, h - 1, 6);
  EXPECT_EQ(Rgb(image.At(w / 2, midY)), 0u) << "the inside is black";
}

TEST_F(TabTest, NoTabsDrawOnlyTheFrameWithTheTopEdgeAboveTheClient) {
  MakeTabs({}, -1);
  const CapturedImage image = Capture();
  ExpectPanel(image, 0);
  // B = 0: the top-right corner starts at y = -1, the top edge is cut to its second row.
  ExpectPiece(image, image.width - 1, 0, 3);
  ExpectPiece(image, image.width - 1, kPieces[3].cy - 2, 3);
  ExpectPiece(image, image.width / 2, 0, 8);
  EXPECT_EQ(Rgb(image.At(image.width / 2, 1)), 0u);
}

struct RowCase {
  const char* name;
  int selected;
  int ends[3];  // the right piece of each tab
};

TEST_F(TabTest, TabsInOneRowEndWithThePieceTheirNeighboursCallFor) {
  const RowCase cases[] = {{"first selected", 0, {16, 17, 14}},
                           {"middle selected", 1, {15, 16, 14}},
                           {"last selected", 2, {17, 15, 11}}};
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.name);
    MakeTabs({kThree[0], kThree[1], kThree[2]}, c.selected);
    const CapturedImage image = Capture();
    const RECT selected = ItemRect(c.selected);
    for (int i = 0; i < 3; ++i) {
      const RECT r = ItemRect(i);
      EXPECT_EQ(r.bottom, selected.bottom) << "one row";
      const bool isSelected = i == c.selected;
      const int y = r.top + 1;  // no raise on a single row
      const int end = c.ends[i];
      const int xr = (end == 11 || end == 14) ? r.right - kPieces[end].cx
                                              : r.right - kPieces[end].cx / 2;
      ExpectPiece(image, xr, y, end);
      ExpectPiece(image, xr + kPieces[end].cx / 2, y, end);  // the rest is the next tab's
      if (i == 0) ExpectPiece(image, r.left - 2, y, isSelected ? 9 : 12);
      const int middle = isSelected ? 10 : 13;
      ExpectPiece(image, xr - 1, y, middle);
      // Every piece at its own height: unselected tabs of the selected row are not taller.
      const int height = kPieces[middle].cy;
      ExpectPiece(image, xr - 1, r.top + height - 1, middle);
      if (!isSelected) {
        EXPECT_NE(Rgb(image.At(xr - 1, r.top + height)), kPieces[middle].color);
      }
    }
    ExpectPanel(image, selected.bottom);
    ExpectPiece(image, image.width - 1, selected.bottom - 1, 3);
    ExpectPiece(image, image.width - 20, selected.bottom - 1, 8);
    tabs_.reset();
    DestroyWindow(host_);
    host_ = nullptr;
  }
}

TEST_F(TabTest, TwoRowsRaiseAllTabsAndLengthenTheRowWithoutTheSelection) {
  // Four 60-pixel tabs do not fit in 200 pixels; the selected tab's row lies on the panel.
  MakeTabs({u"A", u"B", u"C", u"D"}, 3, TCS_MULTILINE | TCS_RAGGEDRIGHT, SIZE{200, 150});
  ASSERT_EQ(tabs_->GetRowCount(), 2);
  const CapturedImage image = Capture();
  const RECT selected = ItemRect(3);
  int back = -1;  // a tab of the other row
  for (int i = 0; i < 4; ++i)
    if (ItemRect(i).bottom != selected.bottom) back = i;
  ASSERT_GE(back, 0);
  const RECT r = ItemRect(back);
  const int x = (r.left + r.right) / 2 - 20;
  ExpectPiece(image, x, r.top - 2, 13);  // raised by 3 (the top row is cut at y = 0)
  ExpectPiece(image, x, r.top - 3 + kPieces[13].cy + 2, 13);  // drawn 6 pixels taller
  // The selected tab, last in its row, ends with the panel corner moved 2 pixels right.
  ExpectPiece(image, selected.right + 1, selected.top - 3, 3);
  ExpectPiece(image, selected.right - 3, selected.top - 3 + 1, 3);
  ExpectPiece(image, selected.right - kPieces[11].cx - 2, selected.top - 3, 10);
  ExpectPanel(image, selected.bottom);
  // The panel's own corner also goes up by 3.
  ExpectPiece(image, image.width - 1, selected.bottom - 3, 3);
}

TEST_F(TabTest, WithoutSelectionNoTabLooksSelected) {
  MakeTabs({kThree[0], kThree[1], kThree[2]}, 1);
  tabs_->DeleteItem(1);  // deleting the selected tab leaves none selected
  ASSERT_EQ(tabs_->GetCurSel(), -1);
  const CapturedImage image = Capture();
  const RECT first = ItemRect(0), last = ItemRect(1);
  ExpectPiece(image, first.left - 2, first.top + 1, 12);
  ExpectPiece(image, first.right - kPieces[17].cx / 2, first.top + 1, 17);
  ExpectPiece(image, last.right - 1, last.top + 1, 14);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      for (int piece : {9, 10, 11, 16})
        ASSERT_NE(Rgb(image.At(x, y)), kPieces[piece].color) << x << "," << y;
}

// Columns of the capture inside `rect` that show `color`.
RECT InkOf(const CapturedImage& image, RECT rect, uint32_t color) {
  RECT ink{1 << 20, 1 << 20, -1, -1};
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = std::max(0, int(rect.left)); x < rect.right; ++x) {
      if (Rgb(image.At(x, y)) != color) continue;
      ink = {std::min(ink.left, LONG(x)), std::min(ink.top, LONG(y)),
             std::max(ink.right, LONG(x + 1)), std::max(ink.bottom, LONG(y + 1))};
    }
  return ink;
}

TEST_F(TabTest, CaptionsAreCentredInTheirColoursAndTheFirstFromTheLeftEdge) {
  std::u16string longText(300, u'W');
  MakeTabs({u"I", u"I", longText.c_str()}, 1);
  const CapturedImage image = Capture();
  const RECT first = ItemRect(0), second = ItemRect(1), third = ItemRect(2);
  const RECT ink0 = InkOf(image, first, kTextColor);
  ASSERT_GE(ink0.right, 0) << "caption of tab 0";
  EXPECT_NEAR((ink0.left + ink0.right) / 2.0, first.right / 2.0, 1.5);
  const RECT ink1 = InkOf(image, second, kSelectedTextColor);
  ASSERT_GE(ink1.right, 0) << "caption of the selected tab";
  EXPECT_NEAR((ink1.left + ink1.right) / 2.0, (second.left + second.right) / 2.0, 1.5);
  EXPECT_LT(InkOf(image, second, kTextColor).right, 0);
  // A caption wider than its tab stays inside it.
  const RECT ink2 = InkOf(image, RECT{third.left - 10, third.top, image.width, third.bottom},
                          kTextColor);
  ASSERT_GE(ink2.right, 0);
  EXPECT_GE(ink2.left, third.left);
  EXPECT_LE(ink2.right, third.right);
}

TEST_F(TabTest, ValidityNeedsEveryPictureButThePanelTopEdge) {
  const struct {
    int missing;
    bool valid;
  } cases[] = {{-1, true}, {0, false}, {3, false}, {7, true}, {8, true}, {10, false}, {17, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.missing);
    CQuorTabSkin skin;
    CQuorTabSkinDef def = TestSkinDef(nullptr);
    if (c.missing >= 0) def.m_nBitmapIDs[c.missing] = 0;
    skin.SetSkinDef(def);
    skin.Load();
    EXPECT_EQ(skin.IsValid(), c.valid);
  }
  CQuorTabSkin unset;
  unset.Load();
  EXPECT_FALSE(unset.IsValid()) << "the all-zero default draws nothing";
  // Loading again is judged afresh.
  unset.SetSkinDef(TestSkinDef(nullptr));
  unset.Load();
  EXPECT_TRUE(unset.IsValid());
  CQuorTabSkinDef partial = TestSkinDef(nullptr);
  partial.m_nBitmapIDs[13] = 0;
  unset.SetSkinDef(partial);
  unset.Load();
  EXPECT_FALSE(unset.IsValid());
}

TEST_F(TabTest, WithoutThePanelTopEdgeTheTopRowShowsWhatLiesBehind) {
  MakeTabs({u"A"}, 0);
  CQuorTabSkinDef def = TestSkinDef(TestFont());
  def.m_nBitmapIDs[8] = 0;
  skin_->SetSkinDef(def);
  skin_->Load();
  SendMessageW(tabs_->m_hWnd, UWM_INVALIDATEBACKBUFFER, 0, 0);
  const CapturedImage image = Capture();
  const int b = ItemRect(0).bottom;
  EXPECT_NE(Rgb(image.At(image.width - 20, b - 1)), kPieces[8].color);
  ExpectPiece(image, 1, b + 5, 1);
}

TEST_F(TabTest, BackgroundColourAnswerSwapsRedAndBlue) {
  CQuorTabCtrl bare;
  RECT rect{0, 0, 100, 50};
  MakeHost(false);
  ASSERT_TRUE(bare.Create(host_, rect, 7, WS_CHILD, 0));
  EXPECT_EQ(SendMessageW(bare.m_hWnd, QUOR_TAB_GETBKCLR, 0, 0), 0) << "no skin";
  CQuorTabSkin unloaded;
  bare.SetSkin(&unloaded);
  EXPECT_EQ(SendMessageW(bare.m_hWnd, QUOR_TAB_GETBKCLR, 0, 0), 0xE6E6F0);
  CQuorTabSkin loaded;
  loaded.SetSkinDef(TestSkinDef(nullptr));
  loaded.Load();
  bare.SetSkin(&loaded);
  EXPECT_EQ(SendMessageW(bare.m_hWnd, QUOR_TAB_GETBKCLR, 0, 0), 0);
  DestroyWindow(bare.m_hWnd);
}

}  // namespace
}  // namespace tabtest
