// CGifLibrary::CGifEncoder: the parts of a GIF89a file around the image data. Numbers
// are little-endian; the loop count and delays are clamped to the 16 bits the file has.
#include "image/GifLibrary.h"

#include <algorithm>

namespace {

int Clamp16(int value) { return std::clamp(value, 0, 65535); }

}  // namespace

CGifLibrary::CGifEncoder::CGifEncoder(CNFile* file)
    : m_loopCount(0), m_file(file), m_image(nullptr), m_column(0), m_row(0), m_pixelsLeft(0),
      m_initialBits(0), m_bits(0), m_maxCode(0), m_accumulator(0), m_accumulatedBits(0),
      m_clearCode(0), m_endCode(0), m_freeCode(0), m_clearFlag(false), m_packetCount(0) {
  std::fill(std::begin(m_delays), std::end(m_delays), kDefaultDelay);
  ClearHash();
  std::fill(std::begin(m_codes), std::end(m_codes), uint16_t(0));
}

void CGifLibrary::CGifEncoder::PutByte(int value) { std::fputc(value & 0xFF, m_file->m_file); }

void CGifLibrary::CGifEncoder::PutWord(int value) {
  PutByte(value);
  PutByte(value >> 8);
}

void CGifLibrary::CGifEncoder::WriteHeader(const CNImage& firstFrame) {
  std::fwrite("GIF89a", 1, 6, m_file->m_file);
  PutWord(firstFrame.Width());
  PutWord(firstFrame.Height());
  int depth = firstFrame.BitsPerPixel() - 1;
  PutByte(0x80 + depth * 16 + depth);  // global table, colour resolution, table size
  PutByte(0);                          // background index
  PutByte(0);                          // aspect ratio
  const RGBQUAD* table = firstFrame.ColorTable();
  for (int i = 0; i < firstFrame.ColorCount(); ++i) {
    PutByte(table[i].rgbRed);
    PutByte(table[i].rgbGreen);
    PutByte(table[i].rgbBlue);
  }
}

void CGifLibrary::CGifEncoder::WriteLoopBlock() {
  static const char kApplication[] = "NETSCAPE2.0";
  PutByte(0x21);
  PutByte(0xFF);
  PutByte(0x0B);
  std::fwrite(kApplication, 1, 11, m_file->m_file);
  PutByte(0x03);
  PutByte(0x01);
  // The block counts repeats after the first play; 0 means forever.
  PutWord(Clamp16(m_loopCount > 1 ? m_loopCount - 1 : m_loopCount));
  PutByte(0x00);
}

void CGifLibrary::CGifEncoder::WriteControlExtension(int delay) {
  PutByte(0x21);
  PutByte(0xF9);
  PutByte(0x04);
  PutByte(0x00);  // no disposal, no transparency
  PutWord(Clamp16(delay));
  PutByte(0x00);  // transparent index
  PutByte(0x00);
}

void CGifLibrary::CGifEncoder::WriteImage(const CNImage& image) {
  PutByte(0x2C);
  PutWord(0);
  PutWord(0);
  PutWord(image.Width());
  PutWord(image.Height());
  PutByte(0x00);  // no local table, not interlaced
  int minimumCodeSize = std::max(image.BitsPerPixel(), 2);
  PutByte(minimumCodeSize);
  m_image = &image;
  Compress(minimumCodeSize);
  m_image = nullptr;
  PutByte(0x00);
}

void CGifLibrary::CGifEncoder::WriteTrailer() { PutByte(0x3B); }
