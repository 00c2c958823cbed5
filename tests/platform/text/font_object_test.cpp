// Font objects, stock fonts and fonts added from memory or private files.
#include "text_fixture.h"

#include "platform/kernel/utf.h"

#include <fstream>
#include <iterator>

namespace talix::text::testing {
namespace {

size_t LiveGdi() { return host::LiveHandles(HandleKind::GdiObject); }

TEST(FontObject, GetObjectGivesTheLogFontBack) {
  LOGFONTW lf = Arial(-13, FW_BOLD);
  lf.lfItalic = 1;
  lf.lfQuality = CLEARTYPE_QUALITY;
  HFONT font = CreateFontIndirectW(&lf);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), DWORD(OBJ_FONT));
  EXPECT_EQ(GetObjectW(font, 0, nullptr), 92);
  LOGFONTW back{};
  EXPECT_EQ(GetObjectW(font, sizeof back, &back), 92);
  EXPECT_EQ(0, memcmp(&back, &lf, sizeof lf));
  LOGFONTW part{};
  EXPECT_EQ(GetObjectW(font, 8, &part), 8);  // a short buffer gets the head
  EXPECT_EQ(part.lfHeight, -13);
  EXPECT_EQ(part.lfWeight, 0);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_FALSE(DeleteObject(font));
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

TEST(FontObject, CreateFontFillsTheLogFontAndHandlesAreCounted) {
  GetStockObject(SYSTEM_FONT);
  size_t before = LiveGdi();
  HFONT font = CreateFontW(20, 0, 0, 0, FW_NORMAL, 0, 1, 0, DEFAULT_CHARSET, 0, 0,
                           NONANTIALIASED_QUALITY, 0, u"A face name longer than thirty-two characters");
  EXPECT_EQ(LiveGdi(), before + 1);
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, 20);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(wcslen(lf.lfFaceName), size_t(LF_FACESIZE - 1));
  DeleteObject(font);
  EXPECT_EQ(LiveGdi(), before);
}

TEST(StockFonts, AreFontsThatCannotBeDeleted) {
  for (int index : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT,
                    DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT}) {
    SCOPED_TRACE(index);
    HGDIOBJ font = GetStockObject(index);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), DWORD(OBJ_FONT));
    LOGFONTW lf{};
    EXPECT_EQ(GetObjectW(font, sizeof lf, &lf), 92);
    EXPECT_NE(lf.lfFaceName[0], 0);
    EXPECT_EQ(GetStockObject(index), font);
    DeleteObject(font);
    EXPECT_EQ(GetObjectType(font), DWORD(OBJ_FONT));
  }
}

TEST(StockFonts, SystemFontCellFollowsTheHost) {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfWidth, host::GetScreenParams().systemFontWidth);
  EXPECT_EQ(lf.lfHeight, host::GetScreenParams().systemFontHeight);
  const host::ScreenParams saved = host::GetScreenParams();
  host::ScreenParams large = saved;
  large.dpi = 120;
  large.systemFontWidth = 8;
  large.systemFontHeight = 20;
  host::SetScreenParams(large);
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  host::SetScreenParams(saved);
  EXPECT_EQ(lf.lfWidth, 8);
  EXPECT_EQ(lf.lfHeight, 20);

  LOGFONTW big = Arial(20);
  big.lfWidth = 8;
  ASSERT_TRUE(host::SetStockFont(SYSTEM_FONT, big));
  EXPECT_FALSE(host::SetStockFont(WHITE_BRUSH, big));
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfWidth, 8);
  EXPECT_EQ(lf.lfHeight, 20);
  // A new DC draws with it: its cell is 20 pixels.
  HDC dc = CreateCompatibleDC(nullptr);
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(dc, &tm));
  EXPECT_EQ(tm.tmHeight, 20);
  EXPECT_EQ(tm.tmAveCharWidth, 8);
  DeleteDC(dc);
  host::ResetStockFonts();
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, host::GetScreenParams().systemFontHeight);
}

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

LOGFONTW Mono() {
  LOGFONTW lf = Arial(-16);
  const char16_t name[] = u"Liberation Mono";
  std::copy(std::begin(name), std::end(name), lf.lfFaceName);
  return lf;
}

bool DrawsMonospaced(const LOGFONTW& lf) {
  TextDc dc(10, 10, lf);
  return TextWidth(dc.dc(), u"iiii") == TextWidth(dc.dc(), u"WWWW");
}

TEST(MemoryFonts, FoundByFamilyWhileAddedAndGoneAfterRemoval) {
  ASSERT_FALSE(DrawsMonospaced(Mono()));  // not among the configured fonts
  std::vector<uint8_t> bytes = ReadFile(TALIX_TEST_DATA_DIR "/memory/LiberationMono-Regular.ttf");
  ASSERT_FALSE(bytes.empty());
  size_t before = host::LiveHandles(HandleKind::FontResource);
  DWORD count = 0;
  HANDLE added = AddFontMemResourceEx(bytes.data(), DWORD(bytes.size()), nullptr, &count);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(host::LiveHandles(HandleKind::FontResource), before + 1);
  std::fill(bytes.begin(), bytes.end(), 0);  // the caller's copy may go at once
  EXPECT_TRUE(DrawsMonospaced(Mono()));
  EXPECT_TRUE(RemoveFontMemResourceEx(added));
  EXPECT_FALSE(RemoveFontMemResourceEx(added));
  EXPECT_EQ(host::LiveHandles(HandleKind::FontResource), before);
  EXPECT_FALSE(DrawsMonospaced(Mono()));
}

TEST(MemoryFonts, RejectsWhatIsNotAFont) {
  std::vector<uint8_t> junk(4096, 0x5A);
  DWORD count = 7;
  EXPECT_EQ(AddFontMemResourceEx(junk.data(), DWORD(junk.size()), nullptr, &count), nullptr);
  EXPECT_EQ(AddFontMemResourceEx(nullptr, 10, nullptr, &count), nullptr);
  EXPECT_EQ(AddFontMemResourceEx(junk.data(), DWORD(junk.size()), nullptr, nullptr), nullptr);
  EXPECT_FALSE(RemoveFontMemResourceEx(nullptr));
}

TEST(MemoryFonts, PrivateFileFontsComeAndGo) {
  std::u16string path = FromUtf8(TALIX_TEST_DATA_DIR "/memory/LiberationMono-Regular.ttf");
  EXPECT_EQ(AddFontResourceExW(path.c_str(), 0, nullptr), 0);  // only private fonts
  EXPECT_EQ(AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr), 1);
  EXPECT_TRUE(DrawsMonospaced(Mono()));
  EXPECT_TRUE(RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr));
  EXPECT_FALSE(RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr));
  EXPECT_FALSE(DrawsMonospaced(Mono()));
  EXPECT_EQ(AddFontResourceExW(u"Z:\\no\\such\\font.ttf", FR_PRIVATE, nullptr), 0);
}

}  // namespace
}  // namespace talix::text::testing
