// The device context object: its drawing target, its attributes, its clip region and
// the stack of saved states.
//
// Coordinates: logical -> device is MM_TEXT (device = logical - window origin + viewport
// origin), then, for LAYOUT_RTL, mirrored across the DC's width (pixel x -> width-1-x).
// Device coordinates are relative to the DC's origin in its surface (GetDCOrgEx); clip
// regions are kept in device coordinates.
//
// Limits: MM_TEXT only; a DC is used by one thread at a time.
#pragma once

#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/dc/region32.h"
#include "platform/gdi/gdi_object.h"

#include <win/gdi.h>

#include <memory>
#include <optional>
#include <vector>

namespace talix::gdi {

// Coordinates are held within +-2^27, so sums of origins, offsets and extents never
// overflow; anything beyond lies far outside every surface anyway.
constexpr int64_t kCoordLimit = int64_t(1) << 27;
inline LONG ClampCoord(int64_t v) {
  return LONG(v < -kCoordLimit ? -kCoordLimit : v > kCoordLimit ? kCoordLimit : v);
}
inline RECT RectOfSize(int64_t x, int64_t y, int64_t cx, int64_t cy) {
  return RECT{ClampCoord(x), ClampCoord(y), ClampCoord(x + cx), ClampCoord(y + cy)};
}

// Everything SaveDC keeps.
struct DcState {
  HBITMAP bitmap = nullptr;
  HBRUSH brush = nullptr;
  HPEN pen = nullptr;
  HFONT font = nullptr;
  std::optional<Region32> clip;  // device coordinates; none means the whole surface
  POINT viewportOrg{0, 0};
  POINT windowOrg{0, 0};
  POINT brushOrg{0, 0};
  DWORD layout = 0;
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  int stretchMode = BLACKONWHITE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = TA_LEFT | TA_TOP;
  int mapMode = MM_TEXT;
  COLORREF dcBrushColor = RGB(255, 255, 255);
  COLORREF dcPenColor = RGB(0, 0, 0);
  POINT currentPos{0, 0};  // logical; MoveToEx/LineTo
  int polyFillMode = 1;    // ALTERNATE
};

class TALIX_EXPORT DcObject : public GdiObject {
 public:
  // OBJ_MEMDC draws into its selected bitmap; OBJ_DC into a fixed surface.
  explicit DcObject(DWORD type) : GdiObject(type) {}
  // Deselects everything, so the objects can be deleted again; DeleteDC calls it.
  void DeselectAll();

  bool IsMemory() const { return Type() == OBJ_MEMDC; }

  // The bitmap drawn into: the selected bitmap of a memory DC, else the fixed surface.
  BitmapObject* Target() const;
  // For DCs that draw into a surface of their own (the screen, later windows): the
  // surface, where the DC's area starts in it, and its size (0: the whole surface).
  void SetFixedTarget(std::shared_ptr<BitmapObject> surface, POINT origin, SIZE extent);
  // The visible part of the DC's area in device coordinates (windows restrict it).
  void SetVisibleRegion(std::optional<Region32> visible) { visible_ = std::move(visible); }
  POINT Origin() const { return origin_; }
  int Width() const;
  int Height() const;

  DcState& State() { return state_; }
  const DcState& State() const { return state_; }
  std::vector<DcState>& Saved() { return saved_; }

  bool Mirrored() const { return (state_.layout & LAYOUT_RTL) != 0; }
  // Logical -> device for a pixel and for a rectangle (normalised).
  POINT ToDevice(POINT p) const;
  RECT ToDevice(const RECT& r) const;
  POINT ToLogical(POINT device) const;
  RECT ToLogical(const RECT& device) const;

  // Device rectangle of the DC's area, and what may be drawn: area ∩ visible ∩ clip.
  RECT Bounds() const { return RECT{0, 0, Width(), Height()}; }
  Region32 EffectiveClip() const;

  // Swaps the object selected in one of the state's slots, keeping select counts.
  static void Hold(HGDIOBJ h);
  static void Drop(HGDIOBJ h);

 private:
  DcState state_;
  std::vector<DcState> saved_;
  std::shared_ptr<BitmapObject> fixed_;
  POINT origin_{0, 0};
  SIZE extent_{0, 0};
  std::optional<Region32> visible_;
};

inline DcObject* PeekDc(HDC h) {
  GdiObject* object = GdiObjects().Peek(reinterpret_cast<uintptr_t>(h));
  if (!object || (object->Type() != OBJ_DC && object->Type() != OBJ_MEMDC)) return nullptr;
  return static_cast<DcObject*>(object);
}

// The DC behind a handle, or null with ERROR_INVALID_HANDLE set.
DcObject* DcOrError(HDC h);

}  // namespace talix::gdi
