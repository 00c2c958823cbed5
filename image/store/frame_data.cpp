// Frame pixels in and out of the store: frames made from packed rows or from another
// bitmap, and the copies of a frame's rows to and from caller buffers.
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"

#include <cstring>
#include <memory>
#include <new>

using talix::draw::OwnedObject;
using talix::draw::QueryBitmapSize;
using talix::draw::ScreenDc;
using talix::draw::SelectedDc;

namespace {

// Copies rows of `packed` bytes between a padded buffer and a packed one.
void PackRows(const BYTE* padded, BYTE* packed, int rows, int rowSize, int packedRow) {
  for (int y = 0; y < rows; ++y)
    std::memcpy(packed + size_t(y) * packedRow, padded + size_t(y) * rowSize, size_t(packedRow));
}

void UnpackRows(const BYTE* packed, BYTE* padded, int rows, int rowSize, int packedRow) {
  for (int y = 0; y < rows; ++y) {
    BYTE* row = padded + size_t(y) * rowSize;
    std::memcpy(row, packed + size_t(y) * packedRow, size_t(packedRow));
    std::memset(row + packedRow, 0, size_t(rowSize - packedRow));
  }
}

}  // namespace

// ---- Rows through the slot header ----

namespace {

// GetDIBits or SetDIBits of every row of a frame through a copy of the slot's header.
bool TransferRows(HBITMAP frame, const BITMAPINFO* slotHeader, BYTE* buffer, bool topDown,
                  bool write) {
  if (!frame || !slotHeader || !buffer) return false;
  BITMAPINFO header = *slotHeader;
  const LONG height = header.bmiHeader.biHeight;
  if (topDown) header.bmiHeader.biHeight = -height;
  ScreenDc screen;
  const int rows = write ? SetDIBits(screen.get(), frame, 0, UINT(height), buffer, &header, DIB_RGB_COLORS)
                         : GetDIBits(screen.get(), frame, 0, UINT(height), buffer, &header, DIB_RGB_COLORS);
  return rows == height;
}

}  // namespace

bool CNBitmapUtil::ReadFrameRows(BitmapType type, int index, BYTE* buffer, bool topDown) {
  CNBitmap* slot = GetBitmapObject(type);
  return slot && TransferRows(GetBitmapHandle(type, index), slot->m_pBitmapInfo, buffer, topDown, false);
}

bool CNBitmapUtil::WriteFrameRows(BitmapType type, int index, const BYTE* buffer, bool topDown) {
  CNBitmap* slot = GetBitmapObject(type);
  return slot && TransferRows(GetBitmapHandle(type, index), slot->m_pBitmapInfo,
                              const_cast<BYTE*>(buffer), topDown, true);
}

// ---- Caller buffers ----

#define TALIX_CHECK_DATA_ACCESS(type, buffer)                                   \
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);                           \
  if (!(buffer)) return Fail(QUO_ERR_PARAM2, 0);                                \
  CNBitmap* slot = m_pBitmaps[type];                                            \
  if (!slot || !slot->m_pBitmapInfo || slot->m_nImageSize == 0) return Fail(QUO_ERR_NO_IMAGE, 0)

int CNBitmapUtil::GetBitmapData(BitmapType type, int index, char* buffer) {
  TALIX_CHECK_DATA_ACCESS(type, buffer);
  if (!ReadFrameRows(type, index, reinterpret_cast<BYTE*>(buffer), true))
    return Fail(QUO_ERR_NO_IMAGE, 0);
  return 1;
}

int CNBitmapUtil::SetBitmapData(BitmapType type, int index, char* buffer) {
  TALIX_CHECK_DATA_ACCESS(type, buffer);
  if (!WriteFrameRows(type, index, reinterpret_cast<const BYTE*>(buffer), true))
    return Fail(QUO_ERR_NO_IMAGE, 0);
  return 1;
}

int CNBitmapUtil::GetBitmapDataNA(BitmapType type, int index, char* buffer) {
  TALIX_CHECK_DATA_ACCESS(type, buffer);
  std::unique_ptr<BYTE[]> padded(new (std::nothrow) BYTE[size_t(slot->m_nImageSize)]);
  if (!padded || !ReadFrameRows(type, index, padded.get(), true)) return Fail(QUO_ERR_NO_IMAGE, 0);
  const int height = slot->m_pBitmapInfo->bmiHeader.biHeight;
  PackRows(padded.get(), reinterpret_cast<BYTE*>(buffer), height, slot->m_nRowSize,
           3 * slot->m_pBitmapInfo->bmiHeader.biWidth);
  return 1;
}

