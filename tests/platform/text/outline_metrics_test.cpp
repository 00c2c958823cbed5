// GetOutlineTextMetricsW against the committed face's tables read with FreeType, the
// size query and the names after the structure.
#include "text_fixture.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstring>
#include <vector>

namespace talix::text::testing {
namespace {

// The face's tables, read straight from the file.
class FaceTables {
 public:
  explicit FaceTables(const char* file) {
    FT_Init_FreeType(&library_);
    std::string path = std::string(TALIX_TEST_DATA_DIR "/fonts/") + file;
    if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) face_ = nullptr;
  }
  ~FaceTables() {
    if (face_) FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  FT_Face face() const { return face_; }
  const TT_OS2& os2() const { return *static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2)); }
  const TT_HoriHeader& hhea() const {
    return *static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
  }
  const TT_Postscript& post() const {
    return *static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face_, FT_SFNT_POST));
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// The whole buffer GetOutlineTextMetricsW asks for, filled.
std::vector<uint8_t> Query(HDC dc) {
  UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
  std::vector<uint8_t> buffer(size);
  auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
  if (size) EXPECT_EQ(GetOutlineTextMetricsW(dc, size, otm), size);
  return buffer;
}

std::u16string NameAt(const std::vector<uint8_t>& buffer, PSTR member) {
  size_t offset = reinterpret_cast<uintptr_t>(member);
  EXPECT_GE(offset, sizeof(OUTLINETEXTMETRICW));
  EXPECT_LT(offset, buffer.size());
  if (offset >= buffer.size()) return u"";
  std::u16string name;
  for (size_t at = offset; at + 1 < buffer.size(); at += 2) {
    char16_t c;
    std::memcpy(&c, buffer.data() + at, 2);
    if (c == 0) return name;
    name += c;
  }
  ADD_FAILURE() << "name not terminated inside the buffer";
  return name;
}

TEST(OutlineTextMetrics, NumbersAreTheFaceTablesAtTheEmSize) {
  FaceTables tables("LiberationSans-Regular.ttf");
  ASSERT_NE(tables.face(), nullptr);
  const double upem = tables.face()->units_per_EM;
  for (int em : {16, 32}) {
    SCOPED_TRACE(em);
    TextDc dc(4, 4, Arial(-em));
    std::vector<uint8_t> buffer = Query(dc.dc());
    ASSERT_GE(buffer.size(), sizeof(OUTLINETEXTMETRICW));
    OUTLINETEXTMETRICW otm;
    std::memcpy(&otm, buffer.data(), sizeof otm);
    auto px = [&](double units) { return int(std::lround(units * em / upem)); };
    const TT_OS2& os2 = tables.os2();
    EXPECT_EQ(otm.otmSize, buffer.size());
    EXPECT_EQ(otm.otmEMSquare, UINT(upem));
    EXPECT_EQ(otm.otmAscent, px(os2.sTypoAscender));
    EXPECT_EQ(otm.otmDescent, px(os2.sTypoDescender));
    EXPECT_EQ(otm.otmLineGap, UINT(px(os2.sTypoLineGap)));
    EXPECT_EQ(otm.otmsXHeight, UINT(px(os2.sxHeight)));
    EXPECT_EQ(otm.otmsCapEmHeight, UINT(px(os2.sCapHeight)));
    EXPECT_EQ(otm.otmsStrikeoutSize, UINT(px(os2.yStrikeoutSize)));
    EXPECT_EQ(otm.otmsStrikeoutPosition, px(os2.yStrikeoutPosition));
    EXPECT_EQ(otm.otmptSubscriptOffset.y, px(os2.ySubscriptYOffset));
    EXPECT_EQ(otm.otmptSuperscriptSize.x, px(os2.ySuperscriptXSize));
    EXPECT_EQ(otm.otmMacAscent, px(tables.hhea().Ascender));
    EXPECT_EQ(otm.otmMacDescent, px(tables.hhea().Descender));
    EXPECT_EQ(otm.otmsUnderscorePosition, px(tables.post().underlinePosition));
    EXPECT_EQ(otm.otmsUnderscoreSize, px(tables.post().underlineThickness));
    EXPECT_EQ(otm.otmrcFontBox.top, px(tables.face()->bbox.yMax));
    EXPECT_EQ(otm.otmrcFontBox.left, px(tables.face()->bbox.xMin));
    EXPECT_EQ(otm.otmItalicAngle, 0);
    EXPECT_EQ(otm.otmfsType, UINT(os2.fsType));
    EXPECT_EQ(std::memcmp(&otm.otmPanoseNumber, os2.panose, 10), 0);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.dc(), &tm);
    EXPECT_EQ(std::memcmp(&otm.otmTextMetrics, &tm, sizeof tm), 0);
    EXPECT_EQ(NameAt(buffer, otm.otmpFamilyName), u"Liberation Sans");
    EXPECT_EQ(NameAt(buffer, otm.otmpFaceName), u"Arial");  // as asked, like GetTextFaceW
    EXPECT_EQ(NameAt(buffer, otm.otmpStyleName), u"Regular");
    EXPECT_EQ(NameAt(buffer, otm.otmpFullName), u"Liberation Sans");
  }
}

TEST(OutlineTextMetrics, StylesShowInTheSelectionFlagsAndAngle) {
  struct Case {
    LONG weight;
    BYTE italic;
    UINT selection;  // fsSelection bits expected set
    bool slanted;
    const char16_t* style;
  } cases[] = {{FW_BOLD, 0, 0x20, false, u"Bold"},
               {FW_NORMAL, 1, 0x01, true, u"Regular"},  // simulated italic
               {FW_BOLD, 1, 0x21, true, u"Bold"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.weight + c.italic);
    LOGFONTW lf = Arial(-16, c.weight);
    lf.lfItalic = c.italic;
    TextDc dc(4, 4, lf);
    std::vector<uint8_t> buffer = Query(dc.dc());
    ASSERT_GE(buffer.size(), sizeof(OUTLINETEXTMETRICW));
    OUTLINETEXTMETRICW otm;
    std::memcpy(&otm, buffer.data(), sizeof otm);
    EXPECT_EQ(otm.otmfsSelection & 0x21, c.selection);
    EXPECT_EQ(otm.otmItalicAngle < 0, c.slanted);
    EXPECT_EQ(NameAt(buffer, otm.otmpStyleName), c.style);
  }
}

TEST(OutlineTextMetrics, ShortBuffersFailAndWriteNothing) {
  TextDc dc(4, 4);
  const UINT size = GetOutlineTextMetricsW(dc.dc(), 0, nullptr);
  ASSERT_GT(size, sizeof(OUTLINETEXTMETRICW));  // the names follow the structure
  for (UINT cb : {0u, UINT(sizeof(OUTLINETEXTMETRICW)), size - 1}) {
    std::vector<uint8_t> buffer(size, 0xA5);
    SetLastError(0);
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    EXPECT_EQ(GetOutlineTextMetricsW(dc.dc(), cb, otm), 0u) << cb;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(buffer, std::vector<uint8_t>(size, 0xA5));
  }
  EXPECT_EQ(GetOutlineTextMetricsW(nullptr, 0, nullptr), 0u);
}

}  // namespace
}  // namespace talix::text::testing
