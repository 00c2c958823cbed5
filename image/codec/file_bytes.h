// Whole-file reads and writes on Windows-form paths for the readers and writers.
//
// Limits: files above kMaxFileBytes are refused as unreadable.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace talix::image {

constexpr long kMaxFileBytes = 256L << 20;

enum class FileStatus { kOk, kCannotOpen, kShortRead };

FileStatus ReadFileBytes(const WCHAR* path, std::vector<uint8_t>* bytes);
// Reads at most `count` bytes from the start; the number read, -1 when it cannot be opened.
long ReadFilePrefix(const WCHAR* path, uint8_t* buffer, long count);
// Creates or truncates the file and writes the bytes; false unless all were written.
bool WriteFileBytes(const WCHAR* path, const uint8_t* data, size_t size);
// The size of a file reopened for reading; -1 when it cannot be opened.
long MeasureFile(const WCHAR* path);

}  // namespace talix::image