int CNBitmapUtil::SetBitmapDataNA(BitmapType type, int index, char* buffer) {
  TALIX_CHECK_DATA_ACCESS(type, buffer);
  std::unique_ptr<BYTE[]> padded(new (std::nothrow) BYTE[size_t(slot->m_nImageSize)]);
  if (!padded) return Fail(QUO_ERR_NO_IMAGE, 0);
  const int height = slot->m_pBitmapInfo->bmiHeader.biHeight;
  UnpackRows(reinterpret_cast<const BYTE*>(buffer), padded.get(), height, slot->m_nRowSize,
             3 * slot->m_pBitmapInfo->bmiHeader.biWidth);
  if (!WriteFrameRows(type, index, padded.get(), true)) return Fail(QUO_ERR_NO_IMAGE, 0);
  return 1;
}

#undef TALIX_CHECK_DATA_ACCESS

char* CNBitmapUtil::GetBitmapDataAlloc(BitmapType type, int index) {
  const int size = GetBitmapSize(type);
  if (size <= 0) return nullptr;
  char* buffer = new (std::nothrow) char[size_t(size)];
  if (buffer && GetBitmapData(type, index, buffer)) return buffer;
  delete[] buffer;
  return nullptr;
}

char* CNBitmapUtil::GetBitmapDataNAAlloc(BitmapType type, int index) {
  const int size = GetBitmapSize(type);
  if (size <= 0) return nullptr;
  char* buffer = new (std::nothrow) char[size_t(size)];  // packed rows are never larger
  if (buffer && GetBitmapDataNA(type, index, buffer)) return buffer;
  delete[] buffer;
  return nullptr;
}

// ---- New frames ----

HBITMAP CNBitmapUtil::StoreDecoded(const BYTE* packed, int width, int height, BitmapType type,
                                   int index) {
  void* bits = nullptr;
  HBITMAP frame = CreateFrameSection(width, height, &bits);
  if (!frame) return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  const int rowSize = RowSizeFor(width, height);
  const size_t packedRow = size_t(3) * size_t(width);
  for (int i = 0; i < height; ++i) {
    BYTE* line = static_cast<BYTE*>(bits) + size_t(height - 1 - i) * size_t(rowSize);
    std::memcpy(line, packed + size_t(i) * packedRow, packedRow);
  }
  if (!InstallFrame(type, index, frame, width, height)) return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  return frame;
}

int CNBitmapUtil::CreateBitmapFromData(int width, int height, char* data, BitmapType type, int index) {
  if (width <= 0) return Fail(QUO_ERR_PARAM1, 0);
  if (height <= 0) return Fail(QUO_ERR_PARAM2, 0);
  if (!data) return Fail(QUO_ERR_PARAM3, 0);
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  if (!IsFrameIndex(index)) return Fail(QUO_ERR_PARAM5, 0);
  if (!RowSizeFor(width, height)) return Fail(QUO_ERR_PARAM1, 0);
  DeleteBitmap(type, index);
  return StoreDecoded(reinterpret_cast<const BYTE*>(data), width, height, type, index) ? 1 : 0;
}

int CNBitmapUtil::CreateBitmapFromHandle(HBITMAP bitmap, BitmapType type, int index) {
  SIZE size{};
  if (!QueryBitmapSize(bitmap, &size)) return Fail(QUO_ERR_PARAM1, 0);
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  if (!IsFrameIndex(index)) return Fail(QUO_ERR_PARAM3, 0);
  if (!RowSizeFor(size.cx, size.cy)) return Fail(QUO_ERR_PARAM1, 0);
  OwnedObject<HBITMAP> frame(CreateFrameSection(size.cx, size.cy, nullptr));
  if (!frame.get()) return Fail(QUO_ERR_BAD_FORMAT, 0);
  {
    ScreenDc screen;
    SelectedDc source(screen.get(), bitmap), target(screen.get(), frame.get());
    if (!source.ok() || !target.ok() ||
        !BitBlt(target.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY))
      return Fail(QUO_ERR_GDI, 0);
  }
  DeleteBitmap(type, index);
  return InstallFrame(type, index, frame.release(), size.cx, size.cy) ? 1 : 0;
}
