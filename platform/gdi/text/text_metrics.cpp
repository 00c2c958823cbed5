// Text metrics of the font selected into a DC.
#include "platform/gdi/font/font_object.h"
#include "platform/gdi/text/shape_cache.h"

#include <win/base.h>
#include <win/text.h>
#include <win/wstr.h>

#include <cmath>

namespace talix::gdi {

namespace {

int WidthOf(RealizedFont& font, std::u16string_view text) {
  return ShapeText(font, text, false).width;
}

// One character shaped on its own.
ShapedText ShapeChar(RealizedFont& font, UINT code) {
  char16_t units[2];
  size_t n = 1;
  if (code >= 0x10000 && code <= 0x10FFFF) {
    units[0] = char16_t(0xD800 + ((code - 0x10000) >> 10));
    units[1] = char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
    n = 2;
  } else {
    units[0] = char16_t(code);
  }
  return ShapeText(font, std::u16string_view(units, n), false);
}

}  // namespace

SIZE DialogBaseUnitsForFont(HFONT hfont) {
  auto font = RealizedFontOf(hfont);
  if (!font) return SIZE{0, 0};
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  int width = WidthOf(*font, u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return SIZE{(width + 26) / 52, font->Metrics().tmHeight};
}

}  // namespace talix::gdi

using namespace talix::gdi;

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
  if (!lptm) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto font = RealizedFontOfDc(hdc);
  if (!font) return FALSE;
  *lptm = font->Metrics();
  return TRUE;
}

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent,
                           LPINT lpnFit, LPINT lpnDx, LPSIZE lpSize) {
  if (cchString < 0 || (cchString > 0 && !lpszString) || !lpSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto font = RealizedFontOfDc(hdc);
  if (!font) return FALSE;
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  std::vector<int> advances =
      CharAdvancesCached(font, std::u16string_view(lpszString, size_t(cchString)));
  int total = 0, fit = 0;
  for (int i = 0; i < cchString; ++i) {
    total += advances[size_t(i)];
    if (nMaxExtent < 0 || total <= nMaxExtent) fit = i + 1;
    if (lpnDx) lpnDx[i] = total;
  }
  if (lpnFit) *lpnFit = fit;
  *lpSize = SIZE{total, font->Metrics().tmHeight};
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
  return GetTextExtentExPointW(hdc, lpString, c, -1, nullptr, nullptr, psizl);
}

BOOL GetCharWidth32W(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) {
  if (!lpBuffer || iLast < iFirst) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto font = RealizedFontOfDc(hdc);
  if (!font) return FALSE;
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  for (UINT code = iFirst; code <= iLast; ++code)
    lpBuffer[code - iFirst] = ShapeChar(*font, code).width;
  return TRUE;
}

BOOL GetCharABCWidthsW(HDC hdc, UINT wFirst, UINT wLast, LPABC lpABC) {
  if (!lpABC || wLast < wFirst) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto font = RealizedFontOfDc(hdc);
  if (!font) return FALSE;
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  for (UINT code = wFirst; code <= wLast; ++code) {
    ShapedText shaped = ShapeChar(*font, code);
    int advance = shaped.width;
    const Glyph* glyph = nullptr;
    if (!shaped.glyphs.empty())
      glyph = shaped.FontOf(shaped.glyphs[0], *font).RenderGlyph(shaped.glyphs[0].index);
    ABC& abc = lpABC[code - wFirst];
    if (!glyph || glyph->width == 0) {
      abc = ABC{0, UINT(advance), 0};
      continue;
    }
    abc.abcA = glyph->left;
    abc.abcB = UINT(glyph->width);
    abc.abcC = advance - glyph->left - glyph->width;
  }
  return TRUE;
}

int GetTextFaceW(HDC hdc, int c, LPWSTR lpName) {
  auto font = RealizedFontOfDc(hdc);
  if (!font) return 0;
  // The face name asked for, as Windows reports it (the face drawn may be a substitute).
  HFONT handle = static_cast<HFONT>(GetCurrentObject(hdc, OBJ_FONT));
  auto* object = PeekGdiObject<FontObject>(handle, OBJ_FONT);
  LOGFONTW lf = object ? object->LogFont() : LOGFONTW{};
  std::u16string name(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
  if (name.empty()) name = font->FaceName();
  if (!lpName) return int(name.size()) + 1;
  if (c <= 0) return 0;
  lstrcpynW(lpName, name.c_str(), c);
  return int(wcslen(lpName));
}

LONG GetDialogBaseUnits(void) {
  SIZE units = DialogBaseUnitsForFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  return MAKELONG(units.cx, units.cy);
}
