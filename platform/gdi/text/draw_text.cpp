// DrawTextW and DrawTextExW.
//
// Limits: DT_INTERNAL measures with the selected font; DT_NOFULLWIDTHCHARBREAK is
// accepted and ignored; with DT_MODIFYSTRING the displayed text of the first line is
// written back (prefix marks removed).
#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/font/font_object.h"
#include "platform/gdi/text/draw_text_layout.h"
#include "platform/gdi/text/shape_cache.h"
#include "platform/gdi/text/text_paint.h"

#include <win/base.h>
#include <win/text.h>
#include <win/wstr.h>

#include <algorithm>

namespace talix::gdi {

namespace {

struct DrawRequest {
  HDC hdc;
  std::shared_ptr<RealizedFont> font;
  UINT format;
  RECT rect;
  int lineHeight;
  bool rtl;
};

// Draws one line's segments (split at tabs) with its prefix underline.
void DrawLine(const DrawRequest& request, const LaidOutLine& line, int left, int top) {
  DcObject* dc = PeekDc(request.hdc);
  TextPaint paint;
  paint.baseline = top + request.font->Metrics().tmAscent;
  paint.clip = request.format & DT_NOCLIP ? nullptr : &request.rect;
  paint.fillCell = dc->State().bkMode == OPAQUE;
  paint.glyphs = !(request.format & DT_PREFIXONLY);
  const bool underline = line.prefix >= 0 && !(request.format & DT_HIDEPREFIX);
  size_t from = 0;
  for (size_t segment = 0; segment <= line.tabStops.size(); ++segment) {
    size_t to = line.text.find(u'\t', from);
    if (line.tabStops.empty() || to == std::u16string::npos) to = line.text.size();
    std::u16string_view text(line.text.data() + from, to - from);
    auto cached = ShapeTextCached(request.font, text, request.rtl);
    const ShapedText& shaped = *cached;
    paint.left = left + (segment == 0 ? 0 : line.tabStops[segment - 1]);
    paint.underlines.clear();
    if (underline) {
      int x = 0;
      for (const ShapedGlyph& g : shaped.glyphs) {
        if (g.cluster + from == size_t(line.prefix)) paint.underlines.push_back({x, g.advance});
        x += g.advance;
      }
    }
    PaintText(request.hdc, *request.font, shaped, paint);
    if (to >= line.text.size()) break;
    from = to + 1;
  }
}

int LineLeft(const DrawRequest& request, int width) {
  UINT horizontal = request.format & (DT_CENTER | DT_RIGHT);
  // Right-to-left reading puts "left" text at the right edge, as Windows does.
  if (request.rtl && horizontal == DT_LEFT) horizontal = DT_RIGHT;
  else if (request.rtl && horizontal == DT_RIGHT) horizontal = DT_LEFT;
  if (horizontal == DT_CENTER) return request.rect.left + (request.rect.right - request.rect.left - width) / 2;
  if (horizontal == DT_RIGHT) return request.rect.right - width;
  return request.rect.left;
}

void WriteBack(LPWSTR buffer, int cch, const TextLayout& layout) {
  if (!buffer || layout.lines.empty()) return;
  const std::u16string& shown = layout.lines.front().text;
  size_t n = std::min(shown.size(), size_t(cch) + 3);
  std::copy(shown.begin(), shown.begin() + ptrdiff_t(n), buffer);
  buffer[n] = 0;
}

int DrawTextCore(HDC hdc, LPCWSTR text, int cch, LPRECT rect, UINT format,
                 LPDRAWTEXTPARAMS params, LPWSTR writable) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || !rect || (!text && cch != 0)) {
    if (dc) SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (cch < 0) cch = text ? int(wcslen(text)) : 0;
  auto font = RealizedFontOfDc(hdc);
  if (!font) return 0;
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  const TEXTMETRICW& tm = font->Metrics();

  int tabChars = params && params->iTabLength > 0 ? params->iTabLength : 8;
  if (format & DT_TABSTOP) {
    tabChars = int((format >> 8) & 0xFF);
    format &= ~UINT(0xFF00);
    format |= DT_EXPANDTABS;
  }
  DrawRequest request{hdc, font, format, *rect, int(tm.tmHeight), false};
  request.rtl = (format & DT_RTLREADING) || (dc->State().textAlign & TA_RTLREADING);
  if (format & DT_EXTERNALLEADING) request.lineHeight += tm.tmExternalLeading;
  if (params) {
    request.rect.left += params->iLeftMargin;
    request.rect.right -= params->iRightMargin;
    params->uiLengthDrawn = UINT(cch);
  }

  TextLayoutInput input;
  input.text.assign(text ? text : u"", size_t(cch));
  input.format = format;
  input.width = std::max<LONG>(0, request.rect.right - request.rect.left);
  input.tabWidth = tabChars * tm.tmAveCharWidth;
  input.measure = [&font](std::u16string_view s) { return CharAdvancesCached(font, s); };
  TextLayout layout = LayoutText(input);
  if ((format & DT_MODIFYSTRING) && layout.ellipsised) WriteBack(writable, cch, layout);

  const int lines = int(layout.lines.size());
  int height = lines * request.lineHeight;
  if (format & DT_CALCRECT) {
    int width = 0;
    for (const LaidOutLine& line : layout.lines) width = std::max(width, line.width);
    rect->right = rect->left + width + (params ? params->iLeftMargin + params->iRightMargin : 0);
    rect->bottom = rect->top + height;
    return height;
  }

  int top = request.rect.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top += (request.rect.bottom - request.rect.top - request.lineHeight) / 2;
    else if (format & DT_BOTTOM) top = request.rect.bottom - request.lineHeight;
  }
  for (const LaidOutLine& line : layout.lines) {
    // An edit control shows no partly visible last line.
    if ((format & DT_EDITCONTROL) && top + request.lineHeight > request.rect.bottom &&
        top != request.rect.top)
      break;
    DrawLine(request, line, LineLeft(request, line.width), top);
    top += request.lineHeight;
  }
  if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
    return top - rect->top;
  return height;
}

}  // namespace

}  // namespace talix::gdi

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  // With DT_MODIFYSTRING the caller's buffer is written, as Windows does, although the
  // parameter is declared constant.
  return talix::gdi::DrawTextCore(hdc, lpchText, cchText, lprc, format, nullptr,
                                  const_cast<LPWSTR>(lpchText));
}

int DrawTextExW(HDC hdc, LPWSTR lpchText, int cchText, LPRECT lprc, UINT format,
                LPDRAWTEXTPARAMS lpdtp) {
  if (lpdtp && lpdtp->cbSize != sizeof(DRAWTEXTPARAMS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return talix::gdi::DrawTextCore(hdc, lpchText, cchText, lprc, format, lpdtp, lpchText);
}
