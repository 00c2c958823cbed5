#include "platform/gdi/font/realized_font.h"

#include "platform/kernel/utf.h"

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>

#include <algorithm>
#include <cmath>

namespace talix::gdi {

namespace {

constexpr size_t kGlyphCacheLimit = 4096;
constexpr int kDefaultCellHeight = 16;

int RoundScaled(double units, double scale) { return int(std::lround(units * scale)); }

// Vertical extents in font units: the OS/2 table's Windows ascent and descent when
// there is one, else the face's own.
void DesignExtents(FT_Face face, int* ascent, int* descent) {
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    *ascent = os2->usWinAscent;
    *descent = os2->usWinDescent;
  } else {
    *ascent = face->ascender;
    *descent = -face->descender;
  }
  if (*ascent + *descent <= 0) {
    *ascent = face->units_per_EM;
    *descent = 0;
  }
}

}  // namespace

RealizedFont::RealizedFont(std::shared_ptr<FontLibrary> library, FT_Face face, FontBytes bytes)
    : library_(std::move(library)), face_(face), bytes_(std::move(bytes)) {}

RealizedFont::~RealizedFont() {
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  if (hb_) hb_font_destroy(hb_);
  FT_Done_Face(face_);
}

void RealizedFont::Configure(const LOGFONTW& logfont, bool synthBold, bool synthItalic,
                             FT_Int32 hinting) {
  synthBold_ = synthBold;
  synthItalic_ = synthItalic;
  underline_ = logfont.lfUnderline != 0;
  strikeOut_ = logfont.lfStrikeOut != 0;
  mono_ = logfont.lfQuality == NONANTIALIASED_QUALITY;
  loadFlags_ = FT_LOAD_NO_BITMAP | (mono_ ? FT_LOAD_TARGET_MONO : hinting);
  ComputeMetrics(logfont);
  hb_ = hb_ft_font_create_referenced(face_);
  hb_ft_font_set_load_flags(hb_, loadFlags_);
}

void RealizedFont::ComputeMetrics(const LOGFONTW& lf) {
  FT_Face face = face_;
  const double upem = face->units_per_EM ? face->units_per_EM : 2048;
  int designAscent = 0, designDescent = 0;
  DesignExtents(face, &designAscent, &designDescent);
  const int designCell = designAscent + designDescent;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));

  // The em height in pixels; a positive lfHeight is the cell, so the em follows from it.
  LONG height = std::clamp<LONG>(lf.lfHeight, -16384, 16384);
  double cell = height > 0 ? height : height == 0 ? kDefaultCellHeight : 0;
  double em = cell > 0 ? cell * upem / designCell : -height;
  const double yScale = em / upem;
  int ascent = RoundScaled(designAscent, yScale);
  int descent = cell > 0 ? int(std::lround(cell)) - ascent : RoundScaled(designDescent, yScale);

  const int avgUnits = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : int(upem / 2);
  double emX = em;
  LONG width = std::clamp<LONG>(lf.lfWidth, -16384, 16384);
  if (width != 0) emX = std::abs(width) * upem / avgUnits;
  FT_Set_Char_Size(face, FT_F26Dot6(std::max(1.0, emX) * 64 + 0.5),
                   FT_F26Dot6(std::max(1.0, em) * 64 + 0.5), 72, 72);
  const double xScale = emX / upem;

  TEXTMETRICW& tm = metrics_;
  tm.tmAscent = ascent;
  tm.tmDescent = descent;
  tm.tmHeight = ascent + descent;
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - LONG(std::lround(em)));
  if (hhea) {
    int hheaCell = hhea->Ascender - hhea->Descender;
    tm.tmExternalLeading =
        std::max(0, RoundScaled(hhea->Line_Gap - (designCell - hheaCell), yScale));
  }
  tm.tmAveCharWidth = std::max(1, RoundScaled(avgUnits, xScale));
  tm.tmMaxCharWidth = std::max<LONG>(tm.tmAveCharWidth,
                                     RoundScaled(face->max_advance_width, xScale));
  int faceWeight = os2 ? os2->usWeightClass : (face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
  tm.tmWeight = synthBold_ ? std::max<LONG>(lf.lfWeight, 700) : faceWeight;
  if (synthBold_) boldExtra_ = std::max(1, int(std::lround(em / 48)));
  tm.tmMaxCharWidth += boldExtra_;
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = os2 ? WCHAR(os2->usFirstCharIndex) : 0x20;
  tm.tmLastChar = os2 ? WCHAR(os2->usLastCharIndex) : 0xFFFC;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = lf.lfItalic ? 0xFF : 0;
  tm.tmUnderlined = lf.lfUnderline ? 0xFF : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 0xFF : 0;
  // Set bit 0 means variable pitch (the name says the opposite).
  BYTE pitch = FT_IS_FIXED_WIDTH(face) ? 0 : TMPF_FIXED_PITCH;
  tm.tmPitchAndFamily = BYTE(pitch | TMPF_VECTOR | TMPF_TRUETYPE |
                             (FT_IS_FIXED_WIDTH(face) ? FF_MODERN : FF_SWISS));
  tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;

  lines_.underlinePosition = std::max(1, RoundScaled(-face->underline_position, yScale));
  lines_.underlineThickness = std::max(1, RoundScaled(face->underline_thickness, yScale));
  int strikePos = os2 && os2->yStrikeoutPosition > 0 ? os2->yStrikeoutPosition : designAscent / 3;
  int strikeSize = os2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : face->underline_thickness;
  lines_.strikeoutPosition = RoundScaled(strikePos, yScale);
  lines_.strikeoutThickness = std::max(1, RoundScaled(strikeSize, yScale));
  faceName_ = face->family_name ? FromUtf8(face->family_name) : u"";
}

const Glyph* RealizedFont::RenderGlyph(uint32_t glyphIndex) {
  auto found = glyphs_.find(glyphIndex);
  if (found != glyphs_.end()) return &found->second;
  if (glyphs_.size() >= kGlyphCacheLimit) glyphs_.clear();
  if (FT_Load_Glyph(face_, glyphIndex, loadFlags_) != 0) return nullptr;
  FT_GlyphSlot slot = face_->glyph;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (synthItalic_) {
      FT_Matrix shear{0x10000, 0x3333, 0, 0x10000};  // x += y / 5
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (synthBold_) FT_Outline_EmboldenXY(&slot->outline, boldExtra_ * 64, 0);
  }
  if (FT_Render_Glyph(slot, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
    return nullptr;
  const FT_Bitmap& bitmap = slot->bitmap;
  Glyph glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = int(bitmap.width);
  glyph.height = int(bitmap.rows);
  glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.height));
  for (int y = 0; y < glyph.height; ++y) {
    const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
    uint8_t* out = glyph.coverage.data() + size_t(y) * size_t(glyph.width);
    for (int x = 0; x < glyph.width; ++x)
      out[x] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                   ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255
                   : row[x];
  }
  return &glyphs_.emplace(glyphIndex, std::move(glyph)).first->second;
}

}  // namespace talix::gdi
