// Shared pieces of the region tests: an owning region handle and a fixture that checks
// every test gives back the GDI handles it took.
#pragma once

#include "platform/gdi/gdi_object.h"
#include "region_pixel_model.h"

#include <talix/host_handles.h>
#include <win/region.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace talix::test {

struct RegionDeleter {
  void operator()(HRGN h) const { EXPECT_TRUE(DeleteObject(h)); }
};
using UniqueRgn = std::unique_ptr<HRGN__, RegionDeleter>;

inline UniqueRgn RectRgn(int l, int t, int r, int b) {
  return UniqueRgn(CreateRectRgn(l, t, r, b));
}

// A region that is the union of the rectangles, built with CombineRgn only.
inline UniqueRgn UnionOf(const std::vector<RECT>& rects) {
  UniqueRgn result(CreateRectRgn(0, 0, 0, 0));
  for (const RECT& r : rects) {
    UniqueRgn part(CreateRectRgnIndirect(&r));
    CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
  }
  return result;
}

inline RegionPixelModel ModelOf(HRGN h) { return RegionPixelModel::FromHandle(h); }

class RegionTest : public ::testing::Test {
 protected:
  void SetUp() override { baseline_ = host::LiveHandles(HandleKind::GdiObject); }
  void TearDown() override {
    EXPECT_EQ(host::LiveHandles(HandleKind::GdiObject), baseline_) << "GDI handles leaked";
  }

 private:
  size_t baseline_ = 0;
};

}  // namespace talix::test
