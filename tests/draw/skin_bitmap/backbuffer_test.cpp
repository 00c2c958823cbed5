// Back buffers of real windows: building and publishing "PROP_BACKBUFFER", painting from
// it, copying the ancestors' buffers behind children, background windows, right-to-left.
#include "buffer_window.h"
#include "skin_fixture.h"

#include <optional>

namespace talix::draw::testing {
namespace {

const char16_t kProp[] = u"PROP_BACKBUFFER";

class BackBufferTest : public SkinTest {
 protected:
  void SetUp() override {
    // Stock objects and system colour brushes (the Static parent's) are made on first use
    // and kept: make them before the handles are counted.
    for (int i = WHITE_BRUSH; i <= DEFAULT_GUI_FONT; ++i) GetStockObject(i);
    for (int i = 0; i <= COLOR_MENUBAR; ++i) GetSysColorBrush(i);
    SkinTest::SetUp();
    BufferWindow::Register();
  }
  void TearDown() override {
    for (HWND hwnd : {grand_.hwnd, a_.hwnd, b_.hwnd, owned_.hwnd})
      if (hwnd) DestroyWindow(hwnd);
    host::PumpMessagesUntilIdle();
    UnregisterClassW(BufferWindow::kClass, nullptr);
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    grand_.DeleteBackBuffer();
    child_.DeleteBackBuffer();
    a_.DeleteBackBuffer();
    b_.DeleteBackBuffer();
    owned_.DeleteBackBuffer();
    SkinTest::TearDown();
  }
  static HANDLE Prop(HWND hwnd) { return GetPropW(hwnd, kProp); }

  // A popup with position colours, a plain child without buffer at (20, 10) inside it,
  // and a buffered grandchild at (5, 6) inside that, painting only a red corner.
  void MakeFamily() {
    grand_.paint = PaintPositions;
    grand_.Create(10, 10, 100, 80);
    UpdateWindow(grand_.hwnd);
    parent_ = CreateWindowExW(0, u"Static", u"", WS_CHILD | WS_VISIBLE, 20, 10, 60, 50,
                              grand_.hwnd, nullptr, nullptr, nullptr);
    child_.paint = PaintCorner;
    child_.Create(5, 6, 20, 10, parent_);
    host::PumpMessagesUntilIdle();
  }

  BufferWindow grand_, child_, a_, b_, owned_;
  HWND parent_ = nullptr;
};

TEST_F(BackBufferTest, ChildShowsTheGrandparentsBufferBehindIt) {
  MakeFamily();
  ASSERT_NE(grand_.Buffer(), nullptr);
  EXPECT_EQ(Prop(grand_.hwnd), grand_.Buffer());
  EXPECT_EQ(Prop(parent_), nullptr);
  EXPECT_EQ(Prop(child_.hwnd), child_.Buffer());
  host::CapturedImage shown;
  ASSERT_TRUE(host::CaptureWindow(child_.hwnd, &shown));
  ASSERT_EQ(shown.width, 20);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      const uint32_t expected = x == 0 && y == 0 ? kRed : PositionColour(25 + x, 16 + y);
      ASSERT_EQ(shown.At(x, y) & 0xFFFFFF, expected) << x << "," << y;
    }
  EXPECT_EQ(grand_.draws, 1);
  EXPECT_EQ(child_.draws, 1);
}

TEST_F(BackBufferTest, ParentBufferFillsOnlyTheRectangleAsked) {
  MakeFamily();
  MemoryTarget target(MakeSolid(8, 8, 0x010203));
  child_.DrawParentBackBuffer(target.dc(), RECT{2, 3, 6, 5});
  const Pixels got = target.Read();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 3 && y < 5;
      EXPECT_EQ(got[size_t(y * 8 + x)] & 0xFFFFFF, inside ? PositionColour(25 + x, 16 + y) : 0x010203u)
          << x << "," << y;
    }
}

