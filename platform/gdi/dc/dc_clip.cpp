// Clipping on DCs. The clip region is kept in device coordinates: later origin changes
// do not move it. On a right-to-left DC, regions handed in and out are mirrored across
// the DC's width, so they read like the DC's own (mirrored) coordinates.
#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/region_object.h"

#include <win/base.h>
#include <win/gdi.h>

using namespace talix::gdi;

namespace {

// The result's type as the clip functions report it: what remains visible.
int VisibleType(const DcObject& dc) { return dc.EffectiveClip().Type(); }

Region32 WholeDc(const DcObject& dc) { return Region32(dc.Bounds()); }

Region32 RegionIn(const DcObject& dc, const RegionObject& region) {
  Region32 r(&region.region);
  if (dc.Mirrored()) r.MirrorX(dc.Width());
  return r;
}

}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return ERROR;
  std::optional<Region32>& clip = dc->State().clip;
  if (!hrgn) {
    if (mode != RGN_COPY) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
    }
    clip.reset();
    return VisibleType(*dc);
  }
  RegionObject* region = PeekRegion(hrgn);
  if (!region || mode < RGN_AND || mode > RGN_COPY) {
    SetLastError(region ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return ERROR;
  }
  Region32 incoming = RegionIn(*dc, *region);
  Region32 current = clip ? *clip : WholeDc(*dc);
  switch (mode) {
    case RGN_COPY: current = incoming; break;
    case RGN_AND: current.Intersect(incoming); break;
    case RGN_OR: current.Union(incoming); break;
    case RGN_DIFF: current.Subtract(incoming); break;
    case RGN_XOR: {
      Region32 both = current;
      both.Intersect(incoming);
      current.Union(incoming);
      current.Subtract(both);
      break;
    }
  }
  clip = std::move(current);
  return VisibleType(*dc);
}

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int GetClipRgn(HDC hdc, HRGN hrgn) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return -1;
  RegionObject* region = PeekRegion(hrgn);
  if (!region) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  if (!dc->State().clip) return 0;
  Region32 out = *dc->State().clip;
  if (dc->Mirrored()) out.MirrorX(dc->Width());
  pixman_region32_copy(&region->region, out.get());
  return 1;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return ERROR;
  Region32 rect(dc->ToDevice(RECT{left, top, right, bottom}));
  std::optional<Region32>& clip = dc->State().clip;
  if (clip)
    clip->Intersect(rect);
  else
    clip = std::move(rect);
  return VisibleType(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return ERROR;
  std::optional<Region32>& clip = dc->State().clip;
  if (!clip) clip = WholeDc(*dc);
  clip->Subtract(Region32(dc->ToDevice(RECT{left, top, right, bottom})));
  return VisibleType(*dc);
}

int OffsetClipRgn(HDC hdc, int x, int y) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return ERROR;
  if (dc->State().clip) dc->State().clip->Translate(ClampCoord(dc->Mirrored() ? -int64_t(x) : x), ClampCoord(y));
  return VisibleType(*dc);
}

int GetClipBox(HDC hdc, LPRECT lprect) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || !lprect) return ERROR;
  Region32 visible = dc->EffectiveClip();
  *lprect = visible.Empty() ? RECT{0, 0, 0, 0} : dc->ToLogical(visible.Box());
  return visible.Type();
}

BOOL PtVisible(HDC hdc, int x, int y) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return -1;
  POINT d = dc->ToDevice(POINT{x, y});
  return dc->EffectiveClip().Contains(d.x, d.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* lprect) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || !lprect) return FALSE;
  Region32 visible = dc->EffectiveClip();
  visible.Intersect(dc->ToDevice(*lprect));
  return visible.Empty() ? FALSE : TRUE;
}
