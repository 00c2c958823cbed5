#include "platform/gdi/text/shaped_text.h"

#include "platform/gdi/text/bidi_runs.h"

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

void ShapeRun(RealizedFont& font, std::u16string_view text, const BidiRun& run,
              ShapedText* out) {
  hb_buffer_t* buffer = ThreadBuffer();
  hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.data()), int(text.size()),
                      unsigned(run.start), int(run.length));
  hb_buffer_guess_segment_properties(buffer);
  hb_buffer_set_direction(buffer, run.rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
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
    out->width += glyph.advance;
    out->glyphs.push_back(glyph);
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

std::vector<int> CharAdvances(RealizedFont& font, std::u16string_view text) {
  std::vector<int> advances(text.size(), 0);
  ShapedText shaped = ShapeText(font, text, false);
  for (const ShapedGlyph& glyph : shaped.glyphs)
    if (glyph.cluster < advances.size()) advances[glyph.cluster] += glyph.advance;
  return advances;
}

}  // namespace talix::gdi