TEST_F(BackBufferTest, PropertyFollowsTheBuffer) {
  MakeFamily();
  HBITMAP first = child_.Buffer();
  child_.DeleteBackBuffer();
  EXPECT_EQ(child_.Buffer(), nullptr);
  EXPECT_EQ(Prop(child_.hwnd), nullptr);
  EXPECT_EQ(GetObjectType(first), 0u) << "the buffer bitmap is deleted";
  InvalidateRect(child_.hwnd, nullptr, FALSE);
  UpdateWindow(child_.hwnd);
  EXPECT_EQ(child_.draws, 2);
  EXPECT_EQ(Prop(child_.hwnd), child_.Buffer());

  // A stale property (a deleted bitmap) is replaced when the buffer is built.
  child_.DeleteBackBuffer();
  SetPropW(child_.hwnd, kProp, first);
  InvalidateRect(child_.hwnd, nullptr, FALSE);
  UpdateWindow(child_.hwnd);
  EXPECT_EQ(Prop(child_.hwnd), child_.Buffer());
  EXPECT_NE(child_.Buffer(), nullptr);
}

TEST_F(BackBufferTest, DestroyedObjectTakesItsPropertyFromALiveWindow) {
  MakeFamily();
  {
    BufferWindow passing;
    passing.Create(0, 0, 30, 20, grand_.hwnd);
    UpdateWindow(passing.hwnd);
    ASSERT_NE(Prop(passing.hwnd), nullptr);
    SetWindowLongPtrW(passing.hwnd, GWLP_USERDATA, 0);  // the window outlives the object
    parent_ = passing.hwnd;                              // kept for the check below
  }
  EXPECT_TRUE(IsWindow(parent_));
  EXPECT_EQ(Prop(parent_), nullptr);
}

TEST_F(BackBufferTest, EmptyPartsDrawNothingAndBuildNothing) {
  BufferWindow buffer;
  buffer.paint = PaintPositions;
  MemoryTarget target(MakeSolid(8, 8, 0x010203));
  const RECT client{0, 0, 8, 8};
  const RECT parts[][2] = {{{0, 0, 0, 4}, {0, 0, 4, 4}}, {{0, 0, 4, 0}, {0, 0, 4, 4}},
                           {{0, 0, 4, 4}, {2, 2, 2, 6}}, {{0, 0, 4, 4}, {2, 2, 6, 2}},
                           {{3, 3, 3, 3}, {5, 5, 5, 5}}};
  for (const auto& part : parts) buffer.DrawBackBufferPart(target.dc(), client, part[0], part[1]);
  EXPECT_EQ(buffer.draws, 0);
  EXPECT_EQ(buffer.Buffer(), nullptr);
  EXPECT_EQ(target.Read(), Pixels(64, 0x010203));
}

TEST_F(BackBufferTest, PartIsStretchedIntoTheDestination) {
  BufferWindow buffer;
  buffer.paint = PaintPositions;
  MemoryTarget target(MakeSolid(8, 8, 0x010203));
  buffer.DrawBackBufferPart(target.dc(), RECT{0, 0, 8, 8}, RECT{2, 1, 4, 3}, RECT{0, 0, 4, 4});
  buffer.DrawBackBufferPart(target.dc(), RECT{0, 0, 8, 8}, RECT{5, 5, 7, 6}, RECT{5, 6, 7, 7});
  EXPECT_EQ(buffer.draws, 1);
  const Pixels got = target.Read();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(got[size_t(y * 8 + x)] & 0xFFFFFF, PositionColour(2 + x / 2, 1 + y / 2));
  EXPECT_EQ(got[6 * 8 + 5] & 0xFFFFFF, PositionColour(5, 5));  // equal sizes: a plain copy
  EXPECT_EQ(got[7 * 8 + 7] & 0xFFFFFF, 0x010203u);
}

// Layout 1 mirrors the buffer once after the client drew it.
class BufferLayoutCases : public BackBufferTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(BufferLayoutCases, BufferIsMirroredOnceInRightToLeft) {
  CQuorLib::m_dwLayout = GetParam();
  BufferWindow buffer;
  buffer.paint = PaintCorner;
  MemoryTarget target(MakeSolid(6, 2, 0));
  buffer.DrawBackBuffer(target.dc(), RECT{0, 0, 6, 2}, RECT{0, 0, 6, 2});
  const Pixels got = target.Read();
  const int red = GetParam() == 1 ? 5 : 0;
  for (int x = 0; x < 6; ++x) EXPECT_EQ(got[size_t(x)] & 0xFFFFFF, x == red ? kRed : 0u) << x;
}

