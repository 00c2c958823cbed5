// The LZW compressor of CGifEncoder: variable-width codes up to 12 bits, codes packed
// least significant bit first into sub-blocks of 254 bytes. When the code table is full a
// clear code restarts it, and both the code width and the largest code of that width
// go back to their initial values, as every decoder expects.
//
// The written codes depend only on which strings the table holds, not on how it finds
// them. Strings (prefix code, next pixel) are found in an 8192-entry open-addressing table
// of 32-bit words (string << 12 | code; 0 is empty, as no code below 6 is ever assigned),
// at most half full with 4096 codes, 32 KB, probed linearly from a multiplicative hash.
// The loop keeps its whole state (code width, bit accumulator, sub-block) in locals and
// walks rows through plain pointers: members written through byte stores would otherwise
// be reloaded on every pixel. The encoder's m_hash and m_codes are not used.
#include "image/GifLibrary.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kMaxBits = 12;
constexpr int kTableLimit = 1 << kMaxBits;  // 4096 codes

// The string table: (prefix code, pixel) -> code.
class StringTable {
 public:
  StringTable() { Clear(); }
  void Clear() { std::fill(std::begin(slots_), std::end(slots_), 0u); }

  // The slot of `key` (pixel << 12 | prefix): either holding it or the empty slot where it
  // goes.
  uint32_t Find(uint32_t key) const {
    uint32_t i = (key * 2654435761u) >> (32 - kBits);
    while (slots_[i] != 0 && slots_[i] >> kMaxBits != key) i = (i + 1) & (kSize - 1);
    return i;
  }
  bool Holds(uint32_t slot) const { return slots_[slot] != 0; }
  int Code(uint32_t slot) const { return int(slots_[slot] & (kTableLimit - 1)); }
  void Put(uint32_t slot, uint32_t key, int code) { slots_[slot] = key << kMaxBits | uint32_t(code); }

 private:
  static constexpr int kBits = 13;
  static constexpr uint32_t kSize = 1u << kBits;
  uint32_t slots_[kSize];
};

// Codes of a changing width into sub-blocks of at most 254 bytes, each written with its
// length byte in front.
class CodePacker {
 public:
  CodePacker(FILE* file, int initialBits)
      : file_(file), initialBits_(initialBits), bits_(initialBits), maxCode_((1 << initialBits) - 1) {}

  // Writes the code at the current width, then moves the width on: back to the initial one
  // after a clear (`cleared`), one wider once `freeCode` passes the largest code.
  void Emit(int code, int freeCode, bool cleared) {
    accumulator_ |= uint64_t(code) << accumulated_;
    accumulated_ += bits_;
    while (accumulated_ >= 8) {
      Byte(uint8_t(accumulator_));
      accumulator_ >>= 8;
      accumulated_ -= 8;
    }
    if (cleared) {
      bits_ = initialBits_;
      maxCode_ = (1 << bits_) - 1;
    } else if (freeCode > maxCode_) {
      ++bits_;
      maxCode_ = bits_ == kMaxBits ? kTableLimit : (1 << bits_) - 1;
    }
  }

  // The last partial byte and sub-block.
  void Finish() {
    if (accumulated_ > 0) Byte(uint8_t(accumulator_));
    accumulator_ = 0;
    accumulated_ = 0;
    Flush();
  }

 private:
  void Byte(uint8_t value) {
    block_[++count_] = value;
    if (count_ == CGifLibrary::CGifEncoder::kPacketSize) Flush();
  }
  void Flush() {
    if (count_ == 0) return;
    block_[0] = uint8_t(count_);
    std::fwrite(block_, 1, size_t(count_) + 1, file_);
    count_ = 0;
  }

  FILE* file_;
  int initialBits_, bits_, maxCode_;
  uint64_t accumulator_ = 0;
  int accumulated_ = 0;
  int count_ = 0;
  uint8_t block_[CGifLibrary::CGifEncoder::kPacketSize + 1];
};

}  // namespace

void CGifLibrary::CGifEncoder::ClearHash() {
  std::fill(std::begin(m_hash), std::end(m_hash), int32_t(-1));
}

// Pixels in picture order: top row (the last stored row) first, left to right.
void CGifLibrary::CGifEncoder::Compress(int minimumCodeSize) {
  const CNImage& image = *m_image;
  const int width = image.Width(), height = image.Height();
  m_initialBits = minimumCodeSize + 1;
  m_clearCode = 1 << minimumCodeSize;
  m_endCode = m_clearCode + 1;
  const int clearCode = m_clearCode;
  int freeCode = clearCode + 2;
  CodePacker packer(m_file->m_file, m_initialBits);
  StringTable table;

  // Rows of fewer bits per pixel are unpacked into bytes first.
  std::vector<uint8_t> unpacked(image.BitsPerPixel() == 8 ? 0 : size_t(width));
  auto row = [&](int storageRow) -> const uint8_t* {
    if (unpacked.empty()) return image.Row(storageRow);
    for (int x = 0; x < width; ++x) unpacked[size_t(x)] = uint8_t(image.IndexAt(x, storageRow));
    return unpacked.data();
  };

  const uint8_t* pixels = row(height - 1);
  int ent = pixels[0];
  int column = 1;
  packer.Emit(clearCode, freeCode, false);
  for (int y = height - 1; y >= 0; --y) {
    if (y != height - 1) pixels = row(y), column = 0;
    for (; column < width; ++column) {
      const int c = pixels[column];
      const uint32_t key = uint32_t(c) << kMaxBits | uint32_t(ent);
      const uint32_t slot = table.Find(key);
      if (table.Holds(slot)) {
        ent = table.Code(slot);
        continue;
      }
      packer.Emit(ent, freeCode, false);
      if (freeCode < kTableLimit) {
        table.Put(slot, key, freeCode++);
      } else {
        table.Clear();
        freeCode = clearCode + 2;
        packer.Emit(clearCode, freeCode, true);
      }
      ent = c;
    }
  }
  packer.Emit(ent, freeCode, false);
  packer.Emit(m_endCode, freeCode, false);
  packer.Finish();
  m_freeCode = freeCode;
  std::fflush(m_file->m_file);
}
