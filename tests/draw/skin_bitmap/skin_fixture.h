// Shared pieces of the skin-picture tests: the picture module built beside the tests, the
// library statics each test may change (restored after it), the expected pixels of the
// committed pictures, and a probe that reaches the picture's store.
#pragma once

#include "draw/QuorBitmap.h"
#include "frame/QuorLib.h"
#include "tests/draw/draw_fixture.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace talix::draw::testing {

constexpr unsigned kRampId = 201;   // 10 x 7 bitmap resource, no alpha
constexpr unsigned kAlphaId = 202;  // 4 x 2 PNG with alpha
constexpr int kRampWidth = 10, kRampHeight = 7;

// ramp.bmp at (x, y), as 0x00RRGGBB.
inline uint32_t RampPixel(int x, int y) {
  return uint32_t(20 * x + 10) << 16 | uint32_t(30 * y + 15) << 8 | uint32_t(200 - 10 * x);
}

// alpha.png: colour and alpha of each pixel, top row first.
struct RgbaPixel {
  uint32_t rgb;
  uint8_t alpha;
};
constexpr RgbaPixel kAlphaPixels[2][4] = {
    {{0xC8280A, 255}, {0x0AC828, 0}, {0x280AC8, 128}, {0xFAFAFA, 255}},
    {{0x5A5A5A, 64}, {0x5A5A5A, 64}, {0x5A5A5A, 64}, {0x5A5A5A, 64}},
};

// Reaches the picture's store and its slot choices.
struct PictureProbe : CQuorBitmap {
  using CQuorBitmap::m_MaskType;
  using CQuorBitmap::m_PrimaryType;
  using CQuorBitmap::m_Store;
};

// A bitmap selected into a memory DC: a drawing target, or a source to capture from.
// Owns both; deselects before deleting.
class MemoryTarget {
 public:
  explicit MemoryTarget(HBITMAP bitmap)
      : bitmap_(bitmap), dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, bitmap)) {}
  ~MemoryTarget() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  MemoryTarget(const MemoryTarget&) = delete;
  MemoryTarget& operator=(const MemoryTarget&) = delete;
  HDC dc() const { return dc_; }
  // The bitmap's pixels (deselected for the read, as GetDIBits wants).
  Pixels Read() {
    SelectObject(dc_, old_);
    Pixels pixels = ReadBitmap(bitmap_);
    SelectObject(dc_, bitmap_);
    return pixels;
  }

 private:
  HBITMAP bitmap_;
  HDC dc_;
  HGDIOBJ old_;
};

// Loads the picture module; keeps the library's scale and layout statics as they were.
class SkinTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    std::u16string path = u"Z:";
    for (char c : std::string(TALIX_SKIN_PICTURES)) path += c == '/' ? u'\\' : char16_t(c);
    module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    CQuorLib::m_ScaleX = scaleX_;
    CQuorLib::m_ScaleY = scaleY_;
    CQuorLib::m_IsAutoScale = autoScale_;
    CQuorLib::m_dwLayout = layout_;
    if (module_) FreeLibrary(module_);
    DrawTest::TearDown();
  }
  void Scale(double x, double y, bool autoScale) {
    CQuorLib::m_ScaleX = x;
    CQuorLib::m_ScaleY = y;
    CQuorLib::m_IsAutoScale = autoScale;
  }

  HMODULE module_ = nullptr;

 private:
  double scaleX_ = CQuorLib::m_ScaleX, scaleY_ = CQuorLib::m_ScaleY;
  bool autoScale_ = CQuorLib::m_IsAutoScale;
  DWORD layout_ = CQuorLib::m_dwLayout;
};

}  // namespace talix::draw::testing
