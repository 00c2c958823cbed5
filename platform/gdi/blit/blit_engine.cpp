#include "platform/gdi/blit/blit_engine.h"

#include "platform/gdi/bitmap/pixel_format.h"
#include "platform/gdi/blit/pattern_fill.h"
#include "platform/gdi/blit/rop3.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace talix::gdi {
namespace {

// The source as the spans read it, after any snapshot.
struct PreparedSource {
  const BitmapObject* bitmap = nullptr;
  std::shared_ptr<BitmapObject> snapshot;  // keeps a copy alive for self-overlapping copies
  RECT rect{};
  bool flip = false;
  bool mono = false;  // monochrome device-compatible (before any snapshot)
};

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

// Copies the part of the source rectangle inside the bitmap, so a copy onto the same
// bitmap reads the old pixels whatever the direction of overlap.
void TakeSnapshot(PreparedSource& s) {
  const BitmapObject& from = *s.bitmap;
  RECT inside = Intersect(s.rect, RECT{0, 0, from.Width(), from.Height()});
  if (inside.right <= inside.left || inside.bottom <= inside.top) return;
  PixelFormat bgrx;
  auto copy = BitmapObject::Create(inside.right - inside.left, inside.bottom - inside.top, bgrx,
                                   true, true);
  if (!copy) return;
  for (int y = inside.top; y < inside.bottom; ++y)
    from.ReadRow(inside.left, y, copy->Width(),
                 reinterpret_cast<uint32_t*>(copy->Row(y - inside.top)));
  s.snapshot = copy;
  s.bitmap = copy.get();
  s.rect = RECT{s.rect.left - inside.left, s.rect.top - inside.top, s.rect.right - inside.left,
                s.rect.bottom - inside.top};
}

// Destination pixels (device coordinates) whose source pixel lies inside the bitmap.
RECT SourceReach(const RECT& dest, const PreparedSource& s) {
  int w = s.bitmap->Width(), h = s.bitmap->Height();
  int left = s.flip ? dest.left + s.rect.right - w : dest.left - s.rect.left;
  int top = dest.top - s.rect.top;
  return RECT{left, top, left + w, top + h};
}

class SpanWriter {
 public:
  SpanWriter(const BlitJob& job, BitmapObject& target, const PreparedSource& source,
             const PatternFill& pattern)
      : job_(job), target_(target), source_(source), pattern_(pattern) {
    const DcState& s = job.dc->State();
    text_ = ColorRefToPixel(s.textColor);
    back_ = ColorRefToPixel(s.bkColor);
    sourceBack_ = ColorRefToPixel(job.source.bkColor);
    usesSource_ = RopUsesSource(job.rop);
    usesPattern_ = RopUsesPattern(job.rop);
    if (usesSource_) {
      monoToColor_ = source.mono && !target.IsMonoDdb();
      colorToMono_ = !source.mono && target.IsMonoDdb();
      directSource_ = !source.flip && !monoToColor_ && !colorToMono_ &&
                      source.bitmap->Format().IsBgrx32();
    }
    directTarget_ = target.Format().IsBgrx32();
    fastCopy_ = job.rop == 0xCC && directSource_ && directTarget_;
  }

  // Rows [y0, y1) of surface columns [x, x + count).
  void Box(int x, int y0, int y1, int count) {
    if (fastCopy_ && CopyBlock(x, y0, y1, count)) return;
    for (int y = y0; y < y1; ++y) Span(x, y, count);
  }

  // Pixels [x, x + count) of surface row y.
  void Span(int x, int y, int count) {
    POINT origin = job_.dc->Origin();
    int devX = x - origin.x, devY = y - origin.y;
    if (fastCopy_) return CopySpan(x, y, devX, devY, count);
    Reserve(count);
    uint32_t* d = directTarget_ ? reinterpret_cast<uint32_t*>(target_.Row(y)) + x : dst_.data();
    if (!directTarget_) target_.ReadRow(x, y, count, d);
    bool gaps = usesPattern_ && pattern_.HasGaps();
    if (gaps) std::memcpy(old_.data(), d, size_t(count) * 4);
    const uint32_t* s = usesSource_ ? FetchSource(devX, devY, count) : nullptr;
    if (usesPattern_) pattern_.Row(devX, devY, count, pat_.data(), gaps ? mask_.data() : nullptr);
    ApplyRop3(job_.rop, pat_.data(), s, d, count);
    if (gaps)
      for (int i = 0; i < count; ++i)
        if (!mask_[size_t(i)]) d[i] = old_[size_t(i)];
    if (!directTarget_) target_.WriteRow(x, y, count, d);
  }

 private:
  void Reserve(int count) {
    size_t n = size_t(count);
    if (src_.size() >= n) return;
    src_.resize(n);
    dst_.resize(n);
    pat_.resize(n);
    old_.resize(n);
    mask_.resize(n);
  }

  const uint32_t* SourceRow(int devX, int devY, int* sx) const {
    int u = devX - job_.rect.left;
    *sx = source_.rect.left + u;
    int sy = source_.rect.top + (devY - job_.rect.top);
    return reinterpret_cast<const uint32_t*>(source_.bitmap->Row(sy));
  }

