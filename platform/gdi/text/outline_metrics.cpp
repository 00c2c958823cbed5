// GetOutlineTextMetricsW from the face's own tables at the realised size: OS/2 for the
// typographic extents, sub/superscripts, strike-out, x- and cap heights, PANOSE and
// flags; hhea for the Macintosh extents and caret slope; post for the italic angle and
// underline; head for the em square, box and smallest readable size.
//
// Limits: faces without those tables (not TrueType/OpenType) report zeros for what the
// tables would give; names are the face's English Windows names when it has them.
#include "platform/gdi/font/font_object.h"
#include "platform/kernel/utf.h"

#include <win/base.h>
#include <win/text.h>
#include <win/wstr.h>

#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstring>
#include <string>

namespace talix::gdi {

namespace {

// Font units to whole pixels at the face's current size.
struct Scaler {
  FT_Fixed x, y;
  int X(FT_Long units) const { return int(std::lround(FT_MulFix(units, x) / 64.0)); }
  int Y(FT_Long units) const { return int(std::lround(FT_MulFix(units, y) / 64.0)); }
};

// An English name from the Windows Unicode name records, else `fallback`.
std::u16string SfntName(FT_Face face, FT_UShort id, const char* fallback) {
  std::u16string best;
  bool english = false;
  FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  for (FT_UInt i = 0; i < count; ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != id ||
        name.platform_id != TT_PLATFORM_MICROSOFT ||
        (name.encoding_id != TT_MS_ID_UNICODE_CS && name.encoding_id != TT_MS_ID_UCS_4))
      continue;
    if (english && name.language_id != TT_MS_LANGID_ENGLISH_UNITED_STATES) continue;
    std::u16string text;
    for (FT_UInt b = 0; b + 1 < name.string_len; b += 2)
      text += char16_t(name.string[b] << 8 | name.string[b + 1]);
    best = text;
    english = name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES;
  }
  if (best.empty() && fallback) best = FromUtf8(fallback);
  return best;
}

struct OutlineNames {
  std::u16string family, face, style, full;
  size_t Bytes() const {
    return (family.size() + face.size() + style.size() + full.size() + 4) * sizeof(WCHAR);
  }
};

OutlineNames NamesOf(FT_Face face, const std::u16string& askedFace) {
  OutlineNames names;
  names.family = SfntName(face, TT_NAME_ID_FONT_FAMILY, face->family_name);
  names.style = SfntName(face, TT_NAME_ID_FONT_SUBFAMILY, face->style_name);
  names.full = SfntName(face, TT_NAME_ID_FULL_NAME, face->family_name);
  // The typeface name is the one the LOGFONTW asked for, as GetTextFaceW reports it.
  names.face = askedFace.empty() ? names.family : askedFace;
  return names;
}

void FillFromTables(FT_Face face, const TEXTMETRICW& tm, OUTLINETEXTMETRICW* otm) {
  Scaler s{face->size->metrics.x_scale, face->size->metrics.y_scale};
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  auto* head = static_cast<TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD));
  otm->otmTextMetrics = tm;
  otm->otmEMSquare = face->units_per_EM;
  otm->otmrcFontBox = RECT{s.X(face->bbox.xMin), s.Y(face->bbox.yMax), s.X(face->bbox.xMax),
                           s.Y(face->bbox.yMin)};
  if (os2) {
    static_assert(sizeof(PANOSE) == sizeof os2->panose, "PANOSE is ten bytes");
    std::memcpy(&otm->otmPanoseNumber, os2->panose, sizeof(PANOSE));
    otm->otmfsSelection = os2->fsSelection & 0x3F;
    otm->otmfsType = os2->fsType;
    otm->otmAscent = s.Y(os2->sTypoAscender);
    otm->otmDescent = s.Y(os2->sTypoDescender);
    otm->otmLineGap = UINT(std::max(0, s.Y(os2->sTypoLineGap)));
    otm->otmsXHeight = UINT(std::max(0, s.Y(os2->sxHeight)));
    otm->otmsCapEmHeight = UINT(std::max(0, s.Y(os2->sCapHeight)));
    otm->otmptSubscriptSize = POINT{s.X(os2->ySubscriptXSize), s.Y(os2->ySubscriptYSize)};
    otm->otmptSubscriptOffset = POINT{s.X(os2->ySubscriptXOffset), s.Y(os2->ySubscriptYOffset)};
    otm->otmptSuperscriptSize = POINT{s.X(os2->ySuperscriptXSize), s.Y(os2->ySuperscriptYSize)};
    otm->otmptSuperscriptOffset =
        POINT{s.X(os2->ySuperscriptXOffset), s.Y(os2->ySuperscriptYOffset)};
    otm->otmsStrikeoutSize = UINT(std::max(0, s.Y(os2->yStrikeoutSize)));
    otm->otmsStrikeoutPosition = s.Y(os2->yStrikeoutPosition);
  }
  if (hhea) {
    otm->otmsCharSlopeRise = hhea->caret_Slope_Rise;
    otm->otmsCharSlopeRun = hhea->caret_Slope_Run;
    otm->otmMacAscent = s.Y(hhea->Ascender);
    otm->otmMacDescent = s.Y(hhea->Descender);
    otm->otmMacLineGap = UINT(std::max(0, s.Y(hhea->Line_Gap)));
  }
  if (post) {
    otm->otmItalicAngle = int(std::lround(post->italicAngle * 10.0 / 65536.0));
    otm->otmsUnderscoreSize = s.Y(post->underlineThickness);
    otm->otmsUnderscorePosition = s.Y(post->underlinePosition);
  }
  if (head) otm->otmusMinimumPPEM = head->Lowest_Rec_PPEM;
}

