// Skinned windows paint from back buffers: a tree of three skinned windows whose
// transparent parts show their ancestors' buffers, in both layouts; the private
// messages; a look change; windows without a usable skin.
#include "skin_test_support.h"

#include <memory>

namespace skintest {
namespace {

using SkinnedWindow = CQuorWindowImpl<TestSkin>;

constexpr WCHAR kBackBufferProp[] = u"PROP_BACKBUFFER";
constexpr COLORREF kRed = RGB(220, 20, 30);
constexpr COLORREF kBlue = RGB(10, 40, 230);

// One skinned window of the tree: where it sits in its parent's client area and the
// part its skin paints opaque.
struct Layer {
  RECT place;
  RECT opaque;
  COLORREF color;
};

// Top 200x150 painted with the position pattern; a child whose top band is red; a
// grandchild reaching into that band with a blue corner. Everything else of the two
// lower windows is transparent.
constexpr Layer kChild = {{30, 20, 130, 100}, {0, 0, 100, 10}, kRed};
constexpr Layer kGrandchild = {{10, 5, 50, 35}, {0, 0, 10, 10}, kBlue};
constexpr int kTopWidth = 200;
constexpr int kTopHeight = 150;

bool Inside(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Screen column of a layer's left edge, its parent's left edge and width given. A
// mirrored parent places its children from its right edge.
int ScreenLeft(const Layer& layer, int parentLeft, int parentWidth, bool rtl) {
  return parentLeft + (rtl ? parentWidth - layer.place.right : layer.place.left);
}

// What the back-buffer protocol composes at column x, row y of the top window: the
// deepest opaque part wins, else the top skin's pattern. In both layouts a skin's
// drawing shows unflipped inside its window (pictures are flipped when they load), and
// transparent parts line up with the ancestor's picture around the window.
COLORREF Composed(int x, int y, bool rtl) {
  const int childLeft = ScreenLeft(kChild, 0, kTopWidth, rtl);
  const int childTop = kChild.place.top;
  const int childWidth = kChild.place.right - kChild.place.left;
  const int grandchildLeft = ScreenLeft(kGrandchild, childLeft, childWidth, rtl);
  const int grandchildTop = childTop + kGrandchild.place.top;
  if (Inside(kGrandchild.opaque, x - grandchildLeft, y - grandchildTop)) return kBlue;
  if (Inside(kChild.opaque, x - childLeft, y - childTop)) return kRed;
  return PatternAt(x, y);
}

// The three windows; with `askParent` the lower skins fetch their background through
// UWM_REPAINT as well.
class Tree {
 public:
  explicit Tree(HWND top, bool askParent = false) {
    const BOOL ask = askParent ? TRUE : FALSE;
    topSkin.SetSkinDef(TestSkinDef{TRUE, {0, 0, 0, 0}, 0, 0, FALSE});
    childSkin.SetSkinDef(TestSkinDef{FALSE, kChild.opaque, kChild.color, 0, ask});
    grandchildSkin.SetSkinDef(
        TestSkinDef{FALSE, kGrandchild.opaque, kGrandchild.color, 0, ask});
    topWindow.SetSkin(&topSkin);
    EXPECT_TRUE(topWindow.SubclassWindow(top));
    Make(child, kChild, top, &childSkin);
    Make(grandchild, kGrandchild, child.m_hWnd, &grandchildSkin);
  }
  TestSkin topSkin, childSkin, grandchildSkin;
  SkinnedWindow topWindow, child, grandchild;

 private:
  static void Make(SkinnedWindow& window, const Layer& layer, HWND parent, TestSkin* skin) {
    RECT rc = layer.place;
    window.SetSkin(skin);
    EXPECT_TRUE(window.Create(SkinTest::kHostClass, parent, rc, u"", 1,
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, nullptr));
  }
};

class WindowPaintTest : public SkinTest {};

TEST_F(WindowPaintTest, TransparentPartsShowTheAncestorsInBothLayouts) {
  for (int variant = 0; variant < 4; ++variant) {
    const DWORD layout = variant & 1;
    const bool askParent = variant & 2;
    SCOPED_TRACE(layout ? "right-to-left" : "left-to-right");
    SCOPED_TRACE(askParent ? "background through UWM_REPAINT" : "background from the buffer");
    CQuorLib::m_dwLayout = layout;
    HWND top = MakeTop(40, 30, kTopWidth, kTopHeight, layout ? WS_EX_LAYOUTRTL : 0);
    Tree tree(top, askParent);
    talix::host::PumpMessagesUntilIdle();
    talix::host::CapturedImage image = Capture(top);
    ASSERT_EQ(image.width, kTopWidth);
    int wrong = 0;
    for (int y = 0; y < kTopHeight; ++y)
      for (int x = 0; x < kTopWidth; ++x) {
        const uint32_t expected = Argb(Composed(x, y, layout == 1));
        if (image.At(x, y) != expected && ++wrong <= 5)
          ADD_FAILURE() << "at (" << x << ", " << y << "): " << std::hex << image.At(x, y)
                        << " instead of " << expected;
      }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(tree.topSkin.draws, 1);
    EXPECT_EQ(tree.grandchildSkin.lastWindow, &tree.grandchild);
    DestroyWindow(top);
    talix::host::PumpMessagesUntilIdle();
  }
}

TEST_F(WindowPaintTest, PaintsReuseTheBufferUntilTheLookChanges) {
  HWND top = MakeTop(0, 0, kTopWidth, kTopHeight);
  Tree tree(top);
  talix::host::PumpMessagesUntilIdle();
  InvalidateRect(tree.child.m_hWnd, nullptr, TRUE);
  talix::host::PumpMessagesUntilIdle();
  EXPECT_EQ(tree.childSkin.draws, 1) << "a paint is a copy of the buffer";
  EXPECT_EQ(Capture(top).At(kChild.place.left, kChild.place.top), Argb(kRed));

  // A look change: drop the buffer and invalidate.
  TestSkinDef green = tree.childSkin;
  green.color = RGB(0, 200, 0);
  tree.childSkin.SetSkinDef(green);
  tree.child.DeleteBackBuffer();
  EXPECT_EQ(GetPropW(tree.child.m_hWnd, kBackBufferProp), nullptr);
  InvalidateRect(tree.child.m_hWnd, nullptr, FALSE);
  talix::host::PumpMessagesUntilIdle();
  EXPECT_EQ(tree.childSkin.draws, 2);
  EXPECT_EQ(Capture(top).At(kChild.place.left, kChild.place.top), Argb(RGB(0, 200, 0)));
}

TEST_F(WindowPaintTest, InvalidateBackBufferDropsItWithoutRepainting) {
  HWND top = MakeTop(0, 0, 60, 40);
  TestSkin skin(TestSkinDef{TRUE, {0, 0, 0, 0}, 0, 0});
  SkinnedWindow window;
  window.SetSkin(&skin);
  ASSERT_TRUE(window.SubclassWindow(top));
  UpdateWindow(top);
  ASSERT_TRUE(window.GetBackBuffer());
  EXPECT_EQ(SendMessageW(top, UWM_INVALIDATEBACKBUFFER, 0, 0), 0);
  EXPECT_EQ(window.GetBackBuffer(), nullptr);
  EXPECT_EQ(GetPropW(top, kBackBufferProp), nullptr);
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  EXPECT_EQ(SendMessageW(top, WM_ERASEBKGND, 0, 0), 1);
}

// A plain child (not skinned) that fills its background through UWM_REPAINT, in both
// layouts: what it gets lines up with the parent's picture around it.
TEST_F(WindowPaintTest, RepaintCopiesTheBufferBehindAChild) {
  constexpr RECT kPlace{70, 50, 90, 60};
  constexpr int kWidth = 20, kHeight = 10;
  for (DWORD layout : {0u, 1u}) {
    SCOPED_TRACE(layout ? "right-to-left" : "left-to-right");
    CQuorLib::m_dwLayout = layout;
    HWND top = MakeTop(0, 0, kTopWidth, kTopHeight, layout ? WS_EX_LAYOUTRTL : 0);
    TestSkin skin(TestSkinDef{TRUE, {0, 0, 0, 0}, 0, 0});
    SkinnedWindow window;
    window.SetSkin(&skin);
    ASSERT_TRUE(window.SubclassWindow(top));
    HWND child = CreateWindowExW(0, kHostClass, u"", WS_CHILD | WS_VISIBLE, kPlace.left,
                                 kPlace.top, kWidth, kHeight, top, nullptr, nullptr, nullptr);
    talix::host::PumpMessagesUntilIdle();
    const int childLeft = layout ? kTopWidth - kPlace.right : kPlace.left;  // on the screen
    HDC dc = GetDC(child);
    PAINTSTRUCT ps{};
    ps.hdc = dc;

    struct Case {
      const char* name;
      RECT paint;  // in the child's (logical) client coordinates
      bool drawn;
    } const cases[] = {
        {"empty rectangle", {5, 5, 5, 8}, false},
        {"part of the child", {2, 3, 12, 9}, true},
    };
    for (const Case& c : cases) {
      RECT all{0, 0, kWidth, kHeight};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      ps.rcPaint = c.paint;
      EXPECT_EQ(SendMessageW(top, UWM_REPAINT, reinterpret_cast<WPARAM>(child),
                             reinterpret_cast<LPARAM>(&ps)), 0);
      talix::host::CapturedImage image = Capture(child);
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
          const int logicalX = layout ? kWidth - 1 - x : x;
          const bool inside = c.drawn && Inside(c.paint, logicalX, y);
          const uint32_t expected = inside ? Argb(PatternAt(childLeft + x, kPlace.top + y))
                                           : Argb(RGB(255, 255, 255));
          ASSERT_EQ(image.At(x, y), expected) << c.name << " at " << x << ", " << y;
        }
    }
    // Requests without a child or without a paint record are ignored.
    EXPECT_EQ(SendMessageW(top, UWM_REPAINT, 0, reinterpret_cast<LPARAM>(&ps)), 0);
    EXPECT_EQ(SendMessageW(top, UWM_REPAINT, reinterpret_cast<WPARAM>(child), 0), 0);
    ReleaseDC(child, dc);
    window.UnsubclassWindow(FALSE);
    DestroyWindow(top);
  }
}

TEST_F(WindowPaintTest, WithoutAUsableSkinNothingIsPainted) {
  TestSkin invalid(TestSkinDef{TRUE, {0, 0, 0, 0}, 0, 4711});  // names a missing picture
  struct Case {
    const char* name;
    TestSkin* skin;
  } const cases[] = {{"no skin", nullptr}, {"invalid skin", &invalid}};
  for (const Case& c : cases) {
    HWND top = MakeTop(0, 0, 40, 30);
    SkinnedWindow window;
    window.SetSkin(c.skin);
    ASSERT_TRUE(window.SubclassWindow(top));
    InvalidateRect(top, nullptr, TRUE);
    talix::host::PumpMessagesUntilIdle();
    EXPECT_EQ(window.GetBackBuffer(), nullptr) << c.name;
    EXPECT_EQ(GetPropW(top, kBackBufferProp), nullptr) << c.name;
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE)) << c.name << ": the paint is validated";
    HDC dc = GetDC(top);
    PAINTSTRUCT ps{dc, FALSE, {0, 0, 4, 4}};
    SendMessageW(top, UWM_REPAINT, reinterpret_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&ps));
    ReleaseDC(top, dc);
    EXPECT_EQ(window.GetBackBuffer(), nullptr) << c.name << ": UWM_REPAINT builds nothing";
    EXPECT_EQ(invalid.draws, 0);
    window.UnsubclassWindow(FALSE);
    DestroyWindow(top);
  }
}

