// Icons, cursors and bitmaps from a module's resources and from files: the best-fitting
// entry of a group, the exact pixels of bitmaps, sharing.
#include "image_fixture.h"

namespace talix::icons::testing {
namespace {

HMODULE Self() { return GetModuleHandleW(nullptr); }

// The fixture's entries are solid colours; the blue byte names the entry.
struct FitCase {
  int cx, cy;
  UINT flags;
  uint32_t color;  // the chosen entry's colour
  int size;        // the loaded icon's size
};

TEST(LoadImageIcon, PicksDocumentedBestFitFromResourceAndFile) {
  const FitCase cases[] = {
      {32, 32, 0, 0xFF000040, 32},        // exact size, 32 bits beats 4
      {16, 16, 0, 0xFF000020, 16},        // 32 bits beats 8
      {24, 24, 0, 0xFF000020, 24},        // the largest not above the request, stretched
      {40, 40, 0, 0xFF000040, 40},
      {48, 48, 0, 0x50, 48},              // 24 bits: no alpha
      {64, 64, 0, 0x80000060, 64},        // the PNG entry, alpha kept
      {8, 8, 0, 0xFF000020, 8},           // nothing fits: the nearest larger
      {32, 32, LR_MONOCHROME, 0x30, 32},  // every depth exceeds 1: the shallowest
      {0, 0, LR_DEFAULTSIZE, 0xFF000040, 32},  // the system icon size
  };
  size_t icons0 = LiveIcons(), gdi0 = LiveGdi();
  std::u16string file = Wide(DataPath("sizes.ico"));
  for (const FitCase& c : cases)
    for (int fromFile = 0; fromFile < 2; ++fromFile) {
      HANDLE h = fromFile ? LoadImageW(nullptr, file.c_str(), IMAGE_ICON, c.cx, c.cy,
                                       c.flags | LR_LOADFROMFILE)
                          : LoadImageW(Self(), MAKEINTRESOURCEW(1), IMAGE_ICON, c.cx, c.cy, c.flags);
      ASSERT_NE(h, nullptr) << c.cx << " file " << fromFile;
      IconFacts facts = FactsOf(static_cast<HICON>(h));
      EXPECT_EQ(facts.width, c.size) << c.cx;
      EXPECT_EQ(facts.height, c.size) << c.cx;
      ASSERT_FALSE(facts.color.empty());
      EXPECT_EQ(facts.color.back(), c.color) << c.cx << " flags " << c.flags;
      EXPECT_TRUE(facts.isIcon);
      if (c.size == 32) {
        // Entries' top-left pixel is transparent in the AND mask.
        EXPECT_EQ(facts.mask[0], 0xFFFFFFu);
        EXPECT_EQ(facts.mask[1], 0u);
      }
      EXPECT_TRUE(DestroyIcon(static_cast<HICON>(h)));
    }
  EXPECT_EQ(LiveIcons(), icons0);
  EXPECT_EQ(LiveGdi(), gdi0);
}

TEST(LoadImageIcon, LookupThenCreateFromResourceAgrees) {
  HRSRC group = FindResourceW(Self(), MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* dir = static_cast<PBYTE>(LockResource(LoadResource(Self(), group)));
  int id = LookupIconIdFromDirectoryEx(dir, TRUE, 48, 48, LR_DEFAULTCOLOR);
  ASSERT_NE(id, 0);
  HRSRC entry = FindResourceW(Self(), MAKEINTRESOURCEW(id), RT_ICON);
  ASSERT_NE(entry, nullptr);
  auto* bits = static_cast<PBYTE>(LockResource(LoadResource(Self(), entry)));
  HICON icon = CreateIconFromResourceEx(bits, SizeofResource(Self(), entry), TRUE, 0x00030000,
                                        0, 0, LR_DEFAULTCOLOR);
  IconFacts facts = FactsOf(icon);
  EXPECT_EQ(facts.width, 48);  // its own size
  EXPECT_EQ(facts.color.back(), 0x50u);
  DestroyIcon(icon);
}

TEST(LoadImageIcon, SharedLoadsReturnOneHandleByIdOrName) {
  HICON a = LoadIconW(Self(), MAKEINTRESOURCEW(1));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(LoadIconW(Self(), MAKEINTRESOURCEW(1)), a);
  EXPECT_TRUE(DestroyIcon(a));
  EXPECT_EQ(FactsOf(a).width, GetSystemMetrics(SM_CXICON));  // still there
  HICON named = LoadIconW(Self(), u"sizes");
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(LoadIconW(Self(), u"SIZES"), named);
  // Without LR_SHARED every load is a new icon.
  HANDLE b = LoadImageW(Self(), MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, 0);
  HANDLE c = LoadImageW(Self(), MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, 0);
  EXPECT_NE(b, c);
  DestroyIcon(static_cast<HICON>(b));
  DestroyIcon(static_cast<HICON>(c));
}

TEST(LoadImageCursor, HotSpotFromResourceAndFile) {
  HCURSOR fromModule = LoadCursorW(Self(), MAKEINTRESOURCEW(2));
  HANDLE fromFile = LoadImageW(nullptr, Wide(DataPath("pointer.cur")).c_str(), IMAGE_CURSOR, 0, 0,
                               LR_LOADFROMFILE);
  for (HANDLE h : {static_cast<HANDLE>(fromModule), fromFile}) {
    ASSERT_NE(h, nullptr);
    IconFacts facts = FactsOf(static_cast<HICON>(h));
    EXPECT_FALSE(facts.isIcon);
    EXPECT_EQ(facts.hotX, 5);
    EXPECT_EQ(facts.hotY, 7);
    EXPECT_EQ(facts.width, 32);
  }
  DestroyCursor(static_cast<HCURSOR>(fromFile));
}

struct BitmapCase {
  const char* name;
  HANDLE (*load)();
  int bpp;          // of the bitmap made
  bool dibSection;
  std::vector<uint32_t> pixels;
};

const std::vector<uint32_t> kColours{0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
const std::vector<uint32_t> kIndexed{0x102030, 0x405060, 0x708090, 0xA0B0C0,
                                     0xA0B0C0, 0x708090, 0x405060, 0x102030};

TEST(LoadImageBitmap, ExactPixelsAsCompatibleOrDibSection) {
  const BitmapCase cases[] = {
      {"LoadBitmapW", [] { return HANDLE(LoadBitmapW(Self(), MAKEINTRESOURCEW(3))); }, 32, false,
       kColours},
      {"dib section", [] {
         return LoadImageW(Self(), MAKEINTRESOURCEW(4), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
       }, 8, true, kIndexed},
      {"file", [] {
         return LoadImageW(nullptr, Wide(DataPath("colours.bmp")).c_str(), IMAGE_BITMAP, 0, 0,
                           LR_LOADFROMFILE);
       }, 32, false, kColours},
      {"file dib", [] {
         return LoadImageW(nullptr, Wide(DataPath("indexed.bmp")).c_str(), IMAGE_BITMAP, 0, 0,
                           LR_LOADFROMFILE | LR_CREATEDIBSECTION);
       }, 8, true, kIndexed},
  };
  size_t gdi0 = LiveGdi();
  for (const BitmapCase& c : cases) {
    auto bitmap = static_cast<HBITMAP>(c.load());
    ASSERT_NE(bitmap, nullptr) << c.name;
    DIBSECTION ds{};
    int got = GetObjectW(bitmap, sizeof ds, &ds);
    EXPECT_EQ(got == int(sizeof ds), c.dibSection) << c.name;
    EXPECT_EQ(ds.dsBm.bmBitsPixel, c.bpp) << c.name;
    EXPECT_EQ(Pixels(bitmap), c.pixels) << c.name;
    DeleteObject(bitmap);
  }
  EXPECT_EQ(LiveGdi(), gdi0);
}

TEST(LoadImage, MissingImagesFailWithTheirError) {
  SetLastError(0);
  EXPECT_EQ(LoadBitmapW(Self(), MAKEINTRESOURCEW(99)), nullptr);
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_EQ(LoadIconW(Self(), MAKEINTRESOURCEW(3)), nullptr);  // a bitmap, not an icon
  SetLastError(0);
  EXPECT_EQ(LoadImageW(nullptr, u"Z:\\no\\such\\file.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE),
            nullptr);
  EXPECT_TRUE(GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(LoadImageW(Self(), MAKEINTRESOURCEW(1), 7, 0, 0, 0), nullptr);
}

}  // namespace
}  // namespace talix::icons::testing
