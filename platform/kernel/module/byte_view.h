// Bounds-checked little-endian reads from untrusted bytes (module files, .res data).
#pragma once

#include <win/types.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace talix {

class ByteView {
 public:
  ByteView() = default;
  ByteView(const BYTE* data, size_t size) : data_(data), size_(size) {}

  const BYTE* Data() const { return data_; }
  size_t Size() const { return size_; }
  // True when [offset, offset + length) lies inside, without overflowing.
  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  // The part [offset, offset + length), or an empty view when it does not fit.
  ByteView Sub(uint64_t offset, uint64_t length) const {
    return Has(offset, length) ? ByteView(data_ + offset, static_cast<size_t>(length)) : ByteView();
  }
  bool U16(uint64_t offset, uint16_t* out) const { return Read(offset, out); }
  bool U32(uint64_t offset, uint32_t* out) const { return Read(offset, out); }
  bool U64(uint64_t offset, uint64_t* out) const { return Read(offset, out); }
  // A terminated UTF-16 string starting at offset; false when it runs off the end.
  // *end is the offset just past the terminator.
  bool String16(uint64_t offset, std::u16string* out, uint64_t* end) const {
    out->clear();
    for (uint64_t at = offset;; at += 2) {
      uint16_t c;
      if (!U16(at, &c)) return false;
      if (c == 0) {
        *end = at + 2;
        return true;
      }
      out->push_back(static_cast<char16_t>(c));
    }
  }

 private:
  template <typename T>
  bool Read(uint64_t offset, T* out) const {
    if (!Has(offset, sizeof(T))) return false;
    std::memcpy(out, data_ + offset, sizeof(T));  // host is little-endian
    return true;
  }

  const BYTE* data_ = nullptr;
  size_t size_ = 0;
};

inline uint64_t AlignUp4(uint64_t value) { return (value + 3) & ~uint64_t{3}; }

}  // namespace talix
