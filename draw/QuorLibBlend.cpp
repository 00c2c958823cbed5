// CQuorLib's mask blends: a foreground (a bitmap, part of a larger bitmap, or a solid
// colour) over a background through a per-channel mask, by the rule of draw/blender.h.
//
// The three pictures travel as bottom-up 24-bit rows read with GetDIBits and the result is
// written with SetDIBits into a new screen-compatible bitmap. The mask and the foreground
// must have the background's size: a smaller one would leave rows or row ends unread, so
// a size mismatch or a short read fails the blend (NULL) instead of mixing in stale bytes.
#include "draw/blender.h"
#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"

#include <cstdint>
#include <memory>
#include <new>

using namespace talix::draw;

namespace {

using Buffer = std::unique_ptr<uint8_t[]>;

// Bytes of one padded 24-bit row.
size_t Row24Bytes(LONG width) { return (size_t(width) * 3 + 3) & ~size_t{3}; }

// A zeroed buffer, or null when memory runs out.
Buffer ZeroedBuffer(size_t bytes) { return Buffer(new (std::nothrow) uint8_t[bytes]()); }

bool SameSize(HBITMAP bitmap, LONG width, LONG height) {
  SIZE size;
  return QueryBitmapSize(bitmap, &size) && size.cx == width && size.cy == height;
}

// Reads every row of the bitmap with the header's geometry; false on a short read.
bool ReadRows(HDC dc, HBITMAP bitmap, uint8_t* bits, BITMAPINFO* header) {
  const LONG height = header->bmiHeader.biHeight;
  return GetDIBits(dc, bitmap, 0, UINT(height), bits, header, DIB_RGB_COLORS) == height;
}

}  // namespace

BITMAPINFO* CQuorLib::CreateBitmapInfoStruct(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return nullptr;
  if (GetObject(bitmap, sizeof info, &info) != int(sizeof info)) return nullptr;
  auto* header = new (std::nothrow) BITMAPINFO{};
  if (!header) return nullptr;
  BITMAPINFOHEADER& h = header->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = info.bmWidth;
  h.biHeight = info.bmHeight;
  h.biPlanes = info.bmPlanes;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  return header;
}

void CQuorLib::BlenderFunc(unsigned char* mask, unsigned char* foreground,
                           unsigned char* background, unsigned char* output,
                           unsigned long count) {
  BlendBytes(mask, foreground, background, output, count);
}

HBITMAP CQuorLib::BlendBitmap(HBITMAP mask, HBITMAP foreground, HBITMAP background) {
  std::unique_ptr<BITMAPINFO> header(CreateBitmapInfoStruct(background));
  if (!header) return nullptr;
  const LONG width = header->bmiHeader.biWidth;
  const LONG height = header->bmiHeader.biHeight;
  if (width <= 0 || height <= 0) return nullptr;
  if (!SameSize(mask, width, height) || !SameSize(foreground, width, height)) return nullptr;

  const size_t bytes = Row24Bytes(width) * size_t(height);
  Buffer back = ZeroedBuffer(bytes), weights = ZeroedBuffer(bytes);
  Buffer front = ZeroedBuffer(bytes), out = ZeroedBuffer(bytes);
  if (!back || !weights || !front || !out) return nullptr;

  ScreenDc screen;
  if (!screen.get()) return nullptr;
  if (!ReadRows(screen.get(), background, back.get(), header.get()) ||
      !ReadRows(screen.get(), mask, weights.get(), header.get()) ||
      !ReadRows(screen.get(), foreground, front.get(), header.get()))
    return nullptr;
  BlendBytes(weights.get(), front.get(), back.get(), out.get(), bytes);

  OwnedObject<HBITMAP> result(CreateCompatibleBitmap(screen.get(), width, height));
  if (!result.get()) return nullptr;
  if (SetDIBits(screen.get(), result.get(), 0, UINT(height), out.get(), header.get(),
                DIB_RGB_COLORS) != height)
    return nullptr;
  return result.release();
}

HBITMAP CQuorLib::BlendBitmapOffset(HBITMAP mask, HBITMAP source, HBITMAP background,
                                    POINT offset) {
  SIZE back, src;
  if (!QueryBitmapSize(background, &back) || !QueryBitmapSize(source, &src)) return nullptr;
  if (back.cx <= 0 || back.cy <= 0) return nullptr;
  // The foreground is the background-sized part of the source at the offset; it must lie
  // inside the source on the right and at the bottom. Negative offsets are accepted: the
  // part left of or above the source stays as a new bitmap starts.
  if (int64_t{offset.y} + back.cy > src.cy || int64_t{offset.x} + back.cx > src.cx)
    return nullptr;

  ScreenDc screen;
  if (!screen.get()) return nullptr;
  OwnedObject<HBITMAP> part(CreateCompatibleBitmap(screen.get(), back.cx, back.cy));
  if (!part.get()) return nullptr;
  {
    SelectedDc from(screen.get(), source);
    SelectedDc to(screen.get(), part.get());
    if (!from.ok() || !to.ok()) return nullptr;
    if (!BitBlt(to.get(), 0, 0, back.cx, back.cy, from.get(), offset.x, offset.y, SRCCOPY))
      return nullptr;
  }
  return BlendBitmap(mask, part.get(), background);
}

HBITMAP CQuorLib::BlendBitmapColor(HBITMAP mask, HBITMAP background, COLORREF color) {
  SIZE back;
  if (!QueryBitmapSize(background, &back)) return nullptr;
  OwnedObject<HBITMAP> solid(CreateColorBitmap(color, back));
  if (!solid.get()) return nullptr;
  return BlendBitmap(mask, solid.get(), background);
}