// What the LOGFONTW added on top of the face: simulated styles and the line flags.
void AddSimulations(FT_Face face, const TEXTMETRICW& tm, OUTLINETEXTMETRICW* otm) {
  if (tm.tmItalic) otm->otmfsSelection |= 0x01;
  if (tm.tmUnderlined) otm->otmfsSelection |= 0x02;
  if (tm.tmStruckOut) otm->otmfsSelection |= 0x10;
  if (tm.tmWeight >= FW_BOLD) otm->otmfsSelection |= 0x20;
  if (tm.tmItalic && !(face->style_flags & FT_STYLE_FLAG_ITALIC) && otm->otmItalicAngle == 0) {
    otm->otmItalicAngle = -113;  // the 1:5 shear of simulated italics
    otm->otmsCharSlopeRise = 5;
    otm->otmsCharSlopeRun = 1;
  }
}

// Writes a name after the structure and stores its offset in the member.
void PutName(OUTLINETEXTMETRICW* otm, size_t* at, const std::u16string& name, PSTR* member) {
  auto* base = reinterpret_cast<char*>(otm);
  std::memcpy(base + *at, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
  *member = reinterpret_cast<PSTR>(static_cast<uintptr_t>(*at));
  *at += (name.size() + 1) * sizeof(WCHAR);
}

std::u16string AskedFaceName(HDC hdc) {
  HFONT handle = static_cast<HFONT>(GetCurrentObject(hdc, OBJ_FONT));
  auto* object = PeekGdiObject<FontObject>(handle, OBJ_FONT);
  LOGFONTW lf = object ? object->LogFont() : LOGFONTW{};
  return std::u16string(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
}

}  // namespace

}  // namespace talix::gdi

using namespace talix::gdi;

UINT GetOutlineTextMetricsW(HDC hdc, UINT cbData, LPOUTLINETEXTMETRICW lpOTM) {
  auto font = RealizedFontOfDc(hdc);
  if (!font) return 0;
  std::u16string asked = AskedFaceName(hdc);
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  FT_Face face = font->Face();
  OutlineNames names = NamesOf(face, asked);
  const size_t total = sizeof(OUTLINETEXTMETRICW) + names.Bytes();
  if (!lpOTM) return UINT(total);
  if (cbData < total) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  OUTLINETEXTMETRICW otm{};
  otm.otmSize = UINT(total);
  FillFromTables(face, font->Metrics(), &otm);
  AddSimulations(face, font->Metrics(), &otm);
  *lpOTM = otm;
  size_t at = sizeof(OUTLINETEXTMETRICW);
  PutName(lpOTM, &at, names.family, &lpOTM->otmpFamilyName);
  PutName(lpOTM, &at, names.face, &lpOTM->otmpFaceName);
  PutName(lpOTM, &at, names.style, &lpOTM->otmpStyleName);
  PutName(lpOTM, &at, names.full, &lpOTM->otmpFullName);
  return UINT(total);
}
