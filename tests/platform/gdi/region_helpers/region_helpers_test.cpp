// The helpers other GDI code uses to move regions between pixman and region handles.
#include "platform/gdi/region_object.h"

#include <talix/host_handles.h>
#include <win/base.h>

#include <gtest/gtest.h>

namespace talix::gdi {
namespace {

class RegionHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    baseline_ = host::LiveHandles(HandleKind::GdiObject);
    pixman_box32_t boxes[] = {{0, 0, 4, 2}, {2, 2, 6, 5}};
    pixman_region32_init_rects(&shape_, boxes, 2);
  }
  void TearDown() override {
    pixman_region32_fini(&shape_);
    EXPECT_EQ(host::LiveHandles(HandleKind::GdiObject), baseline_);
  }

  static std::vector<RECT> RectsOf(const pixman_region32_t& region) {
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&region, &n);
    std::vector<RECT> rects;
    for (int i = 0; i < n; ++i)
      rects.push_back(RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return rects;
  }

  static bool Same(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](const RECT& x, const RECT& y) {
             return x.left == y.left && x.top == y.top && x.right == y.right &&
                    x.bottom == y.bottom;
           });
  }

  pixman_region32_t shape_;
  size_t baseline_ = 0;
};

TEST_F(RegionHelpersTest, CreateCopiesAndAdoptTakesOver) {
  std::vector<RECT> rects = RectsOf(shape_);
  ASSERT_EQ(rects.size(), 2u);

  HRGN copy = CreateRegionHandle(shape_);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(Same(RegionRects(copy), rects));
  EXPECT_TRUE(Same(RectsOf(shape_), rects)) << "the source stays";
  EXPECT_TRUE(PtInRegion(copy, 5, 4));
  OffsetRgn(copy, 1, 0);
  EXPECT_TRUE(Same(RectsOf(shape_), rects)) << "the copy is independent";

  HRGN adopted = AdoptRegionHandle(&shape_);
  ASSERT_NE(adopted, nullptr);
  EXPECT_TRUE(Same(RegionRects(adopted), rects));
  EXPECT_EQ(pixman_region32_n_rects(&shape_), 0) << "the source is left empty";

  EXPECT_TRUE(DeleteObject(copy));
  EXPECT_TRUE(DeleteObject(adopted));
  EXPECT_TRUE(RegionRects(adopted).empty()) << "a deleted handle has no rectangles";
}

TEST_F(RegionHelpersTest, TypeAndCopyOfPixmanRegions) {
  pixman_region32_t other;
  pixman_region32_init(&other);
  EXPECT_EQ(RegionType(other), NULLREGION);
  ASSERT_TRUE(CopyRegion(&other, shape_));
  EXPECT_EQ(RegionType(other), COMPLEXREGION);
  EXPECT_TRUE(CopyRegion(&other, other)) << "copying onto itself is a no-op";
  EXPECT_TRUE(Same(RectsOf(other), RectsOf(shape_)));
  pixman_box32_t one{1, 1, 3, 3};
  pixman_region32_fini(&other);
  pixman_region32_init_with_extents(&other, &one);
  EXPECT_EQ(RegionType(other), SIMPLEREGION);
  pixman_region32_fini(&other);
}

}  // namespace
}  // namespace talix::gdi
