#include "image/codec/file_bytes.h"

#include <cstdio>
#include <new>

namespace talix::image {
namespace {

struct FileCloser {
  FILE* file;
  ~FileCloser() {
    if (file) fclose(file);
  }
};

long SizeOfOpenFile(FILE* file) {
  if (fseek(file, 0, SEEK_END) != 0) return -1;
  long size = ftell(file);
  if (fseek(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

}  // namespace

FileStatus ReadFileBytes(const WCHAR* path, std::vector<uint8_t>* bytes) {
  FileCloser in{path ? _wfopen(path, u"rb") : nullptr};
  if (!in.file) return FileStatus::kCannotOpen;
  const long size = SizeOfOpenFile(in.file);
  if (size < 0 || size > kMaxFileBytes) return FileStatus::kShortRead;
  try {
    bytes->resize(size_t(size));
  } catch (const std::bad_alloc&) {
    return FileStatus::kShortRead;
  }
  if (size && fread(bytes->data(), 1, size_t(size), in.file) != size_t(size)) return FileStatus::kShortRead;
  return FileStatus::kOk;
}

long ReadFilePrefix(const WCHAR* path, uint8_t* buffer, long count) {
  FileCloser in{path ? _wfopen(path, u"rb") : nullptr};
  if (!in.file) return -1;
  return long(fread(buffer, 1, size_t(count), in.file));
}

bool WriteFileBytes(const WCHAR* path, const uint8_t* data, size_t size) {
  FILE* out = path ? _wfopen(path, u"wb") : nullptr;
  if (!out) return false;
  const bool written = size == 0 || fwrite(data, 1, size, out) == size;
  return fclose(out) == 0 && written;
}

long MeasureFile(const WCHAR* path) {
  FileCloser in{path ? _wfopen(path, u"rb") : nullptr};
  return in.file ? SizeOfOpenFile(in.file) : -1;
}

}  // namespace talix::image
