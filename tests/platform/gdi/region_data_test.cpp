// GetRegionData and ExtCreateRegion: size queries, banded output, round trips, batches,
// transforms, and hostile RGNDATA.
#include "region_test_support.h"

#include <win/base.h>

#include <cstring>

namespace talix::test {
namespace {

using RegionDataTest = RegionTest;

// An RGNDATA buffer of exactly the bytes needed, so reads past its end are caught.
std::vector<uint8_t> MakeData(const std::vector<RECT>& rects, DWORD declaredCount,
                              DWORD rgnSize = 0) {
  std::vector<uint8_t> bytes(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RGNDATAHEADER header{sizeof(RGNDATAHEADER), RDH_RECTANGLES, declaredCount, rgnSize, {0, 0, 0, 0}};
  std::memcpy(bytes.data(), &header, sizeof header);
  if (!rects.empty())
    std::memcpy(bytes.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
  return bytes;
}

UniqueRgn FromData(const std::vector<uint8_t>& bytes, const XFORM* xform = nullptr) {
  return UniqueRgn(ExtCreateRegion(xform, static_cast<DWORD>(bytes.size()),
                                   reinterpret_cast<const RGNDATA*>(bytes.data())));
}

std::vector<RECT> ReadRects(HRGN region, RGNDATAHEADER* header) {
  DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<uint8_t> bytes(size);
  EXPECT_EQ(GetRegionData(region, size, reinterpret_cast<RGNDATA*>(bytes.data())), size);
  std::memcpy(header, bytes.data(), sizeof *header);
  std::vector<RECT> rects(header->nCount);
  std::memcpy(rects.data(), bytes.data() + sizeof *header, rects.size() * sizeof(RECT));
  return rects;
}

// Y-x banded: rectangles sorted by top then left; within a band (same top) all share the
// bottom and do not touch; bands do not overlap.
void ExpectBanded(const std::vector<RECT>& rects) {
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[i];
    EXPECT_TRUE(r.left < r.right && r.top < r.bottom) << "rect " << i;
    if (i == 0) continue;
    const RECT& p = rects[i - 1];
    if (r.top == p.top) {
      EXPECT_EQ(r.bottom, p.bottom) << "rect " << i;
      EXPECT_GT(r.left, p.right) << "rect " << i << " touches or overlaps its neighbour";
    } else {
      EXPECT_GE(r.top, p.bottom) << "rect " << i << " overlaps the band above";
    }
  }
}

TEST_F(RegionDataTest, GetRegionDataReportsBandedRectanglesThatRoundTrip) {
  UniqueRgn region = UnionOf({{0, 0, 10, 2}, {0, 2, 2, 10}, {6, 6, 12, 12}, {-3, 11, 1, 14}});
  DWORD size = GetRegionData(region.get(), 0, nullptr);
  ASSERT_GT(size, sizeof(RGNDATAHEADER));
  ASSERT_EQ((size - sizeof(RGNDATAHEADER)) % sizeof(RECT), 0u);

  RGNDATAHEADER header{};
  std::vector<RECT> rects = ReadRects(region.get(), &header);
  EXPECT_EQ(header.dwSize, sizeof(RGNDATAHEADER));
  EXPECT_EQ(header.iType, DWORD{RDH_RECTANGLES});
  EXPECT_EQ(header.nRgnSize, header.nCount * sizeof(RECT));
  EXPECT_EQ(size, sizeof(RGNDATAHEADER) + header.nRgnSize);
  RECT box{};
  GetRgnBox(region.get(), &box);
  EXPECT_EQ(std::memcmp(&header.rcBound, &box, sizeof box), 0);
  ExpectBanded(rects);
  EXPECT_EQ(RegionPixelModel::FromRects(rects), ModelOf(region.get()));

  // A bigger buffer is fine and the return is the bytes used; the copy is the same region.
  std::vector<uint8_t> bytes(size + 64);
  EXPECT_EQ(GetRegionData(region.get(), size + 64, reinterpret_cast<RGNDATA*>(bytes.data())), size);
  UniqueRgn copy(ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(bytes.data())));
  ASSERT_TRUE(copy);
  EXPECT_TRUE(EqualRgn(copy.get(), region.get()));
}

TEST_F(RegionDataTest, ShortBuffersAndBadHandlesFail) {
  UniqueRgn region = UnionOf({{0, 0, 2, 2}, {4, 4, 6, 6}});
  DWORD size = GetRegionData(region.get(), 0, nullptr);
  std::vector<uint8_t> bytes(size, 0xAB);
  SetLastError(0);
  EXPECT_EQ(GetRegionData(region.get(), size - 1, reinterpret_cast<RGNDATA*>(bytes.data())), 0u);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(bytes[0], 0xAB) << "nothing written into a short buffer";

  HRGN stale = CreateRectRgn(0, 0, 1, 1);
  DeleteObject(stale);
  SetLastError(0);
  EXPECT_EQ(GetRegionData(stale, 0, nullptr), 0u);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});

  UniqueRgn empty = RectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetRegionData(empty.get(), 0, nullptr), sizeof(RGNDATAHEADER));
}

