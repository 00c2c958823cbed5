// The LZW compressor of CGifEncoder: variable-width codes up to 12 bits, strings found
// through an open-addressing hash of 5003 entries (a prime), codes packed least
// significant bit first into sub-blocks of 254 bytes. When the code table is full a
// clear code restarts it, and both the code width and the largest code of that width
// go back to their initial values, as every decoder expects.
#include "image/GifLibrary.h"

#include <algorithm>

namespace {

constexpr int kMaxBits = 12;
constexpr int kTableLimit = 1 << kMaxBits;  // 4096 codes
constexpr int kHashShift = 4;               // doublings of 5003 to reach 65536

}  // namespace

void CGifLibrary::CGifEncoder::ClearHash() {
  std::fill(std::begin(m_hash), std::end(m_hash), int32_t(-1));
}

// Pixels in picture order: top row (the last stored row) first, left to right.
inline int CGifLibrary::CGifEncoder::NextPixel() {
  int value = m_image->BitsPerPixel() == 8 ? m_image->Row(m_row)[m_column]
                                           : m_image->IndexAt(m_column, m_row);
  if (++m_column == m_image->Width()) {
    m_column = 0;
    --m_row;
  }
  --m_pixelsLeft;
  return value;
}

void CGifLibrary::CGifEncoder::Compress(int minimumCodeSize) {
  m_initialBits = minimumCodeSize + 1;
  m_bits = m_initialBits;
  m_maxCode = (1 << m_bits) - 1;
  m_clearCode = 1 << (m_initialBits - 1);
  m_endCode = m_clearCode + 1;
  m_freeCode = m_clearCode + 2;
  m_clearFlag = false;
  m_accumulator = 0;
  m_accumulatedBits = 0;
  m_packetCount = 0;
  m_column = 0;
  m_row = m_image->Height() - 1;
  m_pixelsLeft = long(m_image->Width()) * m_image->Height();

  int ent = NextPixel();
  ClearHash();
  EmitCode(m_clearCode);
  while (m_pixelsLeft > 0) {
    int c = NextPixel();
    int32_t key = (int32_t(c) << kMaxBits) + ent;
    int i = (c << kHashShift) ^ ent;
    bool found = m_hash[i] == key;
    if (!found && m_hash[i] >= 0) {
      int step = i == 0 ? 1 : kHashSize - i;
      do {
        i -= step;
        if (i < 0) i += kHashSize;
        found = m_hash[i] == key;
      } while (!found && m_hash[i] >= 0);
    }
    if (found) {
      ent = m_codes[i];
      continue;
    }
    EmitCode(ent);
    if (m_freeCode < kTableLimit) {
      m_codes[i] = uint16_t(m_freeCode++);
      m_hash[i] = key;
    } else {
      ClearHash();
      m_freeCode = m_clearCode + 2;
      m_clearFlag = true;
      EmitCode(m_clearCode);
    }
    ent = c;
  }
  EmitCode(ent);
  EmitCode(m_endCode);
  if (m_accumulatedBits > 0) PacketByte(BYTE(m_accumulator & 0xFF));
  m_accumulator = 0;
  m_accumulatedBits = 0;
  FlushPacket();
  std::fflush(m_file->m_file);
}

void CGifLibrary::CGifEncoder::EmitCode(int code) {
  m_accumulator |= (unsigned long)code << m_accumulatedBits;
  m_accumulatedBits += m_bits;
  while (m_accumulatedBits >= 8) {
    PacketByte(BYTE(m_accumulator & 0xFF));
    m_accumulator >>= 8;
    m_accumulatedBits -= 8;
  }
  if (m_clearFlag) {
    m_bits = m_initialBits;
    m_maxCode = (1 << m_bits) - 1;
    m_clearFlag = false;
  } else if (m_freeCode > m_maxCode) {
    ++m_bits;
    m_maxCode = m_bits == kMaxBits ? kTableLimit : (1 << m_bits) - 1;
  }
}

void CGifLibrary::CGifEncoder::PacketByte(BYTE value) {
  m_packet[m_packetCount++] = value;
  if (m_packetCount == kPacketSize) FlushPacket();
}

void CGifLibrary::CGifEncoder::FlushPacket() {
  if (m_packetCount == 0) return;
  PutByte(m_packetCount);
  std::fwrite(m_packet, 1, size_t(m_packetCount), m_file->m_file);
  m_packetCount = 0;
}
