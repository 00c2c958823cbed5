// BMP files: the 14-byte file header, the slot's 40-byte header unchanged, the rows.
#include "image/codec/file_bytes.h"
#include "image/codec/writers.h"

#include <cstring>
#include <vector>

namespace talix::image {
namespace {

void PutLe(std::vector<uint8_t>* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

int WriteBmpFile(const WCHAR* path, const BITMAPINFO& header, const FrameRows& frame, QUOError* error) {
  const size_t imageSize = size_t(frame.rowSize) * size_t(frame.height);
  std::vector<uint8_t> out;
  out.reserve(54 + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLe(&out, uint32_t(imageSize + 54), 4);
  PutLe(&out, 0, 4);
  PutLe(&out, 40 + 14, 4);
  const uint8_t* h = reinterpret_cast<const uint8_t*>(&header.bmiHeader);
  out.insert(out.end(), h, h + 40);
  out.insert(out.end(), frame.rows, frame.rows + imageSize);
  if (!WriteFileBytes(path, out.data(), out.size()) || MeasureFile(path) != long(out.size())) {
    *error = CNBitmapUtil::QUO_ERR_FILE_WRITE;
    return 0;
  }
  return int(out.size());
}

int WriteBytesChecked(const WCHAR* path, const uint8_t* bytes, size_t size, QUOError* error) {
  if (!WriteFileBytes(path, bytes, size) || MeasureFile(path) != long(size)) {
    *error = CNBitmapUtil::QUO_ERR_FILE_WRITE;
    return 0;
  }
  return int(size);
}

int FinishWrittenFile(const WCHAR* path, FILE* file, bool encoded, QUOError encodeError, QUOError* error) {
  const bool closed = fclose(file) == 0;
  if (!encoded || !closed) {
    DeleteFileW(path);
    *error = encoded ? CNBitmapUtil::QUO_ERR_FILE_WRITE : encodeError;
    return 0;
  }
  const long size = MeasureFile(path);
  if (size < 0) {
    *error = CNBitmapUtil::QUO_ERR_FILE_OPEN;
    return 0;
  }
  return int(size);
}

}  // namespace talix::image
