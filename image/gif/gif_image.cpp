// CGifLibrary::CNImage: a frame as a device-independent image in one memory block.
#include "image/GifLibrary.h"

#include <cstring>
#include <new>

namespace {

// GIF sizes are 16-bit; the limit also keeps every size computation in range.
constexpr int kMaxSide = 65535;

int RoundedDepth(int bitsPerPixel) {
  if (bitsPerPixel <= 1) return 1;
  if (bitsPerPixel <= 4) return 4;
  if (bitsPerPixel <= 8) return 8;
  return 24;
}

}  // namespace

CGifLibrary::CNImage::CNImage()
    : m_header{}, m_rowSize(0), m_pixels(nullptr), m_transparentIndex(-1), m_block(nullptr) {}

CGifLibrary::CNImage::~CNImage() { Release(); }

void CGifLibrary::CNImage::Release() {
  delete[] m_block;
  m_block = nullptr;
  m_pixels = nullptr;
  m_header = BITMAPINFOHEADER{};
  m_rowSize = 0;
}

bool CGifLibrary::CNImage::Create(int width, int height, int bitsPerPixel) {
  Release();
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
    return false;
  int rowSize = int(((int64_t(width) * bitsPerPixel + 31) / 32) * 4);
  size_t colours = bitsPerPixel <= 8 ? size_t(1) << bitsPerPixel : 0;
  size_t imageSize = size_t(rowSize) * size_t(height);
  size_t total = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD) + imageSize;
  m_block = new (std::nothrow) BYTE[total];
  if (!m_block) return false;
  std::memset(m_block, 0, total);

  m_header.biSize = sizeof(BITMAPINFOHEADER);
  m_header.biWidth = width;
  m_header.biHeight = height;
  m_header.biPlanes = 1;
  m_header.biBitCount = WORD(bitsPerPixel);
  m_header.biCompression = BI_RGB;
  m_header.biSizeImage = DWORD(imageSize);
  std::memcpy(m_block, &m_header, sizeof m_header);
  m_rowSize = rowSize;
  m_pixels = m_block + sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  return true;
}

bool CGifLibrary::CNImage::CreateFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectW(bitmap, sizeof info, &info) == 0) return false;
  int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  if (!Create(info.bmWidth, height, RoundedDepth(info.bmBitsPixel * info.bmPlanes))) return false;
  // GetDIBits fills the block's own header and colour table and the rows below them.
  HDC screen = GetDC(nullptr);
  int lines = GetDIBits(screen, bitmap, 0, UINT(height), m_pixels,
                        reinterpret_cast<BITMAPINFO*>(m_block), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != height) {
    Release();
    return false;
  }
  return true;
}

RGBQUAD* CGifLibrary::CNImage::ColorTable() const {
  return m_block ? reinterpret_cast<RGBQUAD*>(m_block + sizeof(BITMAPINFOHEADER)) : nullptr;
}

int CGifLibrary::CNImage::IndexAt(int x, int storageRow) const {
  const BYTE* row = Row(storageRow);
  switch (m_header.biBitCount) {
    case 8: return row[x];
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 0x01;
    default: return 0;
  }
}
