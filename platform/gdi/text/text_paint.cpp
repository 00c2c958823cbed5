#include "platform/gdi/text/text_paint.h"

#include "platform/gdi/dc/dc_access.h"
#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/dc/region32.h"

#include <algorithm>

namespace talix::gdi {

namespace {

uint32_t PixelOf(COLORREF color) {
  return uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
}

// (s * a + d * (255 - a)) / 255 rounded, per channel, red and blue side by side in
// 16-bit lanes (no lane can carry into the next). x / 255 is (x + 1 + (x >> 8)) >> 8,
// exact for every value the sum can take.
uint32_t Blend(uint32_t dst, uint32_t src, unsigned a) {
  const unsigned na = 255 - a;
  uint32_t rb = (src & 0xFF00FF) * a + (dst & 0xFF00FF) * na + 0x7F007F;
  rb = ((rb + 0x10001 + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  uint32_t g = ((src >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * na + 0x7F;
  g = (g + 1 + (g >> 8)) >> 8;
  return rb | g << 8;  // X byte 0
}

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

void Unite(RECT* a, const RECT& b) {
  if (IsEmpty(b)) return;
  if (IsEmpty(*a)) {
    *a = b;
    return;
  }
  *a = RECT{std::min(a->left, b.left), std::min(a->top, b.top), std::max(a->right, b.right),
            std::max(a->bottom, b.bottom)};
}

// Draws into a surface view, each operation limited to the clip's rectangles.
class Painter {
 public:
  Painter(const Surface32& surface, RECT origin, const pixman_region32_t* clip)
      : surface_(surface), origin_(origin) {
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32_t*>(clip), &n);
    for (int i = 0; i < n; ++i) {
      RECT r = Intersect(RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2}, origin);
      if (!IsEmpty(r)) rects_.push_back(r);
    }
  }

  void Fill(const RECT& r, uint32_t pixel) {
    for (const RECT& clip : rects_) {
      RECT part = Intersect(r, clip);
      for (LONG y = part.top; y < part.bottom; ++y)
        for (LONG x = part.left; x < part.right; ++x) *At(x, y) = pixel;
    }
  }

  // A glyph whose top-left pixel lands at surface (x, y).
  void Blit(const Glyph& glyph, int x, int y, uint32_t pixel) {
    RECT box{x, y, x + glyph.width, y + glyph.height};
    for (const RECT& clip : rects_) {
      RECT part = Intersect(box, clip);
      for (LONG py = part.top; py < part.bottom; ++py) {
        const uint8_t* row =
            glyph.coverage.data() + size_t(py - y) * size_t(glyph.width) + (part.left - x);
        uint32_t* out = At(part.left, py);
        for (LONG i = 0, n = part.right - part.left; i < n; ++i) {
          unsigned a = row[i];
          if (a == 255) out[i] = pixel;
          else if (a) out[i] = Blend(out[i], pixel, a);
        }
      }
    }
  }

 private:
  uint32_t* At(LONG x, LONG y) { return surface_.Row(y - origin_.top) + (x - origin_.left); }

  const Surface32& surface_;
  RECT origin_;
  std::vector<RECT> rects_;
};

struct PlacedGlyph {
  const Glyph* glyph;
  int x, y;  // top-left, relative to the text's left edge and baseline
};

}  // namespace

bool PaintText(HDC hdc, RealizedFont& font, const ShapedText& shaped, const TextPaint& paint) {
  DcObject* dc = PeekDc(hdc);
  if (!dc) return false;
  const TEXTMETRICW& tm = font.Metrics();
  const LineMetrics& lines = font.Lines();
  const int width = shaped.width;

  // Everything in text space first: x from the text's left edge, y from the baseline.
  std::vector<PlacedGlyph> placed;
  RECT inked{};
  if (paint.glyphs) {
    int pen = 0;
    for (const ShapedGlyph& g : shaped.glyphs) {
      const Glyph* glyph = shaped.FontOf(g, font).RenderGlyph(g.index);
      if (glyph && glyph->width > 0 && glyph->height > 0) {
        PlacedGlyph p{glyph, pen + g.xOffset + glyph->left, -g.yOffset - glyph->top};
        placed.push_back(p);
        Unite(&inked, RECT{p.x, p.y, p.x + glyph->width, p.y + glyph->height});
      }
      pen += g.advance;
    }
  }
  std::vector<RECT> strokes;
  for (const UnderlineSpan& span : paint.underlines)
    strokes.push_back(RECT{span.x, lines.underlinePosition, span.x + span.width,
                           lines.underlinePosition + lines.underlineThickness});
  if (paint.glyphs && font.Underline())
    strokes.push_back(RECT{0, lines.underlinePosition, width,
                           lines.underlinePosition + lines.underlineThickness});
  if (paint.glyphs && font.StrikeOut())
    strokes.push_back(RECT{0, -lines.strikeoutPosition, width,
                           -lines.strikeoutPosition + lines.strikeoutThickness});
  for (const RECT& stroke : strokes) Unite(&inked, stroke);
  RECT cell{0, -tm.tmAscent, width, tm.tmDescent};

  // Text space -> surface: the cell's logical box mapped through the DC (mirrored on
  // right-to-left DCs) gives where the text's left edge and baseline land.
  RECT logicalCell{paint.left, paint.baseline - tm.tmAscent, paint.left + std::max(width, 1),
                   paint.baseline + tm.tmDescent};
  RECT surfaceCell;
  DcLogicalToSurface(hdc, logicalCell, &surfaceCell);
  const int dx = surfaceCell.left, dy = surfaceCell.top + tm.tmAscent;
  auto toSurface = [&](const RECT& r) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  };

  Region32 clip;
  DcClipRegion(hdc, clip.get());
  Region32 textClip = clip;
  if (paint.clip) {
    RECT surfaceClip;
    DcLogicalToSurface(hdc, *paint.clip, &surfaceClip);
    textClip.Intersect(surfaceClip);
  }
  RECT opaque{};
  if (paint.opaque) DcLogicalToSurface(hdc, *paint.opaque, &opaque);

  RECT bounds = toSurface(inked);
  if (paint.fillCell) Unite(&bounds, toSurface(cell));
  Unite(&bounds, opaque);
  if (IsEmpty(bounds)) return true;
  ScopedSurface32 pixels(hdc, bounds);
  if (!pixels.Valid()) return true;
  const uint32_t textPixel = PixelOf(dc->State().textColor);
  const uint32_t bkPixel = PixelOf(dc->State().bkColor);
  Painter all(pixels.Surface(), pixels.Rect(), clip.get());
  Painter text(pixels.Surface(), pixels.Rect(), textClip.get());
  if (paint.opaque) all.Fill(opaque, bkPixel);
  if (paint.fillCell) text.Fill(toSurface(cell), bkPixel);
  for (const PlacedGlyph& p : placed) text.Blit(*p.glyph, p.x + dx, p.y + dy, textPixel);
  for (const RECT& stroke : strokes) text.Fill(toSurface(stroke), textPixel);
  pixels.Commit();
  return true;
}

}  // namespace talix::gdi
