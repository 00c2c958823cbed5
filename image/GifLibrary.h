// CGifLibrary: writes one bitmap or a sequence of equal-sized bitmaps as a GIF89a file,
// a still picture or an animation with per-frame delays and a loop count. Frames deeper
// than 8 bits per pixel are reduced to one fixed 256-colour palette, with or without
// error diffusion.
//
// Limits: at most 100 frames; frames are at most 65535 pixels wide and high (the file's
// size fields are 16 bits). All frames share the colour table of frame 0, so frames of 8
// bits or less with their own differing palettes show frame 0's colours. A still picture
// of 1 or 4 bits per pixel is not written (Save returns false).
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

#include <cstdio>

class TALIX_LIB_API CGifLibrary {
 public:
  static constexpr int kMaxFrames = 100;

  // A device-independent image in memory: one block holding a BITMAPINFOHEADER, the
  // colour table (2, 16 or 256 entries; none for 24 bits) and the bottom-up pixel rows,
  // each padded to 4 bytes.
  class TALIX_LIB_API CNImage {
   public:
    CNImage();
    virtual ~CNImage();
    CNImage(const CNImage&) = delete;
    CNImage& operator=(const CNImage&) = delete;

    // A blank image of 1, 4, 8 or 24 bits per pixel; false when the size is out of range
    // or memory runs out.
    bool Create(int width, int height, int bitsPerPixel);
    // The pixels of a bitmap, read through the screen DC at its depth rounded up to 1, 4,
    // 8 or 24 bits; false when the bitmap cannot be read.
    bool CreateFromBitmap(HBITMAP bitmap);

    int Width() const { return m_header.biWidth; }
    int Height() const { return m_header.biHeight; }
    int BitsPerPixel() const { return m_header.biBitCount; }
    int ColorCount() const { return m_header.biBitCount <= 8 ? 1 << m_header.biBitCount : 0; }
    RGBQUAD* ColorTable() const;
    // Storage row 0 is the bottom row of the picture.
    BYTE* Row(int storageRow) const { return m_pixels + size_t(storageRow) * size_t(m_rowSize); }
    // The palette index of a pixel of an image of 8 bits or less.
    int IndexAt(int x, int storageRow) const;

    BITMAPINFOHEADER m_header;
    int m_rowSize;
    BYTE* m_pixels;
    int m_transparentIndex;

   private:
    void Release();
    BYTE* m_block;
  };

  // Carries the open output stream; the writer opens and closes it.
  class TALIX_LIB_API CNFile {
   public:
    explicit CNFile(FILE* file) : m_file(file) {}
    virtual ~CNFile() {}
    FILE* m_file;
  };

  // Writes the parts of a GIF file and compresses image data with LZW.
  class TALIX_LIB_API CGifEncoder {
   public:
    static constexpr int kDefaultDelay = 100;
    static constexpr int kHashSize = 5003;
    static constexpr int kPacketSize = 254;

    explicit CGifEncoder(CNFile* file);

    void WriteHeader(const CNImage& firstFrame);
    // Left out by the caller when the loop count is 1.
    void WriteLoopBlock();
    void WriteControlExtension(int delay);
    void WriteImage(const CNImage& image);
    void WriteTrailer();

    int m_loopCount;
    int m_delays[kMaxFrames];

   private:
    void PutByte(int value);
    void PutWord(int value);
    void Compress(int minimumCodeSize);
    void ClearHash();

    CNFile* m_file;
    const CNImage* m_image;
    int m_column, m_row;
    long m_pixelsLeft;
    int m_initialBits, m_bits, m_maxCode;
    unsigned long m_accumulator;
    int m_accumulatedBits;
    int m_clearCode, m_endCode, m_freeCode;
    bool m_clearFlag;
    int32_t m_hash[kHashSize];
    uint16_t m_codes[kHashSize];
    BYTE m_packet[kPacketSize];
    int m_packetCount;
  };

  CGifLibrary();
  virtual ~CGifLibrary();
  CGifLibrary(const CGifLibrary&) = delete;
  CGifLibrary& operator=(const CGifLibrary&) = delete;

  // Appends a frame (after clearing the sequence when first is set); false for a frame
  // beyond the 100th, one whose size differs from the last frame's, or one that cannot
  // be read.
  bool AddFrame(HBITMAP bitmap, bool first);
  // Writes the file; true when it was written and is not empty.
  bool Save(const WCHAR* path);

  CNImage* m_images[kMaxFrames];
  int m_count;
  int m_delays[kMaxFrames];  // hundredths of a second
  int m_loopCount;           // 0 forever, 1 play once, n > 1 play n times
  bool m_reserved;
  bool m_errorDiffusion;

 private:
  void Clear();
};
