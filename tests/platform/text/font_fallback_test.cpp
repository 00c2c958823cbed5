// Per-character fallback: Hebrew in a face without Hebrew (DejaVu Sans Mono from
// Debian's fonts-dejavu-core, committed under data/memory and added from memory) is
// drawn and measured with the face fontconfig offers for it (the committed Liberation
// Sans), the same way for drawing and for measuring.
#include "text_fixture.h"

#include <fstream>
#include <iterator>

namespace talix::text::testing {
namespace {

const std::u16string kHebrew = u"\u05E9\u05DC\u05D5\u05DD";  // shalom
const std::u16string kMixed = u"Mono " + kHebrew + u" text";

// DejaVu Sans Mono, added for the fixture's lifetime, and a LOGFONTW for it.
class LatinOnlyFace : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream file(TALIX_TEST_DATA_DIR "/memory/DejaVuSansMono.ttf", std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file), {});
    DWORD count = 0;
    added_ = AddFontMemResourceEx(bytes_.data(), DWORD(bytes_.size()), nullptr, &count);
    ASSERT_NE(added_, nullptr);
  }
  void TearDown() override { RemoveFontMemResourceEx(added_); }

  static LOGFONTW Mono(LONG height) {
    LOGFONTW lf = Arial(height);
    const char16_t name[] = u"DejaVu Sans Mono";
    std::copy(std::begin(name), std::end(name), lf.lfFaceName);
    return lf;
  }

 private:
  std::vector<char> bytes_;
  HANDLE added_ = nullptr;
};

// What TextOutW paints for `text` on a baseline in a fresh white DC with `lf` selected.
std::vector<uint32_t> Painted(const LOGFONTW& lf, std::u16string_view text) {
  TextDc dc(200, 40, lf);
  SetBkMode(dc.dc(), TRANSPARENT);
  SetTextAlign(dc.dc(), TA_BASELINE);
  TextOutW(dc.dc(), 2, 30, text.data(), int(text.size()));
  return dc.Pixels();
}

TEST_F(LatinOnlyFace, MissingCharactersAreDrawnWithTheFallbackFace) {
  // The same pixels as the Hebrew drawn by the face that has it, at the same em size.
  std::vector<uint32_t> fallback = Painted(Mono(-16), kHebrew);
  EXPECT_EQ(fallback, Painted(Arial(-16), kHebrew));
  // Not .notdef boxes: private-use characters no face has draw those.
  EXPECT_NE(fallback, Painted(Mono(-16), u"\uE000\uE001\uE002\uE003"));
  EXPECT_NE(fallback, Painted(Mono(-16), u""));
  // The Latin letters around stay in the selected face.
  TextDc mono(4, 4, Mono(-16)), sans(4, 4, Arial(-16));
  EXPECT_GT(TextWidth(mono.dc(), u"iiii"), TextWidth(sans.dc(), u"iiii"));
}

TEST_F(LatinOnlyFace, MeasuringAgreesWithDrawing) {
  for (LONG height : {-13, -16, -24}) {
    SCOPED_TRACE(height);
    TextDc mono(400, 60, Mono(height)), sans(4, 4, Arial(height));
    const int hebrewWidth = TextWidth(mono.dc(), kHebrew);
    EXPECT_EQ(hebrewWidth, TextWidth(sans.dc(), kHebrew));
    const int total = TextWidth(mono.dc(), kMixed);
    EXPECT_EQ(total, TextWidth(mono.dc(), u"Mono ") + hebrewWidth + TextWidth(mono.dc(), u" text"));

    RECT calc{10, 10, 10, 10};
    DrawTextW(mono.dc(), kMixed.c_str(), int(kMixed.size()), &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.right - calc.left, total);
    int widths[3] = {};
    ASSERT_TRUE(GetCharWidth32W(mono.dc(), 0x05E9, 0x05E9, widths));
    EXPECT_GT(widths[0], 0);

    RECT draw = calc;
    SetBkMode(mono.dc(), TRANSPARENT);
    DrawTextW(mono.dc(), kMixed.c_str(), int(kMixed.size()), &draw, DT_SINGLELINE | DT_NOCLIP);
    RECT ink = mono.Ink();
    EXPECT_GE(ink.left, calc.left);
    EXPECT_LE(ink.right, calc.right + 1);  // a glyph may overhang its advance by a pixel
    EXPECT_GT(ink.right, calc.right - 6);  // ... but the text reaches the end of the box
  }
}

TEST_F(LatinOnlyFace, ReadingOrderStillPutsTheHebrewAfterTheLatin) {
  TextDc dc(300, 30, Mono(-16));
  SetBkMode(dc.dc(), TRANSPARENT);
  const std::u16string text = u"AB " + kHebrew;
  TextOutW(dc.dc(), 0, 0, text.c_str(), int(text.size()));
  const int latin = TextWidth(dc.dc(), u"AB ");
  std::vector<std::pair<int, int>> columns = dc.InkColumns();
  ASSERT_FALSE(columns.empty());
  EXPECT_LT(columns.front().first, latin);
  EXPECT_GT(columns.back().second, latin + TextWidth(dc.dc(), kHebrew) / 2);
}

}  // namespace
}  // namespace talix::text::testing