TEST_F(RegionDataTest, ExtCreateRegionUnitesUnorderedOverlappingAndEmptyRectangles) {
  std::vector<RECT> rects = {
      {6, 6, 12, 12}, {0, 0, 8, 8}, {3, 3, 3, 9}, {9, 1, 4, 5}, {-2, 10, 1, 11}};
  UniqueRgn region = FromData(MakeData(rects, static_cast<DWORD>(rects.size())));
  ASSERT_TRUE(region);
  // Rectangles without area (including inverted ones) add nothing.
  RegionPixelModel expected =
      RegionPixelModel::FromRects({{6, 6, 12, 12}, {0, 0, 8, 8}, {-2, 10, 1, 11}});
  EXPECT_EQ(ModelOf(region.get()), expected);

  // An empty batch gives an empty region, not a failure.
  UniqueRgn empty = FromData(MakeData({}, 0));
  ASSERT_TRUE(empty);
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);
}

TEST_F(RegionDataTest, BatchesJoinedWithOrGiveTheSameRegionAsOneBatch) {
  // Runs of a 100 x 80 checkerboard-like pattern, as a bitmap-to-region scan emits them.
  std::vector<RECT> runs;
  for (int y = 0; y < 80; ++y)
    for (int x = (y % 3); x < 100; x += 3) runs.push_back(RECT{x, y, x + 1 + (y % 2), y + 1});
  ASSERT_GT(runs.size(), 2000u);
  UniqueRgn whole = FromData(MakeData(runs, static_cast<DWORD>(runs.size())));
  ASSERT_TRUE(whole);

  UniqueRgn joined;
  for (size_t start = 0; start < runs.size(); start += 2000) {
    std::vector<RECT> batch(runs.begin() + start,
                            runs.begin() + std::min(runs.size(), start + 2000));
    UniqueRgn part = FromData(MakeData(batch, static_cast<DWORD>(batch.size())));
    ASSERT_TRUE(part);
    if (!joined) {
      joined = std::move(part);
    } else {
      EXPECT_NE(CombineRgn(joined.get(), joined.get(), part.get(), RGN_OR), ERROR);
    }
  }
  EXPECT_TRUE(EqualRgn(joined.get(), whole.get()));
  EXPECT_EQ(ModelOf(whole.get()), RegionPixelModel::FromRects(runs));
}

TEST_F(RegionDataTest, MalformedDataIsRejectedWithoutReadingPastTheBuffer) {
  std::vector<RECT> two = {{0, 0, 2, 2}, {4, 4, 6, 6}};
  auto withHeader = [&](auto change) {
    std::vector<uint8_t> bytes = MakeData(two, 2);
    RGNDATAHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    change(header);
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    DWORD declaredBytes;  // the nCount argument
  } cases[] = {
      {"count beyond the buffer", MakeData(two, 3), 0},
      {"count wrapping a 32-bit size", MakeData(two, 0x10000001u), 0},
      {"count of -1", MakeData(two, 0xFFFFFFFFu), 0},
      {"rectangle bytes beyond the buffer", MakeData(two, 2, 65), 0},
      {"rectangle bytes of -1", MakeData(two, 2, 0xFFFFFFFFu), 0},
      {"wrong header size", withHeader([](RGNDATAHEADER& h) { h.dwSize = 16; }), 0},
      {"header size of -1", withHeader([](RGNDATAHEADER& h) { h.dwSize = 0xFFFFFFFFu; }), 0},
      {"wrong type", withHeader([](RGNDATAHEADER& h) { h.iType = 2; }), 0},
      {"buffer shorter than a header", MakeData({}, 0), 31},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    DWORD declared = c.declaredBytes ? c.declaredBytes : static_cast<DWORD>(c.bytes.size());
    SetLastError(0);
    HRGN region =
        ExtCreateRegion(nullptr, declared, reinterpret_cast<const RGNDATA*>(c.bytes.data()));
    EXPECT_EQ(region, nullptr);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
    if (region) DeleteObject(region);
  }
  EXPECT_EQ(ExtCreateRegion(nullptr, 100, nullptr), nullptr);
  // The same buffers with honest counts are fine.
  EXPECT_TRUE(FromData(MakeData(two, 2, 32)));
  EXPECT_TRUE(FromData(MakeData(two, 2, 64))) << "nRgnSize counting the header too";
  EXPECT_TRUE(FromData(MakeData(two, 1)));
}

TEST_F(RegionDataTest, TransformsScaleAndMoveAndRotationsAreRefused) {
  std::vector<uint8_t> bytes = MakeData({{1, 1, 3, 2}}, 1);
  struct Case {
    XFORM xform;
    RECT expected;
  } cases[] = {
      {{1, 0, 0, 1, 0, 0}, {1, 1, 3, 2}},
      {{1, 0, 0, 1, 5, -3}, {6, -2, 8, -1}},
      {{2, 0, 0, 3, 0, 0}, {2, 3, 6, 6}},
      {{-1, 0, 0, 1, 0, 0}, {-3, 1, -1, 2}},     // mirrored: corners put back in order
      {{0.5f, 0, 0, 0.5f, 0, 0}, {1, 1, 2, 1}},  // rounds to nothing in height
  };
  for (const Case& c : cases) {
    UniqueRgn region = FromData(bytes, &c.xform);
    ASSERT_TRUE(region);
    EXPECT_EQ(ModelOf(region.get()), RegionPixelModel::FromRects({c.expected}))
        << c.xform.eM11 << " " << c.xform.eM22 << " " << c.xform.eDx << " " << c.xform.eDy;
  }
  XFORM rotation{0, 1, -1, 0, 0, 0};
  SetLastError(0);
  EXPECT_EQ(ExtCreateRegion(&rotation, static_cast<DWORD>(bytes.size()),
                            reinterpret_cast<const RGNDATA*>(bytes.data())),
            nullptr);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
}

}  // namespace
}  // namespace talix::test
