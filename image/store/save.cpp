// Saving a frame: the common checks, the frame's rows, and the dispatch by format.
#include "image/GifLibrary.h"
#include "image/NBitmapUtil.h"
#include "image/codec/file_bytes.h"
#include "image/codec/mono_formats.h"
#include "image/codec/writers.h"

#include <memory>
#include <new>
#include <vector>

using talix::image::FrameRows;

int CNBitmapUtil::SaveBitmap(const WCHAR* fileName, BitmapFormat format, BitmapType type, int index) {
  m_nLastError = QUO_OK;
  if (!fileName) return Fail(QUO_ERR_PARAM1, 0);
  if (format < BF_GIF || format > BF_WBMP) return Fail(QUO_ERR_PARAM2, 0);
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  if (!IsFrameIndex(index)) return Fail(QUO_ERR_PARAM4, 0);
  if (!GetBitmapHandle(type, index) || !GetBitmapInfo(type)) return Fail(QUO_ERR_NO_IMAGE, 0);
  if (format == BF_GIF) return SaveGif(fileName, type, index);
  return SaveFrame(fileName, format, type, index);
}

int CNBitmapUtil::SaveFrame(const WCHAR* fileName, BitmapFormat format, BitmapType type, int index) {
  const CNBitmap& slot = *m_pBitmaps[type];
  const BITMAPINFOHEADER& h = slot.m_pBitmapInfo->bmiHeader;
  if (format == BF_OTA && (h.biWidth > 255 || h.biHeight > 255)) return Fail(QUO_ERR_TOO_LARGE, 0);
  std::vector<uint8_t> rows;
  try {
    rows.resize(size_t(slot.m_nImageSize));
  } catch (const std::bad_alloc&) {
    return Fail(QUO_ERR_GDI, 0);
  }
  if (!ReadFrameRows(type, index, rows.data(), false)) return Fail(QUO_ERR_GDI, 0);
  const FrameRows frame{rows.data(), int(h.biWidth), int(h.biHeight), slot.m_nRowSize};
  QUOError error = QUO_OK;
  int written = 0;
  switch (format) {
    case BF_BMP: written = talix::image::WriteBmpFile(fileName, *slot.m_pBitmapInfo, frame, &error); break;
    case BF_PNG: written = talix::image::WritePngFile(fileName, frame, &error); break;
    case BF_JPEG:
      written = talix::image::WriteJpegFile(fileName, frame, m_nJPEGCompressionFactor, &error);
      break;
    default: {
      const std::vector<uint8_t> bytes =
          format == BF_OTA ? talix::image::EncodeOta(frame.rows, frame.width, frame.height, frame.rowSize)
                           : talix::image::EncodeWbmp(frame.rows, frame.width, frame.height, frame.rowSize);
      written = talix::image::WriteBytesChecked(fileName, bytes.data(), bytes.size(), &error);
    }
  }
  m_nLastError = error;
  return written;
}

int CNBitmapUtil::SaveGif(const WCHAR* fileName, BitmapType type, int index) {
  if (!talix::image::WriteFileBytes(fileName, nullptr, 0)) return Fail(QUO_ERR_FILE_WRITE, 0);
  std::unique_ptr<CGifLibrary> writer(new (std::nothrow) CGifLibrary);
  if (!writer) return Fail(QUO_ERR_ENCODE, 0);
  const CNBitmap& slot = *m_pBitmaps[type];
  for (int i = index; i < kMaxFrames && slot.m_hBitmap[i]; ++i) {
    if (!writer->AddFrame(slot.m_hBitmap[i], i == index)) return Fail(QUO_ERR_NO_IMAGE, 0);
    writer->m_delays[writer->m_count - 1] = slot.m_nDelay[i] / 10;
  }
  writer->m_loopCount = m_nLoopCount;
  writer->m_errorDiffusion = m_bGIFErrorDiffusion;
  if (!writer->Save(fileName)) return Fail(QUO_ERR_ENCODE, 0);
  const long size = talix::image::MeasureFile(fileName);
  return size < 0 ? Fail(QUO_ERR_FILE_OPEN, 0) : int(size);
}