TEST_F(WindowPaintTest, PlaceHolderOutlinesTheWindowWithADiagonal) {
  HWND top = MakeTop(0, 0, 5, 5);
  SkinnedWindow window;
  ASSERT_TRUE(window.SubclassWindow(top));
  HDC dc = GetDC(top);
  RECT all{0, 0, 5, 5};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  window.DrawPlaceHolder(dc);  // the DC's default pen is black, one pixel wide
  ReleaseDC(top, dc);
  const char* expected[] = {
      "#####",
      "##..#",
      "#.#.#",
      "#..##",
      "#####",
  };
  talix::host::CapturedImage image = Capture(top);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(image.At(x, y), expected[y][x] == '#' ? 0xFF000000u : 0xFFFFFFFFu)
          << x << ", " << y;
}

TEST_F(WindowPaintTest, TreesComeAndGoWithoutLeaks) {
  for (int i = 0; i < 100; ++i) {
    HWND top = MakeTop(0, 0, kTopWidth, kTopHeight);
    auto tree = std::make_unique<Tree>(top);
    talix::host::PumpMessagesUntilIdle();
    ASSERT_TRUE(tree->grandchild.GetBackBuffer());
    if (i % 2) {
      DestroyWindow(top);  // windows first, objects after
      tree.reset();
    } else {
      tree.reset();  // objects first, windows after
      DestroyWindow(top);
    }
  }
  // SkinTest::TearDown checks the window and GDI counts.
}

}  // namespace
}  // namespace skintest
