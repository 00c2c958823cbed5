// DIB sections and the DIB transfers of bitmaps: CreateDIBSection, CreateDIBitmap,
// GetDIBits, SetDIBits. Scan lines count from the bottom of a bottom-up DIB and from
// the top of a top-down one; line n of the caller's buffer meets row n of the bitmap
// counted the same way.
#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/bitmap/dib_info.h"
#include "platform/gdi/dc/dc_object.h"

#include <win/base.h>
#include <win/gdi.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace talix::gdi;

namespace {

HBITMAP Fail(DWORD error) {
  SetLastError(error);
  return nullptr;
}

// The bitmap row (from the top) that scan line `scan` of a DIB of this orientation meets.
int BitmapRowOf(const BitmapObject& bitmap, bool topDown, int scan) {
  return topDown ? scan : bitmap.Height() - 1 - scan;
}

// The colour table GetDIBits reports for an indexed output depth.
std::vector<RGBQUAD> OutputPalette(const BitmapObject& bitmap, int bpp) {
  if (bitmap.Format().Indexed() && bitmap.Bpp() == bpp && !bitmap.Format().palette.empty())
    return bitmap.Format().palette;
  return DefaultPalette(bpp);
}

void WriteColorTable(BITMAPINFO* info, const std::vector<RGBQUAD>& palette, int bpp) {
  RGBQUAD* table = ColorTableOf(info);
  int entries = 1 << bpp;
  for (int i = 0; i < entries; ++i)
    table[i] = size_t(i) < palette.size() ? palette[size_t(i)] : RGBQUAD{0, 0, 0, 0};
  info->bmiHeader.biClrUsed = 0;
}

// Fills the header with the bitmap's own format (GetDIBits asked with biBitCount 0).
void DescribeBitmap(const BitmapObject& bitmap, BITMAPINFO* info) {
  BITMAPINFOHEADER& h = info->bmiHeader;
  bool masks = bitmap.Format().redMask | bitmap.Format().greenMask | bitmap.Format().blueMask;
  h.biWidth = bitmap.Width();
  h.biHeight = bitmap.Height();
  h.biPlanes = 1;
  h.biBitCount = WORD(bitmap.Bpp());
  h.biCompression = masks ? BI_BITFIELDS : BI_RGB;
  h.biSizeImage = DWORD(RowBytes(bitmap.Width(), bitmap.Bpp(), 4) * bitmap.Height());
  h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
  h.biClrUsed = h.biClrImportant = 0;
  if (masks) {
    uint32_t m[3] = {bitmap.Format().redMask, bitmap.Format().greenMask, bitmap.Format().blueMask};
    std::memcpy(reinterpret_cast<uint8_t*>(info) + 40, m, sizeof m);
  }
}

}  // namespace

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits,
                         HANDLE hSection, DWORD offset) {
  if (ppvBits) *ppvBits = nullptr;
  DibLayout layout;
  if (!ParseDibInfo(pbmi, usage, true, &layout)) return Fail(ERROR_INVALID_PARAMETER);
  auto bitmap =
      BitmapObject::Create(layout.width, layout.height, layout.format, true, layout.topDown);
  if (!bitmap) return nullptr;
  void* bits = bitmap->Bits();
  HBITMAP h = static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
  if (h && ppvBits) *ppvBits = bits;
  return h;
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage) {
  if (!pbmih || pbmih->biWidth <= 0 || pbmih->biHeight == 0 || pbmih->biHeight == INT32_MIN)
    return Fail(ERROR_INVALID_PARAMETER);
  int height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
  HBITMAP h;
  if (hdc) {
    h = CreateCompatibleBitmap(hdc, pbmih->biWidth, height);
  } else {
    h = CreateBitmap(pbmih->biWidth, height, 1, 32, nullptr);
  }
  if (!h || !(flInit & CBM_INIT) || !pjBits || !pbmi) return h;
  int lines = pbmi->bmiHeader.biHeight < 0 ? -pbmi->bmiHeader.biHeight : pbmi->bmiHeader.biHeight;
  if (SetDIBits(hdc, h, 0, UINT(lines), pjBits, pbmi, iUsage) == 0) {
    DeleteObject(h);
    return Fail(ERROR_INVALID_PARAMETER);
  }
  return h;
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
              UINT usage) {
  PixelGuard guard(PixelLock());
  BitmapObject* bitmap = PeekBitmap(hbm);
  if (!bitmap || (hdc && !PeekDc(hdc))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) || usage != DIB_RGB_COLORS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!lpvBits && lpbmi->bmiHeader.biBitCount == 0) {
    DescribeBitmap(*bitmap, lpbmi);
    return bitmap->Height();
  }
  DibLayout out;
  if (!ParseDibInfo(lpbmi, usage, false, &out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (out.format.Indexed()) {
    out.format.palette = OutputPalette(*bitmap, out.format.bpp);
    WriteColorTable(lpbmi, out.format.palette, out.format.bpp);
  }
  lpbmi->bmiHeader.biSizeImage = DWORD(out.imageBytes);
  if (!lpvBits) return bitmap->Height();
  if (start >= UINT(bitmap->Height())) return 0;
  int lines = int(std::min<UINT>(cLines, UINT(bitmap->Height()) - start));
  int width = std::min(out.width, bitmap->Width());
  std::vector<uint32_t> row(size_t(out.width), 0);
  auto* base = static_cast<uint8_t*>(lpvBits);
  for (int i = 0; i < lines; ++i) {
    bitmap->ReadRow(0, BitmapRowOf(*bitmap, out.topDown, int(start) + i), width, row.data());
    PackRow(out.format, base + int64_t(i) * out.rowBytes, 0, out.width, row.data());
  }
  return lines;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits,
              const BITMAPINFO* lpbmi, UINT ColorUse) {
  PixelGuard guard(PixelLock());
  BitmapObject* bitmap = PeekBitmap(hbm);
  if (!bitmap || (hdc && !PeekDc(hdc))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  DibLayout in;
  if (!lpBits || !ParseDibInfo(lpbmi, ColorUse, true, &in)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (start >= UINT(bitmap->Height()) || start >= UINT(in.height)) return 0;
  UINT available = std::min(UINT(bitmap->Height()), UINT(in.height)) - start;
  int lines = int(std::min(cLines, available));
  int width = std::min(in.width, bitmap->Width());
  std::vector<uint32_t> row(static_cast<size_t>(width));
  auto* base = static_cast<const uint8_t*>(lpBits);
  for (int i = 0; i < lines; ++i) {
    UnpackRow(in.format, base + int64_t(i) * in.rowBytes, 0, width, row.data());
    bitmap->WriteRow(0, BitmapRowOf(*bitmap, in.topDown, int(start) + i), width, row.data());
  }
  return lines;
}
