// TextOutW and ExtTextOutW.
//
// Limits: ETO_GLYPH_INDEX, ETO_PDY and lfEscapement/lfOrientation are not supported
// (text is horizontal); TA_UPDATECP keeps the current position with the text code
// (there is no MoveToEx yet), starting at (0, 0) for each DC.
#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/font/font_object.h"
#include "platform/gdi/text/shape_cache.h"
#include "platform/gdi/text/text_paint.h"

#include <win/base.h>
#include <win/text.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace talix::gdi {

namespace {

std::mutex currentMutex;
std::map<uint64_t, POINT>& CurrentPositions() {
  static auto* positions = new std::map<uint64_t, POINT>;
  return *positions;
}

POINT CurrentPosition(HDC hdc) {
  std::lock_guard<std::mutex> lock(currentMutex);
  auto found = CurrentPositions().find(ValueOfHandle(hdc));
  return found == CurrentPositions().end() ? POINT{0, 0} : found->second;
}

void SetCurrentPosition(HDC hdc, POINT p) {
  std::lock_guard<std::mutex> lock(currentMutex);
  CurrentPositions()[ValueOfHandle(hdc)] = p;
}

// lpDx replaces the advances: a cluster advances by the sum of its characters' entries.
void ApplyDx(ShapedText& shaped, const INT* dx, size_t count) {
  std::vector<bool> first(count, false);
  shaped.width = 0;
  // Clusters in logical order: a cluster spans up to the next larger cluster offset.
  std::vector<uint32_t> starts;
  for (const ShapedGlyph& g : shaped.glyphs) starts.push_back(g.cluster);
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  for (ShapedGlyph& g : shaped.glyphs) {
    g.advance = 0;
    if (g.cluster >= count || first[g.cluster]) continue;
    first[g.cluster] = true;
    auto next = std::upper_bound(starts.begin(), starts.end(), g.cluster);
    size_t end = next == starts.end() ? count : std::min<size_t>(*next, count);
    for (size_t i = g.cluster; i < end; ++i) g.advance += dx[i];
    shaped.width += g.advance;
  }
}

}  // namespace

}  // namespace talix::gdi

using namespace talix::gdi;

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString,
                 UINT c, const INT* lpDx) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (c > 0 && !lpString) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto font = RealizedFontOfDc(hdc);
  if (!font) return FALSE;
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  const UINT align = dc->State().textAlign;
  const bool rtl = (options & ETO_RTLREADING) || (align & TA_RTLREADING);
  std::u16string_view text(lpString ? lpString : u"", c);
  std::shared_ptr<const ShapedText> cached = ShapeTextCached(font, text, rtl);
  ShapedText spaced;  // a copy only when lpDx replaces the advances
  if (lpDx) {
    spaced = *cached;
    ApplyDx(spaced, lpDx, c);
  }
  const ShapedText& shaped = lpDx ? spaced : *cached;

  POINT origin{x, y};
  if (align & TA_UPDATECP) origin = CurrentPosition(hdc);
  const TEXTMETRICW& tm = font->Metrics();
  TextPaint paint;
  switch (align & TA_CENTER) {
    case TA_RIGHT: paint.left = origin.x - shaped.width; break;
    case TA_CENTER: paint.left = origin.x - shaped.width / 2; break;
    default: paint.left = origin.x; break;
  }
  switch (align & TA_BASELINE) {
    case TA_BASELINE: paint.baseline = origin.y; break;
    case TA_BOTTOM: paint.baseline = origin.y - tm.tmDescent; break;
    default: paint.baseline = origin.y + tm.tmAscent; break;
  }
  if (lprect && (options & ETO_CLIPPED)) paint.clip = lprect;
  if (lprect && (options & ETO_OPAQUE)) paint.opaque = lprect;
  paint.fillCell = dc->State().bkMode == OPAQUE;
  BOOL ok = PaintText(hdc, *font, shaped, paint);
  if (align & TA_UPDATECP) {
    // The position moves past the text in the direction it was aligned from.
    LONG advance = (align & TA_CENTER) == TA_RIGHT ? -shaped.width
                   : (align & TA_CENTER) == TA_CENTER ? 0 : shaped.width;
    SetCurrentPosition(hdc, POINT{origin.x + advance, origin.y});
  }
  return ok;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
  if (c < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ExtTextOutW(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}