INSTANTIATE_TEST_SUITE_P(Layouts, BufferLayoutCases, ::testing::Values(DWORD{0}, DWORD{1}));

TEST_F(BackBufferTest, RightToLeftChildContinuesItsParentsPicture) {
  CQuorLib::m_dwLayout = 1;
  grand_.paint = PaintPositions;
  grand_.Create(10, 10, 40, 20, nullptr, WS_EX_LAYOUTRTL);
  UpdateWindow(grand_.hwnd);
  child_.Create(5, 6, 10, 5, grand_.hwnd, WS_EX_LAYOUTRTL);
  host::PumpMessagesUntilIdle();
  ASSERT_NE(child_.Buffer(), nullptr);
  // The child (placed mirrored, at 25..34) draws nothing of its own: the screen must show
  // the parent's picture through it exactly as around it.
  host::CapturedImage shown;
  ASSERT_TRUE(host::CaptureWindow(grand_.hwnd, &shown));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(shown.At(x, y) & 0xFFFFFF, PositionColour(x, y)) << x << "," << y;
}

TEST_F(BackBufferTest, BackgroundWindowIsMadeToPaintFirst) {
  a_.paint = PaintPositions;
  a_.Create(0, 0, 40, 30);
  b_.paint = PaintCorner;
  b_.Create(10, 12, 8, 4);  // a popup of its own: no ancestor to search
  b_.SetBackground(a_.hwnd);
  UpdateWindow(b_.hwnd);    // before a_ ever painted
  EXPECT_EQ(a_.draws, 1);
  ASSERT_NE(b_.Buffer(), nullptr);
  host::CapturedImage shown;
  ASSERT_TRUE(host::CaptureWindow(b_.hwnd, &shown));
  EXPECT_EQ(shown.At(0, 0) & 0xFFFFFF, kRed);
  EXPECT_EQ(shown.At(3, 2) & 0xFFFFFF, PositionColour(13, 14));
}

TEST_F(BackBufferTest, BackgroundsNamingEachOtherDoNotRecurse) {
  a_.Create(0, 0, 20, 20);
  b_.Create(30, 0, 20, 20);
  a_.SetBackground(b_.hwnd);
  b_.SetBackground(a_.hwnd);
  UpdateWindow(a_.hwnd);
  host::PumpMessagesUntilIdle();
  EXPECT_NE(a_.Buffer(), nullptr);
  EXPECT_NE(b_.Buffer(), nullptr);
  EXPECT_LE(a_.draws, 2);
  EXPECT_LE(b_.draws, 2);
}

TEST_F(BackBufferTest, OwnedPopupDoesNotCopyItsOwnersBuffer) {
  grand_.paint = PaintPositions;
  grand_.Create(0, 0, 50, 50);
  UpdateWindow(grand_.hwnd);
  owned_.hwnd = CreateWindowExW(0, BufferWindow::kClass, u"", WS_POPUP, 5, 5, 10, 10,
                                grand_.hwnd, nullptr, nullptr, nullptr);
  ASSERT_EQ(GetParent(owned_.hwnd), grand_.hwnd);  // GetParent names the owner of a popup
  MemoryTarget target(MakeSolid(4, 4, 0x010203));
  owned_.DrawParentBackBuffer(target.dc(), RECT{0, 0, 4, 4});
  EXPECT_EQ(target.Read(), Pixels(16, 0x010203));
}

TEST_F(BackBufferTest, NothingIsBuiltForAnEmptySize) {
  BufferWindow buffer;
  MemoryTarget target(MakeSolid(4, 4, 0x010203));
  CQuorGraphics graphics(target.dc());
  for (SIZE size : {SIZE{0, 4}, SIZE{4, 0}, SIZE{-2, 4}}) buffer.CreateBackBuffer(size.cx, size.cy, &graphics);
  buffer.DrawBackBuffer(target.dc(), RECT{0, 0, 0, 0}, RECT{0, 0, 4, 4});
  EXPECT_EQ(buffer.draws, 0);
  EXPECT_EQ(buffer.Buffer(), nullptr);
  EXPECT_EQ(target.Read(), Pixels(16, 0x010203));
}

}  // namespace
}  // namespace talix::draw::testing
