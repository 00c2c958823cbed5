// The probe pixels of the theme description, read back through the image store the
// skins load their pictures with: transparent where the description says so, and the
// described colour (within rounding of the gradient) where it is opaque.
#include <cstdlib>
#include <vector>

#include "image/NBitmapUtil.h"
#include "theme_module_fixture.h"

namespace themetest {
namespace {

constexpr int kTolerance = 3;

TEST_F(ThemeModuleTest, ProbePixelsMatchTheDescription) {
  ASSERT_FALSE(manifest_.probes.empty());
  for (const Probe& p : manifest_.probes) {
    SCOPED_TRACE(p.name + " at " + std::to_string(p.x) + "," + std::to_string(p.y));
    const Entry* e = manifest_.Find(p.name);
    ASSERT_NE(e, nullptr);
    CNBitmapUtil store;
    ASSERT_NE(store.NLoadBitmap(module_, e->id), nullptr);
    ASSERT_TRUE(p.x < e->width && p.y < e->height);
    std::vector<char> image(size_t(3 * e->width * e->height)), mask(image.size());
    ASSERT_EQ(store.GetBitmapDataNA(CNBitmapUtil::BT_IMAGE, 0, image.data()), 1);
    ASSERT_EQ(store.GetBitmapDataNA(CNBitmapUtil::BT_ALPHA, 0, mask.data()), 1);
    const size_t at = size_t(3 * (p.y * e->width + p.x));
    // The mask is the inverted alpha: 255 fully transparent, 0 opaque.
    EXPECT_EQ(255 - int(static_cast<unsigned char>(mask[at])), p.a);
    if (p.a == 255) {
      const auto channel = [&](int i) { return int(static_cast<unsigned char>(image[at + i])); };
      EXPECT_LE(std::abs(channel(2) - p.r), kTolerance);
      EXPECT_LE(std::abs(channel(1) - p.g), kTolerance);
      EXPECT_LE(std::abs(channel(0) - p.b), kTolerance);
    }
  }
}

}  // namespace
}  // namespace themetest
