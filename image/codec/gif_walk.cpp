// The walk over a GIF file that finds its image descriptors and their control blocks.
// Every read is checked against the end of the data: a truncated or hostile file ends
// the walk, a frame whose data runs past the end is not recorded, and transparent
// indices outside their colour table give no transparent colour.
#include "image/NBitmapUtil.h"

#include <cstring>

namespace {

uint32_t Le16(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

// Colour-table entries of a packed field, 0 when the table flag is clear.
size_t TableEntries(BYTE packed) { return (packed & 0x80) ? size_t(2) << (packed & 7) : 0; }

// Offset just past a chain of sub-blocks starting at `at`; 0 when it runs past the end.
size_t SkipSubBlocks(const BYTE* data, size_t size, size_t at) {
  while (at < size && data[at] != 0) at += size_t(data[at]) + 1;
  return at < size ? at + 1 : 0;
}

// A frame's control block as the walk has seen it since the last image.
struct PendingControl {
  bool present = false;
  uint32_t bytes = 0;
  int disposal = 0, delay = 0, transparentIndex = -1;
};

int TableColour(const BYTE* table, size_t entries, int index) {
  if (!table || index < 0 || size_t(index) >= entries) return -1;
  const BYTE* c = table + 3 * size_t(index);
  return int(uint32_t(c[0]) << 16 | uint32_t(c[1]) << 8 | c[2]);
}

}  // namespace

int CNBitmapUtil::GetGIFFileStructure(const BYTE* data, DWORD size, CGIFFileStruct* frames) {
  if (!data || !frames || size < 13 || std::memcmp(data, "GIF", 3) != 0) return 0;
  frames->m_nScreenWidth = int(Le16(data + 6));
  frames->m_nScreenHeight = int(Le16(data + 8));
  const size_t globalEntries = TableEntries(data[10]);
  if (13 + 3 * globalEntries > size) return 0;
  const BYTE* global = globalEntries ? data + 13 : nullptr;
  const int background = TableColour(global, globalEntries, data[11]);
  frames->m_nBackground = background < 0 ? 0xFFFFFFFF
                          : (uint32_t(background) >> 16) | (uint32_t(background) & 0xFF00) |
                                (uint32_t(background) & 0xFF) << 16;
  m_nLoopCount = 1;

  size_t at = 13 + 3 * globalEntries;
  int count = 0;
  PendingControl control;
  while (at < size && count < kMaxFrames) {
    if (data[at] == 0x2C) {
      if (at + 11 > size) break;
      const BYTE packed = data[at + 9];
      const size_t localEntries = TableEntries(packed);
      const size_t dataAt = at + 10 + 3 * localEntries;
      const size_t end = dataAt + 1 < size ? SkipSubBlocks(data, size, dataAt + 1) : 0;
      if (!end) break;
      const BYTE* table = localEntries ? data + at + 10 : global;
      frames->m_nFrameStart[count] = int(at);
      frames->m_nFrameLength[count] = int(end - at);
      frames->m_nFrameLeft[count] = int(Le16(data + at + 1));
      frames->m_nFrameTop[count] = int(Le16(data + at + 3));
      frames->m_nFrameWidth[count] = int(Le16(data + at + 5));
      frames->m_nFrameHeight[count] = int(Le16(data + at + 7));
      frames->m_nTransparentColor[count] =
          TableColour(table, localEntries ? localEntries : globalEntries, control.transparentIndex);
      frames->m_nDisposal[count] = control.disposal;
      frames->m_nDelay[count] = control.delay;
      frames->m_nControlData[count] = control.bytes;
      frames->m_bHasControl[count] = control.present;
      control = PendingControl{};
      ++count;
      at = end;
    } else if (data[at] == 0x21) {
      if (at + 3 > size) break;
      const BYTE label = data[at + 1];
      const size_t block = at + 2;
      if (label == 0xF9 && data[block] >= 4 && block + 5 <= size) {
        const BYTE* d = data + block + 1;
        control.present = true;
        control.bytes = uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16 | uint32_t(d[3]) << 24;
        control.disposal = (d[0] >> 2) & 7;
        control.delay = int(Le16(d + 1));
        control.transparentIndex = (d[0] & 1) ? d[3] : -1;
        if (count == 0 && frames->m_nControlOffset < 0) frames->m_nControlOffset = int(block + 1);
      } else if (label == 0xFF && data[block] == 11 && block + 16 <= size &&
                 data[block + 12] == 3 && data[block + 13] == 1) {
        m_nLoopCount = int(Le16(data + block + 14)) + 1;
      }
      const size_t end = SkipSubBlocks(data, size, block);
      if (!end) break;
      at = end;
    } else {
      break;
    }
  }
  return count;
}
