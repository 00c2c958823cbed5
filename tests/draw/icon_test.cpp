// Icons mirrored left to right and drawn into bitmaps.
#include "draw_fixture.h"

namespace talix::draw::testing {
namespace {

// A 3 x 2 icon or cursor: colour pixels kColor, mask kMask (white = transparent).
const Pixels kColor = {0x000011, 0x000022, 0x000000, 0x110000, 0x220000, 0x330000};
const Pixels kMask = {0x000000, 0x000000, 0xFFFFFF, 0x000000, 0x000000, 0x000000};

Pixels MirrorRows(const Pixels& p, LONG w) {
  Pixels out(p.size());
  for (size_t i = 0; i < p.size(); ++i) out[i] = p[i - i % w + (w - 1 - i % w)];
  return out;
}

class IconTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    icons_ = talix::host::LiveHandles(HandleKind::Icon);
  }
  void TearDown() override {
    EXPECT_EQ(talix::host::LiveHandles(HandleKind::Icon), icons_) << "icons leaked";
    DrawTest::TearDown();
  }
  // An icon, or a cursor with hot spot (2, 1) when `isIcon` is false.
  static HICON MakeIcon(BOOL isIcon) {
    HBITMAP color = MakeBitmap(3, 2, kColor);
    HBITMAP mask = CreateBitmap(3, 2, 1, 1, nullptr);
    BITMAPINFO bmi = TopDown32Header(3, 2);
    SetDIBits(nullptr, mask, 0, 2, kMask.data(), &bmi, DIB_RGB_COLORS);
    ICONINFO info{isIcon, 2, 1, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);
    DeleteObject(mask);
    return icon;
  }

 private:
  size_t icons_ = 0;
};

TEST_F(IconTest, MirroredIconFlipsBothBitmapsAndKeepsTheHotSpot) {
  for (BOOL isIcon : {TRUE, FALSE}) {
    HICON icon = MakeIcon(isIcon);
    ASSERT_NE(icon, nullptr);
    HICON mirrored = CQuorLib::CreateMirroredIcon(icon);
    ASSERT_NE(mirrored, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(mirrored, &info));
    Owned color(info.hbmColor), mask(info.hbmMask);
    EXPECT_EQ(info.fIcon, isIcon);
    // Icons have their hot spot in the centre; a cursor keeps its own, unmirrored.
    EXPECT_EQ(info.xHotspot, isIcon ? 1u : 2u);
    EXPECT_EQ(info.yHotspot, 1u);
    EXPECT_EQ(ReadBitmap(color.bitmap()), MirrorRows(kColor, 3));
    EXPECT_EQ(ReadBitmap(mask.bitmap()), MirrorRows(kMask, 3));
    Owned original(CQuorLib::IconToBitmap(icon, DI_IMAGE));  // the argument is unchanged
    EXPECT_EQ(ReadBitmap(original.bitmap()), kColor);
    EXPECT_TRUE(DestroyIcon(mirrored));
    EXPECT_TRUE(DestroyIcon(icon));
  }
}

TEST_F(IconTest, IconToBitmapDrawsThePartsTheFlagsName) {
  HICON icon = MakeIcon(TRUE);
  Owned image(CQuorLib::IconToBitmap(icon, DI_IMAGE));
  Owned mask(CQuorLib::IconToBitmap(icon, DI_MASK));
  ASSERT_NE(image.bitmap(), nullptr);
  ASSERT_NE(mask.bitmap(), nullptr);
  EXPECT_EQ(ReadBitmap(image.bitmap()), kColor);
  EXPECT_EQ(ReadBitmap(mask.bitmap()), kMask);
  EXPECT_EQ(SizeOf(image.bitmap()).cx, 3);
  EXPECT_EQ(SizeOf(image.bitmap()).cy, 2);
  EXPECT_TRUE(DestroyIcon(icon));
}

TEST_F(IconTest, IconsWithoutColourBitmapOrHandleGiveNull) {
  HBITMAP mask = CreateBitmap(3, 4, 1, 1, nullptr);  // monochrome: AND and XOR halves
  ICONINFO info{TRUE, 0, 0, mask, nullptr};
  HICON mono = CreateIconIndirect(&info);
  DeleteObject(mask);
  ASSERT_NE(mono, nullptr);
  EXPECT_EQ(CQuorLib::CreateMirroredIcon(mono), nullptr);
  EXPECT_EQ(CQuorLib::IconToBitmap(mono, DI_NORMAL), nullptr);
  EXPECT_TRUE(DestroyIcon(mono));
  EXPECT_EQ(CQuorLib::CreateMirroredIcon(nullptr), nullptr);
  EXPECT_EQ(CQuorLib::IconToBitmap(nullptr, DI_NORMAL), nullptr);
}

}  // namespace
}  // namespace talix::draw::testing
