// The file writers of the store. Each takes the frame as bottom-up 24-bit rows of
// `rowSize` bytes, writes the file and returns its size, or 0 with the store's error
// code in *error. A failed write leaves no partial file behind.
#pragma once

#include "image/NBitmapUtil.h"

#include <cstdint>
#include <cstdio>

namespace talix::image {

using QUOError = CNBitmapUtil::QUOError;

struct FrameRows {
  const uint8_t* rows;  // bottom-up
  int width, height, rowSize;
};

int WriteBmpFile(const WCHAR* path, const BITMAPINFO& header, const FrameRows& frame, QUOError* error);
int WritePngFile(const WCHAR* path, const FrameRows& frame, QUOError* error);
int WriteJpegFile(const WCHAR* path, const FrameRows& frame, int quality, QUOError* error);
// WBMP and OTA: the bytes are written and the file reopened to check its size.
int WriteBytesChecked(const WCHAR* path, const uint8_t* bytes, size_t size, QUOError* error);

// Closes a file written by an encoder; a failed encode or close removes it and sets
// `encodeError` or QUO_ERR_FILE_WRITE. The size of the file reopened, or 0 with
// QUO_ERR_FILE_OPEN when it cannot be.
int FinishWrittenFile(const WCHAR* path, FILE* file, bool encoded, QUOError encodeError, QUOError* error);

}  // namespace talix::image
