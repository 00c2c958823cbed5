// Corrupt icon, cursor and bitmap bytes: every corruption fails cleanly (null and an
// error), nothing is left behind.
#include "image_fixture.h"

#include <cstring>
#include <functional>

namespace talix::icons::testing {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, size_t at, uint32_t v) {
  if (at + 4 <= b.size()) std::memcpy(&b[at], &v, 4);
}
void Put16(Bytes& b, size_t at, uint16_t v) {
  if (at + 2 <= b.size()) std::memcpy(&b[at], &v, 2);
}

// Offset of entry i's image in an .ico file; entry 3 is the one a 32x32 request picks,
// entry 5 the PNG one a 64x64 request picks.
uint32_t ImageAt(const Bytes& b, int i) {
  uint32_t v = 0;
  std::memcpy(&v, &b[6 + 16 * i + 12], 4);
  return v;
}

struct Corruption {
  const char* name;
  int request;  // icon size asked for
  std::function<void(Bytes&)> corrupt;
};

HANDLE LoadIconBytes(const Bytes& bytes, int size) {
  std::string path = ::testing::TempDir() + "/corrupt.ico";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
  return LoadImageW(nullptr, Wide(path).c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE);
}

TEST(LoadImageMalformed, IconFileCorruptionsFail) {
  const Bytes good = ReadData("sizes.ico");
  ASSERT_GT(good.size(), 200u);
  const Corruption cases[] = {
      {"shorter than the header", 32, [](Bytes& b) { b.resize(5); }},
      {"directory cut short", 32, [](Bytes& b) { b.resize(6 + 16 * 6 - 1); }},
      {"reserved word set", 32, [](Bytes& b) { Put16(b, 0, 1); }},
      {"cursor type", 32, [](Bytes& b) { Put16(b, 2, 2); }},
      {"no entries", 32, [](Bytes& b) { Put16(b, 4, 0); }},
      {"more entries than bytes", 32, [](Bytes& b) { Put16(b, 4, 0xFFFF); }},
      {"offset past the end", 32, [](Bytes& b) { Put32(b, 6 + 16 * 3 + 12, 0xFFFFFFF0); }},
      {"size past the end", 32, [](Bytes& b) { Put32(b, 6 + 16 * 3 + 8, 0x7FFFFFFF); }},
      {"header size huge", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3), 0x10000000); }},
      {"header size small", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3), 12); }},
      {"negative width", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3) + 4, uint32_t(-32)); }},
      {"huge width", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3) + 4, 0x7FFFFFFF); }},
      {"huge height", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3) + 8, 0x7FFFFFFE); }},
      {"odd height", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3) + 8, 63); }},
      {"bits missing", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3) + 4, 600); }},
      {"bad depth", 32, [](Bytes& b) { Put16(b, ImageAt(b, 3) + 14, 3); }},
      {"compressed", 32, [](Bytes& b) { Put32(b, ImageAt(b, 3) + 16, BI_JPEG); }},
      {"mask missing (4 bits)", 32,
       [](Bytes& b) { Put32(b, 6 + 16 * 2 + 8, 40 + 64 + 32 * 16); Put32(b, 6 + 16 * 3 + 8, 0); }},
      {"palette too long", 32,  // on the 4-bit entry, with the 32-bit one out of the way
       [](Bytes& b) { Put32(b, ImageAt(b, 2) + 32, 0x1000); b[6 + 16 * 3] = 33; }},
      {"PNG cut short", 64, [](Bytes& b) { b.resize(ImageAt(b, 5) + 40); Put32(b, 6 + 16 * 5 + 8, 40); }},
      {"PNG data garbled", 64, [](Bytes& b) { std::memset(&b[ImageAt(b, 5) + 33], 0x55, 60); }},
  };
  size_t icons0 = LiveIcons(), gdi0 = LiveGdi();
  for (const Corruption& c : cases) {
    Bytes bytes = good;
    c.corrupt(bytes);
    SetLastError(0);
    EXPECT_EQ(LoadIconBytes(bytes, c.request), nullptr) << c.name;
    EXPECT_NE(GetLastError(), 0u) << c.name;
  }
  HANDLE loaded = LoadIconBytes(good, 32);  // the uncorrupted file loads
  EXPECT_NE(loaded, nullptr);
  DestroyIcon(static_cast<HICON>(loaded));
  EXPECT_EQ(LiveIcons(), icons0);
  EXPECT_EQ(LiveGdi(), gdi0);
}

TEST(LoadImageMalformed, ResourceBytesFail) {
  Bytes file = ReadData("sizes.ico");
  PBYTE entry = file.data() + ImageAt(file, 3);
  DWORD size = 40 + 32 * 32 * 4 + 4 * 32;
  HICON good = CreateIconFromResourceEx(entry, size, TRUE, 0x00030000, 0, 0, 0);
  ASSERT_NE(good, nullptr);
  DestroyIcon(good);
  const struct {
    const char* name;
    PBYTE bits;
    DWORD size;
    BOOL icon;
    DWORD version;
  } cases[] = {
      {"null", nullptr, size, TRUE, 0x00030000},
      {"empty", entry, 0, TRUE, 0x00030000},
      {"header only", entry, 40, TRUE, 0x00030000},
      {"version too new", entry, size, TRUE, 0x00040000},
      {"version too old", entry, size, TRUE, 0x00010000},
      {"cursor shorter than its hot spot", entry, 3, FALSE, 0x00030000},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(CreateIconFromResourceEx(c.bits, c.size, c.icon, c.version, 0, 0, 0), nullptr)
        << c.name;
    EXPECT_NE(GetLastError(), 0u) << c.name;
  }
}

TEST(LoadImageMalformed, BitmapFileCorruptionsFail) {
  const Bytes good = ReadData("colours.bmp");
  const struct {
    const char* name;
    std::function<void(Bytes&)> corrupt;
  } cases[] = {
      {"not BM", [](Bytes& b) { b[0] = 'X'; }},
      {"cut in the header", [](Bytes& b) { b.resize(30); }},
      {"bits offset past the end", [](Bytes& b) { Put32(b, 10, 0xFFFFFF00); }},
      {"bits offset inside the header", [](Bytes& b) { Put32(b, 10, 20); }},
      {"core header", [](Bytes& b) { Put32(b, 14, 12); }},
      {"height beyond the bits", [](Bytes& b) { Put32(b, 22, 5000); }},
      {"huge size", [](Bytes& b) { Put32(b, 18, 0x7FFFFFFF); Put32(b, 22, 0x7FFFFFFF); }},
      {"run-length compressed", [](Bytes& b) { Put32(b, 30, BI_RLE8); }},
  };
  size_t gdi0 = LiveGdi();
  std::string path = ::testing::TempDir() + "/corrupt.bmp";
  for (const auto& c : cases) {
    Bytes bytes = good;
    c.corrupt(bytes);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
    SetLastError(0);
    EXPECT_EQ(LoadImageW(nullptr, Wide(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr)
        << c.name;
    EXPECT_NE(GetLastError(), 0u) << c.name;
  }
  EXPECT_EQ(LiveGdi(), gdi0);
}

}  // namespace
}  // namespace talix::icons::testing
