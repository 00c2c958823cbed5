// Text drawing against drawing the same string with FreeType and HarfBuzz directly.
//   BM_DrawTextLabel: a 20-character caption, one line, centred, with DrawTextW.
//   BM_FreeTypeHarfBuzzBaseline: the same string shaped with HarfBuzz and each glyph
//     rendered with FreeType and blended into a 32-bit buffer (no cache).
//   BM_DrawTextWordBreak: a 400-character paragraph broken into lines with DrawTextW.
// Both use the committed Liberation Sans of the text tests at a 16-pixel em.
#include <windows.h>

#include <benchmark/benchmark.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// The text tests' data folder. Ninja compiles with source paths relative to the build
// folder (the parent of the binary's bin/), so a relative __FILE__ is taken from there
// and the benchmark runs from any working directory.
std::string DataDir() {
  std::string source = __FILE__;
  if (!source.empty() && source[0] != '/') {
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string build = n > 0 ? std::string(exe, size_t(n)) : std::string(".");
    for (int up = 0; up < 2; ++up) build = build.substr(0, build.rfind('/'));
    source = build + "/" + source;
  }
  return source.substr(0, source.rfind("/bench/")) + "/tests/platform/text/data";
}
const std::string kDataDir = DataDir();

[[maybe_unused]] const bool kPrivateFonts = [] {
  setenv("FONTCONFIG_FILE", (kDataDir + "/fonts.conf").c_str(), 1);
  return true;
}();

const char16_t kLabel[] = u"Connection settings.";  // 20 characters
constexpr int kWidth = 240, kHeight = 32;

struct LabelDc {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(kWidth, 400, 1, 32, nullptr);
  HFONT font;
  HGDIOBJ oldBitmap, oldFont;
  LabelDc() {
    LOGFONTW lf{};
    lf.lfHeight = -16;
    const char16_t face[] = u"Arial";
    std::copy(std::begin(face), std::end(face), lf.lfFaceName);
    font = CreateFontIndirectW(&lf);
    oldBitmap = SelectObject(dc, bitmap);
    oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
  }
  ~LabelDc() {
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);
  }
};

void BM_DrawTextLabel(benchmark::State& state) {
  LabelDc label;
  for (auto _ : state) {
    RECT rc{0, 0, kWidth, kHeight};
    DrawTextW(label.dc, kLabel, 20, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawTextLabel);

void BlendGlyph(const FT_Bitmap& glyph, int x0, int y0, std::vector<uint32_t>& pixels) {
  for (unsigned y = 0; y < glyph.rows; ++y) {
    int py = y0 + int(y);
    if (py < 0 || py >= kHeight) continue;
    for (unsigned x = 0; x < glyph.width; ++x) {
      int px = x0 + int(x);
      unsigned a = glyph.buffer[y * unsigned(glyph.pitch) + x];
      if (px < 0 || px >= kWidth || !a) continue;
      uint32_t& d = pixels[size_t(py) * kWidth + size_t(px)];
      uint32_t out = 0;
      for (int s = 0; s < 24; s += 8) out |= ((((d >> s) & 0xFF) * (255 - a) + 127) / 255) << s;
      d = out;
    }
  }
}

void BM_FreeTypeHarfBuzzBaseline(benchmark::State& state) {
  FT_Library library;
  FT_Init_FreeType(&library);
  FT_Face face;
  if (FT_New_Face(library, (kDataDir + "/fonts/LiberationSans-Regular.ttf").c_str(), 0, &face)) {
    state.SkipWithError("font missing");
    FT_Done_FreeType(library);
    return;
  }
  FT_Set_Pixel_Sizes(face, 0, 16);
  hb_font_t* font = hb_ft_font_create_referenced(face);
  hb_buffer_t* buffer = hb_buffer_create();
  std::vector<uint32_t> pixels(size_t(kWidth) * kHeight, 0xFFFFFF);
  const hb_feature_t features[] = {{HB_TAG('k', 'e', 'r', 'n'), 0, 0, ~0u},
                                   {HB_TAG('l', 'i', 'g', 'a'), 0, 0, ~0u}};
  for (auto _ : state) {
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(kLabel), 20, 0, 20);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, features, 2);
    unsigned n = 0;
    hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &n);
    hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &n);
    int width = 0;
    for (unsigned i = 0; i < n; ++i) width += (pos[i].x_advance + 32) >> 6;
    int pen = (kWidth - width) / 2, baseline = 20;
    for (unsigned i = 0; i < n; ++i) {
      if (FT_Load_Glyph(face, info[i].codepoint, FT_LOAD_DEFAULT) == 0 &&
          FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0)
        BlendGlyph(face->glyph->bitmap, pen + face->glyph->bitmap_left,
                   baseline - face->glyph->bitmap_top, pixels);
      pen += (pos[i].x_advance + 32) >> 6;
    }
    benchmark::DoNotOptimize(pixels.data());
  }
  hb_buffer_destroy(buffer);
  hb_font_destroy(font);
  FT_Done_FreeType(library);
}
BENCHMARK(BM_FreeTypeHarfBuzzBaseline);

void BM_DrawTextWordBreak(benchmark::State& state) {
  std::u16string paragraph;
  while (paragraph.size() < 400) paragraph += u"Lorem ipsum dolor sit amet, consectetur adipiscing. ";
  paragraph.resize(400);
  LabelDc label;
  for (auto _ : state) {
    RECT rc{0, 0, kWidth, 400};
    DrawTextW(label.dc, paragraph.c_str(), 400, &rc, DT_WORDBREAK | DT_LEFT);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawTextWordBreak);

}  // namespace
