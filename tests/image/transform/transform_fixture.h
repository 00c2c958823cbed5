// Shared pieces of the transform tests: frames put into a store from pixel values
// 0x00RRGGBB (top row first) and read back the same way, a probe for the store's protected
// members, and a fixture that checks every test gives back the GDI handles it took.
#pragma once

#include "image/NBitmapUtil.h"

#include <talix/host_handles.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

namespace talix::image::testing {

using Pixels = std::vector<uint32_t>;
using Slot = CNBitmapUtil::BitmapType;

struct Picture {
  int width = 0, height = 0;
  Pixels pixels;
  uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  bool operator==(const Picture& o) const {
    return width == o.width && height == o.height && pixels == o.pixels;
  }
};

inline void PrintTo(const Picture& p, std::ostream* os) {
  *os << p.width << "x" << p.height << std::hex;
  for (size_t i = 0; i < p.pixels.size() && i < 64; ++i) *os << (i % size_t(p.width ? p.width : 1) ? " " : " | ") << p.pixels[i];
  *os << std::dec;
}

// Reaches the store's protected members and blend state.
struct StoreProbe : CNBitmapUtil {
  using CNBitmapUtil::DeleteAlphaBlendBuffers;
  using CNBitmapUtil::FadeColor;
  using CNBitmapUtil::GetColorDifRatio;
  using CNBitmapUtil::GetPixel;
  using CNBitmapUtil::InstallFrame;
  using CNBitmapUtil::MixColors;
  using CNBitmapUtil::PutPixel;
  using CNBitmapUtil::Random;
  using CNBitmapUtil::TestColorMatch;
  using CNBitmapUtil::m_nLastBlendIndex;
  using CNBitmapUtil::m_pBlendImage;

  // Stores the picture as a 24-bit frame at (slot, index); false when the store refuses.
  bool Put(Slot slot, int index, const Picture& picture) {
    std::vector<char> packed(size_t(picture.width) * size_t(picture.height) * 3);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
      packed[i * 3] = char(picture.pixels[i] & 0xFF);
      packed[i * 3 + 1] = char((picture.pixels[i] >> 8) & 0xFF);
      packed[i * 3 + 2] = char((picture.pixels[i] >> 16) & 0xFF);
    }
    return CreateBitmapFromData(picture.width, picture.height, packed.data(), slot, index) == 1;
  }

  // The frame's pixels; an empty picture when the slot or frame is empty.
  Picture Get(Slot slot, int index) {
    BITMAPINFO* header = GetBitmapInfo(slot);
    if (!header || !GetBitmapHandle(slot, index)) return {};
    Picture picture{int(header->bmiHeader.biWidth), int(header->bmiHeader.biHeight), {}};
    std::vector<unsigned char> packed(size_t(picture.width) * size_t(picture.height) * 3);
    if (!GetBitmapDataNA(slot, index, reinterpret_cast<char*>(packed.data()))) return {};
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    for (size_t i = 0; i < picture.pixels.size(); ++i)
      picture.pixels[i] = packed[i * 3] | packed[i * 3 + 1] << 8 | uint32_t(packed[i * 3 + 2]) << 16;
    return picture;
  }
};

// A picture whose every pixel differs: red = 16x + 1, green = 16y + 2, blue = x * y + 3.
inline Picture Gradient(int width, int height) {
  Picture p{width, height, Pixels(size_t(width) * size_t(height))};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.pixels[size_t(y) * size_t(width) + size_t(x)] =
          uint32_t((16 * x + 1) & 0xFF) << 16 | uint32_t((16 * y + 2) & 0xFF) << 8 | uint32_t((x * y + 3) & 0xFF);
  return p;
}

inline Picture Solid(int width, int height, uint32_t pixel) {
  return Picture{width, height, Pixels(size_t(width) * size_t(height), pixel)};
}

// Checks that every test returns the GDI handles it took and deletes what it owns.
class TransformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetStockObject(WHITE_BRUSH);  // stock objects are made on first use
    live_ = talix::host::LiveHandles(HandleKind::GdiObject);
    store_ = new StoreProbe;
  }
  void TearDown() override {
    delete store_;
    EXPECT_EQ(talix::host::LiveHandles(HandleKind::GdiObject), live_) << "GDI handles leaked";
  }
  StoreProbe& store() { return *store_; }

 private:
  size_t live_ = 0;
  StoreProbe* store_ = nullptr;
};

}  // namespace talix::image::testing
