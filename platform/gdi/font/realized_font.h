// A LOGFONTW made concrete: a FreeType face at a pixel size, its HarfBuzz font, the
// metrics GetTextMetricsW reports, and a bounded cache of rendered glyphs.
//
// Sizes follow the LOGFONTW: lfHeight < 0 is the em height in pixels, > 0 the cell
// height (ascent + descent), 0 a cell of 16 pixels; lfWidth != 0 scales the face
// horizontally so its average character width is lfWidth. Bold and italic are
// synthesised (emboldened outline, 1:5 shear) when the face found lacks them.
#pragma once

#include "platform/gdi/font/font_library.h"
#include "platform/gdi/font/memory_fonts.h"

#include <win/text.h>

#include <hb.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace talix::gdi {

// A rendered glyph: coverage 0..255, `left`/`top` from the pen position on the baseline
// (top is upwards, as FreeType gives it).
struct Glyph {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;
};

struct LineMetrics {
  int underlinePosition = 0;  // pixels below the baseline of the line's top row
  int underlineThickness = 1;
  int strikeoutPosition = 0;  // pixels above the baseline of the line's top row
  int strikeoutThickness = 1;
};

class RealizedFont {
 public:
  RealizedFont(std::shared_ptr<FontLibrary> library, FT_Face face, FontBytes bytes);
  ~RealizedFont();
  RealizedFont(const RealizedFont&) = delete;
  RealizedFont& operator=(const RealizedFont&) = delete;

  // Callers hold FontLock() while using the face, the HarfBuzz font or glyphs.
  hb_font_t* Shaper() const { return hb_; }
  FT_Face Face() const { return face_; }
  const TEXTMETRICW& Metrics() const { return metrics_; }
  const LineMetrics& Lines() const { return lines_; }
  const std::u16string& FaceName() const { return faceName_; }
  // Extra advance of synthesised bold, in pixels.
  int BoldExtra() const { return boldExtra_; }
  bool Underline() const { return underline_; }
  bool StrikeOut() const { return strikeOut_; }
  // Null when the glyph cannot be rendered (it then draws nothing).
  const Glyph* RenderGlyph(uint32_t glyphIndex);

  // Filled in by RealizeFont.
  void Configure(const LOGFONTW& logfont, bool synthBold, bool synthItalic, FT_Int32 hinting);

 private:
  void ComputeMetrics(const LOGFONTW& logfont);

  std::shared_ptr<FontLibrary> library_;
  FT_Face face_;
  FontBytes bytes_;  // memory fonts: the face reads from these
  hb_font_t* hb_ = nullptr;
  TEXTMETRICW metrics_{};
  LineMetrics lines_;
  std::u16string faceName_;
  FT_Int32 loadFlags_ = FT_LOAD_DEFAULT;
  bool mono_ = false;
  bool synthBold_ = false;
  bool synthItalic_ = false;
  bool underline_ = false;
  bool strikeOut_ = false;
  int boldExtra_ = 0;
  std::unordered_map<uint32_t, Glyph> glyphs_;
};

// The realised font for a LOGFONTW (shared; realisations are cached). Null only when
// no font at all can be found.
std::shared_ptr<RealizedFont> RealizeFont(const LOGFONTW& logfont);

}  // namespace talix::gdi
