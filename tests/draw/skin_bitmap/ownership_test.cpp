// Who deletes which handle: store views, attached handles, detached handles; and the
// background frames captured into the picture's store.
#include "skin_fixture.h"

#include <talix/host_handles.h>

#include <optional>

namespace talix::draw::testing {
namespace {

class OwnershipTest : public SkinTest {
 protected:
  static size_t Live() { return host::LiveHandles(HandleKind::GdiObject); }
  static bool Alive(HGDIOBJ h) { return GetObjectType(h) == OBJ_BITMAP; }
  // Whether any slot of the picture's store still lists the handle (and would delete it).
  static bool StoreLists(PictureProbe& picture, HBITMAP h) {
    for (int slot = 0; slot < CNBitmapUtil::kSlotCount; ++slot)
      if (picture.m_Store.GetBitmapHandle(CNBitmapUtil::BitmapType(slot), 0) == h) return true;
    return false;
  }
};

// The two halves behave alike; each case drives one of them.
struct Half {
  const char* name;
  void (CQuorBitmap::*attach)(HBITMAP);
  HBITMAP (CQuorBitmap::*detach)();
  HBITMAP (CQuorBitmap::*get)() const;
};
const Half kHalves[] = {
    {"Primary", &CQuorBitmap::Attach, &CQuorBitmap::Detach, &CQuorBitmap::GetPrimary},
    {"Mask", &CQuorBitmap::AttachMask, &CQuorBitmap::DetachMask, &CQuorBitmap::GetMask},
};

void PrintTo(const Half& h, std::ostream* os) { *os << h.name; }

class HalfCases : public OwnershipTest, public ::testing::WithParamInterface<Half> {};

TEST_P(HalfCases, AttachOverALoadedViewDeletesItOnce) {
  const Half& h = GetParam();
  const size_t start = Live();
  {
    PictureProbe picture;
    ASSERT_TRUE(picture.LoadFromRes(module_, kAlphaId));
    HBITMAP view = (picture.*h.get)();
    ASSERT_TRUE(Alive(view));
    ASSERT_TRUE(StoreLists(picture, view));
    HBITMAP mine = MakeSolid(4, 2, 0x123456);
    const size_t before = Live();
    (picture.*h.attach)(mine);
    EXPECT_FALSE(Alive(view)) << "the store's view is gone";
    EXPECT_FALSE(StoreLists(picture, view)) << "and no slot would delete it again";
    EXPECT_EQ(Live(), before - 1) << "deleted once, through the store";
    EXPECT_EQ((picture.*h.get)(), mine);
    EXPECT_EQ((picture.*h.detach)(), mine);
    EXPECT_TRUE(DeleteObject(mine));
  }
  EXPECT_EQ(Live(), start);
}

TEST_P(HalfCases, AttachReplacesAndDeletesTheEarlierHandle) {
  const Half& h = GetParam();
  HBITMAP first = MakeSolid(2, 2, 1), second = MakeSolid(3, 3, 2);
  {
    CQuorBitmap picture;
    (picture.*h.attach)(first);
    (picture.*h.attach)(first);  // the same handle again is kept, not deleted
    EXPECT_TRUE(Alive(first));
    (picture.*h.attach)(second);
    EXPECT_FALSE(Alive(first));
    EXPECT_EQ((picture.*h.get)(), second);
  }
  // The destructor leaves an attached handle to whoever attached it.
  EXPECT_TRUE(Alive(second));
  EXPECT_TRUE(DeleteObject(second));
}

TEST_P(HalfCases, DetachedViewStaysWithTheStore) {
  const Half& h = GetParam();
  HBITMAP view = nullptr;
  {
    CQuorBitmap picture;
    ASSERT_TRUE(picture.LoadFromRes(module_, kAlphaId));
    view = (picture.*h.detach)();
    EXPECT_EQ((picture.*h.get)(), nullptr);
    EXPECT_TRUE(Alive(view));
  }
  EXPECT_FALSE(Alive(view)) << "the store deleted it with the picture";
}

INSTANTIATE_TEST_SUITE_P(Halves, HalfCases, ::testing::ValuesIn(kHalves),
                         [](const ::testing::TestParamInfo<Half>& info) { return std::string(info.param.name); });

TEST_F(OwnershipTest, AttachedSizeComesFromTheHandle) {
  CQuorBitmap picture;
  picture.Attach(MakeSolid(6, 5, 0));
  EXPECT_EQ(picture.GetWidth(), 6);
  EXPECT_EQ(picture.GetHeight(), 5);
  EXPECT_FALSE(picture.IsScaled());
  EXPECT_TRUE(DeleteObject(picture.Detach()));
  EXPECT_EQ(picture.GetWidth(), 0);
}

TEST_F(OwnershipTest, ReloadReplacesAnAttachedHandleAndEveryEarlierSlot) {
  Scale(2.0, 2.0, true);
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kAlphaId));  // scaled, with mask
  HBITMAP attached = MakeSolid(1, 1, 0);
  picture.Attach(attached);
  Scale(1.0, 1.0, false);
  ASSERT_TRUE(picture.LoadFromRes(module_, kRampId));
  EXPECT_FALSE(Alive(attached));
  EXPECT_FALSE(picture.IsScaled());
  EXPECT_EQ(picture.GetMask(), nullptr) << "no mask survives from the earlier picture";
  EXPECT_EQ(picture.GetPixel(1, 1), RampPixel(1, 1));
}

