// CQuorLib's filled bitmaps: a solid colour, and a tile repeated over a larger area.
// Both results are new screen-compatible bitmaps.
#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"

#include <algorithm>

using namespace talix::draw;

namespace {

// Copies the tile's top-left tw x th part along the top edge, then that finished strip
// down the result (a copy within the result), each last copy cut at the result's edge.
bool FillWithTile(HDC dst, HDC tile, LONG tw, LONG th, const SIZE& size) {
  for (LONG x = 0; x < size.cx; x += tw) {
    if (!BitBlt(dst, x, 0, std::min(tw, size.cx - x), th, tile, 0, 0, SRCCOPY)) return false;
  }
  for (LONG y = th; y < size.cy; y += th) {
    if (!BitBlt(dst, 0, y, size.cx, std::min(th, size.cy - y), dst, 0, 0, SRCCOPY)) return false;
  }
  return true;
}

}  // namespace

HBITMAP CQuorLib::CreateColorBitmap(COLORREF color, SIZE size) {
  ScreenDc screen;
  if (!screen.get()) return nullptr;
  OwnedObject<HBITMAP> result(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!result.get()) return nullptr;
  OwnedObject<HBRUSH> brush(CreateSolidBrush(color));
  SelectedDc dc(screen.get(), result.get());
  if (!brush.get() || !dc.ok()) return nullptr;
  const RECT all{0, 0, size.cx, size.cy};
  if (!FillRect(dc.get(), &all, brush.get())) return nullptr;
  return result.release();
}

HBITMAP CQuorLib::TileBitmap(HBITMAP tile, const SIZE& size) {
  ScreenDc screen;
  if (!screen.get()) return nullptr;
  OwnedObject<HBITMAP> result(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!result.get()) return nullptr;
  // A tile that cannot be queried, or has no pixels, leaves the result as it starts.
  SIZE tileSize;
  if (!QueryBitmapSize(tile, &tileSize)) return result.release();
  const LONG tw = std::min(tileSize.cx, size.cx);
  const LONG th = std::min(tileSize.cy, size.cy);
  if (tw <= 0 || th <= 0) return result.release();
  SelectedDc from(screen.get(), tile);
  SelectedDc to(screen.get(), result.get());
  if (from.ok() && to.ok()) FillWithTile(to.get(), from.get(), tw, th, size);
  return result.release();
}
