// Creating and deleting memory DCs, selecting objects, saving and restoring states.
#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/objects/stock_objects.h"

#include <win/base.h>
#include <win/gdi.h>

using namespace talix::gdi;

namespace {

// Makes `incoming` the object in `slot`, keeping select counts; returns the old one.
template <typename H>
H Swap(H& slot, HGDIOBJ incoming) {
  H old = slot;
  DcObject::Hold(incoming);
  DcObject::Drop(old);
  slot = static_cast<H>(incoming);
  return old;
}

HGDIOBJ SelectBitmap(DcObject& dc, HGDIOBJ h, BitmapObject& bitmap) {
  if (!dc.IsMemory()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (dc.State().bitmap == h) return h;
  if (!bitmap.Claim(&dc)) {
    SetLastError(ERROR_INVALID_PARAMETER);  // already selected into another DC
    return nullptr;
  }
  if (BitmapObject* old = PeekBitmap(dc.State().bitmap)) old->Release(&dc);
  return Swap(dc.State().bitmap, h);
}

// A stale handle in a restored state falls back to the default object.
HGDIOBJ Alive(HGDIOBJ h, DWORD type, HGDIOBJ fallback) {
  GdiObject* object = GdiObjects().Peek(reinterpret_cast<uintptr_t>(h));
  return object && object->Type() == type ? h : fallback;
}

void InstallState(DcObject& dc, DcState restored) {
  DcState& current = dc.State();
  HGDIOBJ bitmap = Alive(restored.bitmap, OBJ_BITMAP, DefaultBitmap());
  if (dc.IsMemory() && bitmap != current.bitmap) {
    BitmapObject* wanted = PeekBitmap(bitmap);
    if (!wanted->Claim(&dc)) bitmap = DefaultBitmap();
    if (BitmapObject* old = PeekBitmap(current.bitmap)) old->Release(&dc);
  }
  HGDIOBJ brush = Alive(restored.brush, OBJ_BRUSH, GetStockObject(WHITE_BRUSH));
  HGDIOBJ pen = Alive(restored.pen, OBJ_PEN, GetStockObject(BLACK_PEN));
  HGDIOBJ font = Alive(restored.font, OBJ_FONT, GetStockObject(SYSTEM_FONT));
  Swap(current.bitmap, dc.IsMemory() ? bitmap : nullptr);
  Swap(current.brush, brush);
  Swap(current.pen, pen);
  Swap(current.font, font);
  restored.bitmap = current.bitmap;
  restored.brush = current.brush;
  restored.pen = current.pen;
  restored.font = current.font;
  current = std::move(restored);
}

}  // namespace

namespace talix::gdi {

// Fills a new DC's slots with the default objects.
TALIX_EXPORT void SelectDefaultObjects(DcObject& dc) {
  DcState& s = dc.State();
  if (dc.IsMemory()) Swap(s.bitmap, DefaultBitmap());
  Swap(s.brush, GetStockObject(WHITE_BRUSH));
  Swap(s.pen, GetStockObject(BLACK_PEN));
  Swap(s.font, GetStockObject(SYSTEM_FONT));
}

}  // namespace talix::gdi

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !DcOrError(hdc)) return nullptr;
  auto dc = std::make_shared<DcObject>(OBJ_MEMDC);
  SelectDefaultObjects(*dc);
  return static_cast<HDC>(AddGdiObject(std::move(dc)));
}

BOOL DeleteDC(HDC hdc) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  dc->DeselectAll();
  return GdiObjects().Take(reinterpret_cast<uintptr_t>(hdc)) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  DcObject* dc = DcOrError(hdc);
  GdiObject* object = GdiObjects().Peek(reinterpret_cast<uintptr_t>(h));
  if (!dc || !object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  DcState& s = dc->State();
  switch (object->Type()) {
    case OBJ_BITMAP: return SelectBitmap(*dc, h, *static_cast<BitmapObject*>(object));
    case OBJ_BRUSH: return Swap(s.brush, h);
    case OBJ_PEN: return Swap(s.pen, h);
    case OBJ_FONT: return Swap(s.font, h);
    case OBJ_REGION: {
      int type = SelectClipRgn(hdc, static_cast<HRGN>(h));
      return type == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(intptr_t(type));
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return nullptr;
  const DcState& s = dc->State();
  switch (type) {
    case OBJ_BITMAP: return s.bitmap;
    case OBJ_BRUSH: return s.brush;
    case OBJ_PEN: return s.pen;
    case OBJ_FONT: return s.font;
    case OBJ_PAL: return GetStockObject(DEFAULT_PALETTE);
    default: return nullptr;
  }
}

int SaveDC(HDC hdc) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return 0;
  dc->Saved().push_back(dc->State());
  return int(dc->Saved().size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  int depth = int(dc->Saved().size());
  int level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
  if (nSavedDC == 0 || level < 1 || level > depth) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DcState restored = std::move(dc->Saved()[size_t(level - 1)]);
  dc->Saved().resize(size_t(level - 1));
  InstallState(*dc, std::move(restored));
  return TRUE;
}
