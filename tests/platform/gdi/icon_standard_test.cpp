// The system's standard icons and cursors: shared handles, sizes, distinct pictures.
#include "icon_fixture.h"

#include <set>

namespace talix::gdi::testing {
namespace {

// The picture of an icon drawn with DI_NORMAL over grey at its own size.
std::vector<uint32_t> Picture(HICON icon, int size) {
  MemoryDc dc(size, size);
  Fill(dc, size, size, 0x808080);
  EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  return ReadPixels(dc.bitmap());
}

size_t ChangedPixels(const std::vector<uint32_t>& px) {
  size_t n = 0;
  for (uint32_t p : px) n += p != 0x808080;
  return n;
}

struct Standard {
  LPCWSTR id;
  LPCWSTR alias;  // the same picture under another name, or null
};

void CheckStandardSet(const std::vector<Standard>& set, bool icons) {
  auto load = [&](LPCWSTR id) { return icons ? LoadIconW(nullptr, id) : LoadCursorW(nullptr, id); };
  int size = GetSystemMetrics(icons ? SM_CXICON : SM_CXCURSOR);
  std::set<std::vector<uint32_t>> pictures;
  for (const Standard& s : set) {
    uintptr_t id = reinterpret_cast<uintptr_t>(s.id);
    HICON h = load(s.id);
    ASSERT_NE(h, nullptr) << id;
    EXPECT_EQ(load(s.id), h) << id;  // shared
    if (s.alias) EXPECT_EQ(load(s.alias), h) << id;
    EXPECT_TRUE(DestroyIcon(h)) << id;  // does nothing to a shared icon
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(h, &info)) << id;
    EXPECT_EQ(info.fIcon, icons ? TRUE : FALSE);
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, size);
    EXPECT_LT(int(info.xHotspot), size);
    EXPECT_LT(int(info.yHotspot), size);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    std::vector<uint32_t> picture = Picture(h, size);
    size_t changed = ChangedPixels(picture);
    EXPECT_GT(changed, size_t(size));               // something is drawn
    EXPECT_LT(changed, size_t(size) * size) << id;  // and some of it is transparent
    pictures.insert(picture);
  }
  EXPECT_EQ(pictures.size(), set.size());  // every picture is its own
}

TEST(StandardCursors, ObsoleteSizeIdStillLoads) {
  EXPECT_NE(LoadCursorW(nullptr, IDC_SIZE), nullptr);
}

TEST(StandardIcons, LoadSharedDistinctAndVisible) {
  CheckStandardSet({{IDI_APPLICATION, nullptr},
                    {IDI_HAND, IDI_ERROR},
                    {IDI_QUESTION, nullptr},
                    {IDI_EXCLAMATION, IDI_WARNING},
                    {IDI_ASTERISK, IDI_INFORMATION},
                    {IDI_WINLOGO, nullptr},
                    {IDI_SHIELD, nullptr}},
                   true);
}

TEST(StandardCursors, LoadSharedDistinctAndVisible) {
  CheckStandardSet({{IDC_ARROW, nullptr},     {IDC_IBEAM, nullptr},   {IDC_WAIT, nullptr},
                    {IDC_CROSS, nullptr},     {IDC_UPARROW, nullptr}, {IDC_SIZEALL, nullptr},
                    {IDC_SIZENWSE, nullptr},  {IDC_SIZENESW, nullptr}, {IDC_SIZEWE, nullptr},
                    {IDC_SIZENS, nullptr},    {IDC_NO, nullptr},      {IDC_HAND, nullptr},
                    {IDC_APPSTARTING, nullptr}, {IDC_HELP, nullptr}},
                   false);
}

TEST(StandardIcons, ArrowHotSpotIsItsTip) {
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(LoadCursorW(nullptr, IDC_ARROW), &info));
  MemoryDc dc(32, 32);
  Fill(dc, 32, 32, 0x808080);
  DrawIconEx(dc.dc(), 0, 0, LoadCursorW(nullptr, IDC_ARROW), 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_NE(GetPixel(dc.dc(), int(info.xHotspot), int(info.yHotspot)), RGB(128, 128, 128));
  DeleteObject(info.hbmMask);
}

TEST(StandardIcons, UnknownIdsAndNamesFail) {
  SetLastError(0);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(12345)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadCursorW(nullptr, u"ARROW"), nullptr);
  EXPECT_EQ(LoadIconW(nullptr, IDC_SIZEWE), nullptr);  // a cursor id is not an icon
}

TEST(StandardIcons, LoadImageGivesRequestedSizeUnshared) {
  size_t icons0 = LiveIcons();
  HICON small = static_cast<HICON>(LoadImageW(nullptr, IDI_ASTERISK, IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(small, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(small, &info));
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_TRUE(DestroyIcon(small));
  EXPECT_EQ(LiveIcons(), icons0);
}

}  // namespace
}  // namespace talix::gdi::testing