// ---- Background frames ----

class BackgroundTest : public OwnershipTest {
 protected:
  void SetUp() override {
    OwnershipTest::SetUp();
    Pixels pixels(8 * 6);
    for (int i = 0; i < 8 * 6; ++i) pixels[size_t(i)] = uint32_t(i) * 0x010203u;
    source_.emplace(MakeBitmap(8, 6, pixels));
    dc_ = source_->dc();
  }
  void TearDown() override {
    source_.reset();
    OwnershipTest::TearDown();
  }
  std::optional<MemoryTarget> source_;
  HDC dc_ = nullptr;
};

TEST_F(BackgroundTest, CapturesTheRectangleAndReusesTheFrame) {
  PictureProbe picture;
  HBITMAP frame = picture.GetBackgroundStaticDC(dc_, 2, 1, 3, 2, 0, 5);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(picture.m_Store.GetBitmapHandle(CNBitmapUtil::BT_BACKGROUND, 5), frame);
  EXPECT_EQ(picture.m_Store.GetLastError(), CNBitmapUtil::QUO_OK);
  const Pixels got = ReadBitmap(frame);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(got[size_t(y * 3 + x)], uint32_t((1 + y) * 8 + 2 + x) * 0x010203u) << x << "," << y;

  EXPECT_EQ(picture.GetBackgroundStaticDC(dc_, 0, 0, 3, 2, 0, 5), frame) << "same size: reused";
  HBITMAP other = picture.GetBackgroundStaticDC(dc_, 0, 0, 4, 4, 0, 5);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(Alive(frame)) << "another size: the old frame is deleted";
  EXPECT_EQ(SizeOf(other).cx, 4);

  HBITMAP resized = picture.GetBackgroundStaticDC(dc_, 0, 0, 2, 2, 1, 0);
  EXPECT_EQ(picture.m_Store.GetBitmapHandle(CNBitmapUtil::BT_BACKGROUND_RESIZED, 0), resized);
  EXPECT_TRUE(Alive(other)) << "the resized slot is a slot of its own";
}

TEST_F(BackgroundTest, BadArgumentsFailWithTheStoreCode) {
  struct Case {
    int cx, cy, index;
    CNBitmapUtil::QUOError error;
  };
  const Case cases[] = {{0, 2, 0, CNBitmapUtil::QUO_ERR_PARAM4},
                        {-3, 2, 0, CNBitmapUtil::QUO_ERR_PARAM4},
                        {2, 0, 0, CNBitmapUtil::QUO_ERR_PARAM5},
                        {2, 2, -1, CNBitmapUtil::QUO_ERR_PARAM7},
                        {2, 2, CNBitmapUtil::kMaxFrames, CNBitmapUtil::QUO_ERR_PARAM7},
                        {1 << 16, 1 << 16, 0, CNBitmapUtil::QUO_ERR_TOO_LARGE}};
  for (const Case& c : cases) {
    PictureProbe picture;
    EXPECT_EQ(picture.GetBackgroundStaticDC(dc_, 0, 0, c.cx, c.cy, 0, c.index), nullptr);
    EXPECT_EQ(picture.m_Store.GetLastError(), c.error) << c.cx << "x" << c.cy << " #" << c.index;
  }
}

}  // namespace
}  // namespace talix::draw::testing