  void CopySpan(int x, int y, int devX, int devY, int count) {
    int sx = 0;
    const uint32_t* from = SourceRow(devX, devY, &sx) + sx;
    uint32_t* to = reinterpret_cast<uint32_t*>(target_.Row(y)) + x;
    if (target_.ClearsX() && !source_.bitmap->ClearsX()) {
      for (int i = 0; i < count; ++i) to[i] = from[i] & 0xFFFFFF;
    } else {
      std::memmove(to, from, size_t(count) * 4);
    }
  }

  // Whole rows between bitmaps whose rows follow each other in memory the same way: one
  // copy for the block.
  bool CopyBlock(int x, int y0, int y1, int count) {
    const BitmapObject& from = *source_.bitmap;
    size_t rowBytes = size_t(count) * 4;
    if (count != target_.Width() || count != from.Width() || target_.RowStride() != ptrdiff_t(rowBytes) ||
        from.RowStride() != ptrdiff_t(rowBytes) || target_.IsTopDown() != from.IsTopDown() ||
        (target_.ClearsX() && !from.ClearsX()))
      return false;
    POINT origin = job_.dc->Origin();
    int sx = 0;
    const uint32_t* first = SourceRow(x - origin.x, y0 - origin.y, &sx);
    const uint32_t* last = SourceRow(x - origin.x, y1 - 1 - origin.y, &sx);
    if (sx != 0) return false;
    const void* src = target_.IsTopDown() ? static_cast<const void*>(first) : last;
    void* dst = target_.Row(target_.IsTopDown() ? y0 : y1 - 1);
    std::memmove(dst, src, rowBytes * size_t(y1 - y0));
    return true;
  }

  const uint32_t* FetchSource(int devX, int devY, int count) {
    int sy = source_.rect.top + (devY - job_.rect.top);
    int u = devX - job_.rect.left;
    if (directSource_) {
      int sx = 0;
      return SourceRow(devX, devY, &sx) + sx;
    }
    uint32_t* s = src_.data();
    if (source_.flip) {
      int last = source_.rect.right - 1 - u;
      source_.bitmap->ReadRow(last - count + 1, sy, count, s);
      std::reverse(s, s + count);
    } else {
      source_.bitmap->ReadRow(source_.rect.left + u, sy, count, s);
    }
    if (monoToColor_)
      for (int i = 0; i < count; ++i) s[i] = (s[i] & 0xFFFFFF) ? back_ : text_;
    else if (colorToMono_)
      for (int i = 0; i < count; ++i) s[i] = (s[i] & 0xFFFFFF) == sourceBack_ ? 0xFFFFFF : 0;
    return s;
  }

  const BlitJob& job_;
  BitmapObject& target_;
  const PreparedSource& source_;
  const PatternFill& pattern_;
  uint32_t text_ = 0, back_ = 0, sourceBack_ = 0;
  bool usesSource_ = false, usesPattern_ = false;
  bool monoToColor_ = false, colorToMono_ = false;
  bool directSource_ = false, directTarget_ = false, fastCopy_ = false;
  std::vector<uint32_t> src_, dst_, pat_, old_;
  std::vector<uint8_t> mask_;
};

}  // namespace

bool RunBlit(const BlitJob& job) {
  PixelGuard guard(PixelLock());
  BitmapObject* target = job.dc->Target();
  if (!target) return false;
  if (job.rop == 0xAA) return true;  // leaves the destination as it is
  const BrushObject* brush = job.brush;
  if (!brush && job.useDcBrush) brush = PeekBrush(job.dc->State().brush);
  bool usesPattern = RopUsesPattern(job.rop), usesSource = RopUsesSource(job.rop);
  PatternFill pattern(*job.dc, usesPattern ? brush : nullptr);
  if (usesPattern && !pattern.Usable()) return true;  // the null brush paints nothing
  if (usesSource && !job.source.bitmap) return false;

  Region32 clip = job.dc->EffectiveClip();
  clip.Intersect(job.rect);
  if (job.shape) clip.Intersect(*job.shape);
  PreparedSource source;
  if (usesSource) {
    source.bitmap = job.source.bitmap;
    source.rect = job.source.rect;
    source.flip = job.source.flip;
    source.mono = job.source.bitmap->IsMonoDdb();
    if (source.bitmap == target) TakeSnapshot(source);
    if (source.bitmap == target) return true;  // nothing of the source is inside the bitmap
    clip.Intersect(SourceReach(job.rect, source));
  }
  if (clip.Empty()) return true;
  POINT origin = job.dc->Origin();
  clip.Translate(origin.x, origin.y);

  SpanWriter writer(job, *target, source, pattern);
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(clip.get(), &n);
  for (int i = 0; i < n; ++i)
    writer.Box(boxes[i].x1, boxes[i].y1, boxes[i].y2, boxes[i].x2 - boxes[i].x1);
  return true;
}

}  // namespace talix::gdi
