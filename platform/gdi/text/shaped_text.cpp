#include "platform/gdi/text/shaped_text.h"

#include "platform/gdi/text/bidi_runs.h"
#include "platform/gdi/text/font_fallback.h"
#include "platform/kernel/utf.h"

#include <algorithm>

namespace talix::gdi {

namespace {

int ToPixels(hb_position_t v) { return int((int64_t(v) + 32) >> 6); }

const hb_feature_t kFeatures[] = {
    {HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
    {HB_TAG('l', 'i', 'g', 'a'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
    {HB_TAG('c', 'l', 'i', 'g'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
};

// One buffer per thread, reused.
hb_buffer_t* ThreadBuffer() {
  struct Holder {
    hb_buffer_t* buffer = hb_buffer_create();
    ~Holder() { hb_buffer_destroy(buffer); }
  };
  thread_local Holder holder;
  hb_buffer_clear_contents(holder.buffer);
  return holder.buffer;
}

// Shapes text[start, start + length) with one face, appending the glyphs.
void ShapeSegment(RealizedFont& font, RealizedFont* fallback, std::u16string_view text,
                  size_t start, size_t length, bool rtl, ShapedText* out) {
  hb_buffer_t* buffer = ThreadBuffer();
  hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.data()), int(text.size()),
                      unsigned(start), int(length));
  hb_buffer_guess_segment_properties(buffer);
  hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_shape(font.Shaper(), buffer, kFeatures, sizeof kFeatures / sizeof kFeatures[0]);
  unsigned count = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
  for (unsigned i = 0; i < count; ++i) {
    ShapedGlyph glyph;
    glyph.index = info[i].codepoint;
    glyph.cluster = info[i].cluster;
    glyph.advance = ToPixels(pos[i].x_advance);
    if (glyph.advance > 0) glyph.advance += font.BoldExtra();
    glyph.xOffset = ToPixels(pos[i].x_offset);
    glyph.yOffset = ToPixels(pos[i].y_offset);
    glyph.font = fallback;
    out->width += glyph.advance;
    out->glyphs.push_back(glyph);
  }
}

// Characters that take the face of their neighbours rather than a fallback of their own
// (controls, joiners, direction marks, variation selectors).
bool FollowsNeighbours(char32_t c) {
  return c < 0x20 || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2060 && c <= 0x206F) || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF;
}

struct FontSegment {
  size_t start = 0, length = 0;
  std::shared_ptr<RealizedFont> fallback;  // null: the text's own face
};

// The run cut where the face that has the characters changes, in logical order.
std::vector<FontSegment> SegmentsByFace(RealizedFont& font, std::u16string_view text,
                                        const BidiRun& run) {
  std::vector<FontSegment> segments;
  std::shared_ptr<RealizedFont> current;
  const size_t end = run.start + run.length;
  for (size_t i = run.start; i < end;) {
    const size_t at = i;
    char32_t c = DecodeUtf16(text.substr(0, end), i);
    std::shared_ptr<RealizedFont> face = current;
    if (!FollowsNeighbours(c) || segments.empty()) {
      if (FaceHas(font, c)) face = nullptr;
      else if (!(current && FaceHas(*current, c))) face = FallbackFontFor(font, c);
    }
    if (segments.empty() || face != current) segments.push_back(FontSegment{at, 0, face});
    current = face;
    segments.back().length = i - segments.back().start;
  }
  return segments;
}

void KeepAlive(const std::shared_ptr<RealizedFont>& font, ShapedText* out) {
  if (font && std::find(out->fallbacks.begin(), out->fallbacks.end(), font) == out->fallbacks.end())
    out->fallbacks.push_back(font);
}

void ShapeRun(RealizedFont& font, std::u16string_view text, const BidiRun& run,
              ShapedText* out) {
  const size_t firstGlyph = out->glyphs.size();
  const int widthBefore = out->width;
  ShapeSegment(font, nullptr, text, run.start, run.length, run.rtl, out);
  // Glyph 0 is .notdef: some character is missing from the face. Shape again, each
  // stretch of characters with a face that has them.
  auto missing = [](const ShapedGlyph& g) { return g.index == 0; };
  if (std::none_of(out->glyphs.begin() + ptrdiff_t(firstGlyph), out->glyphs.end(), missing))
    return;
  std::vector<FontSegment> segments = SegmentsByFace(font, text, run);
  if (segments.size() == 1 && !segments[0].fallback) return;
  out->glyphs.resize(firstGlyph);
  out->width = widthBefore;
  // Right-to-left runs list their glyphs from the logical end.
  if (run.rtl) std::reverse(segments.begin(), segments.end());
  for (const FontSegment& segment : segments) {
    KeepAlive(segment.fallback, out);
    RealizedFont& face = segment.fallback ? *segment.fallback : font;
    ShapeSegment(face, segment.fallback.get(), text, segment.start, segment.length, run.rtl, out);
  }
}

}  // namespace

bool HasRightToLeft(std::u16string_view text) {
  for (char16_t c : text) {
    if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
        (c >= 0xFE70 && c <= 0xFEFE) || (c >= 0x200F && c <= 0x200F) ||
        (c >= 0x202B && c <= 0x202B) || (c >= 0x202E && c <= 0x202E))
      return true;
  }
  return false;
}

ShapedText ShapeText(RealizedFont& font, std::u16string_view text, bool rtlReading) {
  ShapedText shaped;
  if (text.empty()) return shaped;
  if (!rtlReading && !HasRightToLeft(text)) {
    ShapeRun(font, text, BidiRun{0, text.size(), false}, &shaped);
    return shaped;
  }
  for (const BidiRun& run : VisualRuns(text, rtlReading)) ShapeRun(font, text, run, &shaped);
  return shaped;
}

std::vector<int> AdvancesOf(const ShapedText& shaped, size_t length) {
  std::vector<int> advances(length, 0);
  for (const ShapedGlyph& glyph : shaped.glyphs)
    if (glyph.cluster < advances.size()) advances[glyph.cluster] += glyph.advance;
  return advances;
}

std::vector<int> CharAdvances(RealizedFont& font, std::u16string_view text) {
  return AdvancesOf(ShapeText(font, text, false), text.size());
}

}  // namespace talix::gdi
