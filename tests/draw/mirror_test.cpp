// Left-to-right mirroring of bitmaps, as a copy and in place.
#include "draw_fixture.h"

namespace talix::draw::testing {
namespace {

class MirrorTest : public DrawTest {};

const Pixels kPicture = {0x000001, 0x000002, 0x000003, 0x000004,
                         0x010000, 0x020000, 0x030000, 0x040000};
const Pixels kMirrored = {0x000004, 0x000003, 0x000002, 0x000001,
                          0x040000, 0x030000, 0x020000, 0x010000};

TEST_F(MirrorTest, MirroredCopyFlipsAndLeavesTheArgument) {
  Owned picture(MakeBitmap(4, 2, kPicture));
  Owned copy(CQuorLib::CreateMirroredBitmap(picture.bitmap()));
  ASSERT_NE(copy.bitmap(), nullptr);
  EXPECT_EQ(ReadBitmap(copy.bitmap()), kMirrored);
  EXPECT_EQ(ReadBitmap(picture.bitmap()), kPicture);
  Owned back(CQuorLib::CreateMirroredBitmap(copy.bitmap()));
  EXPECT_EQ(ReadBitmap(back.bitmap()), kPicture);
}

TEST_F(MirrorTest, MirrorInPlaceTwiceRestores) {
  Owned picture(MakeBitmap(4, 2, kPicture));
  ASSERT_TRUE(CQuorLib::MirrorBitmap(picture.bitmap()));
  EXPECT_EQ(ReadBitmap(picture.bitmap()), kMirrored);
  ASSERT_TRUE(CQuorLib::MirrorBitmap(picture.bitmap()));
  EXPECT_EQ(ReadBitmap(picture.bitmap()), kPicture);
}

TEST_F(MirrorTest, NullOrUnusableArgumentsFail) {
  EXPECT_FALSE(CQuorLib::MirrorBitmap(nullptr));
  EXPECT_EQ(CQuorLib::CreateMirroredBitmap(nullptr), nullptr);
  Owned brush(CreateSolidBrush(0));
  EXPECT_FALSE(CQuorLib::MirrorBitmap(brush.as<HBITMAP>()));
  // A bitmap that another DC holds cannot be selected for the copy.
  Owned picture(MakeBitmap(4, 2, kPicture));
  HDC holder = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(holder, picture.bitmap());
  EXPECT_FALSE(CQuorLib::MirrorBitmap(picture.bitmap()));
  SelectObject(holder, old);
  DeleteDC(holder);
  EXPECT_EQ(ReadBitmap(picture.bitmap()), kPicture);
}

}  // namespace
}  // namespace talix::draw::testing
