// The store's WBMP and OTA bitmap readers.
#include "image/NBitmapUtil.h"
#include "image/codec/file_bytes.h"
#include "image/codec/mono_formats.h"

using talix::image::FileStatus;
using talix::image::MonoStatus;
using talix::image::Picture;

namespace {

using Decoder = MonoStatus (*)(const uint8_t*, size_t, Picture*);

// Reads the file and decodes it; the store's error code for a failure, QUO_OK otherwise.
CNBitmapUtil::QUOError ReadMono(const WCHAR* fileName, Decoder decode, Picture* picture) {
  std::vector<uint8_t> bytes;
  switch (talix::image::ReadFileBytes(fileName, &bytes)) {
    case FileStatus::kCannotOpen: return CNBitmapUtil::QUO_ERR_FILE_OPEN;
    case FileStatus::kShortRead: return CNBitmapUtil::QUO_ERR_FILE_READ;
    case FileStatus::kOk: break;
  }
  return decode(bytes.data(), bytes.size(), picture) == MonoStatus::kOk ? CNBitmapUtil::QUO_OK
                                                                        : CNBitmapUtil::QUO_ERR_BAD_FORMAT;
}

}  // namespace

HBITMAP CNBitmapUtil::LoadWBMPFile(const WCHAR* fileName, BitmapType type, int index) {
  Picture picture;
  const QUOError error = ReadMono(fileName, talix::image::DecodeWbmp, &picture);
  if (error != QUO_OK) return Fail<HBITMAP>(error, nullptr);
  return StoreDecoded(picture.bgr.data(), picture.width, picture.height, type, index);
}

HBITMAP CNBitmapUtil::LoadOTABMPFile(const WCHAR* fileName, BitmapType type, int index) {
  Picture picture;
  const QUOError error = ReadMono(fileName, talix::image::DecodeOta, &picture);
  if (error != QUO_OK) return Fail<HBITMAP>(error, nullptr);
  return StoreDecoded(picture.bgr.data(), picture.width, picture.height, type, index);
}
