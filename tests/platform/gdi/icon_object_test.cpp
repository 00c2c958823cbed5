// CreateIconIndirect / GetIconInfo / CopyIcon / DestroyIcon: icons own copies of the
// caller's bitmaps and hand out fresh copies.
#include "icon_fixture.h"

namespace talix::gdi::testing {
namespace {

TEST(IconObject, RoundTripCopiesBitmapsBothWays) {
  size_t gdi0 = LiveGdiObjects(), icons0 = LiveIcons();
  std::vector<uint32_t> colors{0xFF0000, 0x000000, kWhitePx, 0x00FF00};
  HBITMAP mask = MonoBitmap(2, 2, {0, 1, 1, 0});
  HBITMAP color = ColorBitmap(2, 2, colors);
  ICONINFO in{FALSE, 1, 0, mask, color};
  HICON cursor = CreateIconIndirect(&in);
  ASSERT_NE(cursor, nullptr);
  // The caller's bitmaps are untouched and stay the caller's.
  EXPECT_EQ(ReadPixels(color), colors);
  WritePixels(color, 2, 2, {0, 0, 0, 0});  // later changes do not reach the icon

  ICONINFO out{};
  ASSERT_TRUE(GetIconInfo(cursor, &out));
  EXPECT_FALSE(out.fIcon);
  EXPECT_EQ(out.xHotspot, 1u);
  EXPECT_EQ(out.yHotspot, 0u);
  EXPECT_NE(out.hbmColor, color);
  EXPECT_NE(out.hbmMask, mask);
  EXPECT_EQ(ReadPixels(out.hbmColor), colors);
  EXPECT_EQ(ReadPixels(out.hbmMask), (std::vector<uint32_t>{0, kWhitePx, kWhitePx, 0}));
  ICONINFO again{};
  ASSERT_TRUE(GetIconInfo(cursor, &again));
  EXPECT_NE(again.hbmColor, out.hbmColor);  // every call hands out new bitmaps

  for (HBITMAP b : {mask, color, out.hbmColor, out.hbmMask, again.hbmColor, again.hbmMask})
    EXPECT_TRUE(DeleteObject(b));
  EXPECT_TRUE(DestroyCursor(cursor));
  EXPECT_EQ(LiveGdiObjects(), gdi0);
  EXPECT_EQ(LiveIcons(), icons0);
}

TEST(IconObject, IconHotSpotIsCentreAndMonochromeKeepsDoubleMask) {
  // 2x2 monochrome: AND rows {0,1},{1,0} above XOR rows {1,1},{0,0}.
  HICON icon = IconFrom(MonoBitmap(2, 4, {0, 1, 1, 0, 1, 1, 0, 0}), nullptr, TRUE, 9, 9);
  ASSERT_NE(icon, nullptr);
  ICONINFO out{};
  ASSERT_TRUE(GetIconInfo(icon, &out));
  EXPECT_TRUE(out.fIcon);
  EXPECT_EQ(out.xHotspot, 1u);
  EXPECT_EQ(out.yHotspot, 1u);
  EXPECT_EQ(out.hbmColor, nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(out.hbmMask, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmHeight, 4);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(ReadPixels(out.hbmMask),
            (std::vector<uint32_t>{0, kWhitePx, kWhitePx, 0, kWhitePx, kWhitePx, 0, 0}));
  DeleteObject(out.hbmMask);
  DestroyIcon(icon);
}

TEST(IconObject, AlphaSurvivesOnlyFromDibSections) {
  std::vector<uint32_t> px{0x80FF0000, 0x00000000};
  HICON alpha = IconFrom(MonoBitmap(2, 1, {0, 0}), AlphaBitmap(2, 1, px));
  ICONINFO out{};
  ASSERT_TRUE(GetIconInfo(alpha, &out));
  DIBSECTION ds{};
  EXPECT_EQ(GetObjectW(out.hbmColor, sizeof ds, &ds), int(sizeof ds));  // a DIB section
  std::vector<uint32_t> got(2);
  memcpy(got.data(), ds.dsBm.bmBits, 8);
  EXPECT_EQ(got, px);
  DeleteObject(out.hbmColor);
  DeleteObject(out.hbmMask);
  DestroyIcon(alpha);
}

TEST(IconObject, CopyIsIndependentAndStaleHandlesFail) {
  HICON icon = TwoByTwoMaskIcon();
  HICON copy = CopyIcon(icon);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, icon);
  EXPECT_TRUE(DestroyIcon(icon));
  ICONINFO out{};
  ASSERT_TRUE(GetIconInfo(copy, &out));  // the copy outlives the original
  DeleteObject(out.hbmColor);
  DeleteObject(out.hbmMask);
  EXPECT_TRUE(DestroyIcon(copy));

  SetLastError(0);
  EXPECT_FALSE(DestroyIcon(copy));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_CURSOR_HANDLE));
  EXPECT_FALSE(GetIconInfo(icon, &out));
  EXPECT_EQ(CopyIcon(icon), nullptr);
}

TEST(IconObject, CreateRefusesBadBitmaps) {
  size_t icons0 = LiveIcons();
  ICONINFO noMask{TRUE, 0, 0, nullptr, nullptr};
  EXPECT_EQ(CreateIconIndirect(&noMask), nullptr);
  EXPECT_EQ(CreateIconIndirect(nullptr), nullptr);
  HBITMAP deleted = MonoBitmap(2, 2, {0, 0, 0, 0});
  DeleteObject(deleted);
  ICONINFO stale{TRUE, 0, 0, deleted, nullptr};
  SetLastError(0);
  EXPECT_EQ(CreateIconIndirect(&stale), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LiveIcons(), icons0);
}

}  // namespace
}  // namespace talix::gdi::testing
