// Blending the image of a slot group over its background through its mask, into the
// group's result slot (BT_BLENDED or BT_BLENDED_RESIZED).
//
// The four work buffers (image, mask, background, output) outlive a call: image and mask
// are read again only for another frame index, a new group, or a new image size, so
// animating one frame over changing backgrounds costs one background read, one blend and
// one write per step. The buffers are exactly the image size of the last blend; a blend of
// another size frees them and starts over (reading into smaller buffers would overflow).
//
// When background and result frames are 24-bit DIB sections (the store's own frames
// always are) the blend runs row by row from the background's bits straight into the
// result's, one pass with no copies; the background and output buffers then stay unused.
// Other frames go through GetDIBits / SetDIBits and those two buffers. Both give the
// same bytes.
//
// Modes: 0 blends and keeps the buffers, 1 only frees them (-1), 2 blends and frees them.
#include "draw/blender.h"
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"
#include "image/transform/frame_bits.h"
#include "image/transform/slot_group.h"

#include <new>

using talix::image::GroupSlot;

namespace {

// Rows written by SetDIBits of the top-down buffer into the frame, through the slot header.
int WriteTopDown(HBITMAP frame, const BITMAPINFO* slotHeader, const unsigned char* rows) {
  BITMAPINFO header = *slotHeader;
  const LONG height = header.bmiHeader.biHeight;
  header.bmiHeader.biHeight = -height;
  talix::draw::ScreenDc screen;
  return SetDIBits(screen.get(), frame, 0, UINT(height), rows, &header, DIB_RGB_COLORS);
}

// The blend rule over `count` bytes, the tail past the kernel's multiple of four included.
void BlendRun(const uint8_t* mask, const uint8_t* background, const uint8_t* image, uint8_t* out,
              size_t count) {
  talix::draw::BlendBytes(mask, background, image, out, count);
  for (size_t i = count - count % 4; i < count; ++i)
    out[i] = talix::draw::BlendByte(mask[i], background[i], image[i]);
}

// The blend between frames in place; false (nothing written) when either frame is not a
// section we can reach. Image and mask are top-down rows of `rowSize` bytes.
bool BlendInPlace(HBITMAP background, HBITMAP result, int width, int height,
                  const uint8_t* image, const uint8_t* mask, size_t rowSize) {
  talix::image::FrameBits back, out;
  if (!back.Attach(background, width, height) || !out.Attach(result, width, height)) return false;
  const size_t pixelBytes = size_t(width) * 3;
  for (int y = 0; y < height; ++y) {
    const size_t at = size_t(y) * rowSize;
    BlendRun(mask + at, back.Row(y), image + at, out.Row(y), pixelBytes);
  }
  return true;
}

bool SameSize(const BITMAPINFO* a, const BITMAPINFO* b) {
  return a->bmiHeader.biWidth == b->bmiHeader.biWidth &&
         a->bmiHeader.biHeight == b->bmiHeader.biHeight;
}

}  // namespace

void CNBitmapUtil::DeleteAlphaBlendBuffers() {
  for (unsigned char** buffer : {&m_pBlendImage, &m_pBlendMask, &m_pBlendBackground, &m_pBlendOutput}) {
    delete[] *buffer;
    *buffer = nullptr;
  }
  m_nBlendCapacity = 0;
  m_nBlendRows = 0;
  m_nLastBlendIndex = -1;
}

void CNBitmapUtil::AlphaBlendFunction(unsigned char* image, unsigned char* mask,
                                      unsigned char* background, unsigned char* output,
                                      unsigned long count) {
  const QUOError missing = !image        ? QUO_ERR_PARAM1
                           : !mask       ? QUO_ERR_PARAM2
                           : !background ? QUO_ERR_PARAM3
                           : !output     ? QUO_ERR_PARAM4
                                         : QUO_OK;
  if (missing != QUO_OK) {
    m_nLastError = missing;
    return;
  }
  // The mask rule with the background in the foreground's place: mask 0 shows the image,
  // mask 255 the background. The shared kernel leaves a tail of count % 4 bytes alone;
  // finish it byte by byte.
  BlendRun(mask, background, image, output, count);
}

int CNBitmapUtil::AlphaBlendBitmaps(int mode, int resized, int index) {
  const int group = resized ? 1 : 0;
  if (group != m_nBlendResized) {
    DeleteAlphaBlendBuffers();
    m_nBlendResized = group;
  }
  if (mode == 1) {
    DeleteAlphaBlendBuffers();
    return -1;
  }
  if (mode != 0 && mode != 2) return Fail(QUO_ERR_PARAM1, -1);
  const BitmapType imageSlot = GroupSlot(group, BT_IMAGE), maskSlot = GroupSlot(group, BT_ALPHA);
  const BitmapType backSlot = GroupSlot(group, BT_BACKGROUND), resultSlot = GroupSlot(group, BT_BLENDED);
  HBITMAP image = GetBitmapHandle(imageSlot, index);
  if (!image || !GetBitmapInfo(imageSlot)) return Fail(QUO_ERR_NO_FOREGROUND, -1);
  if (!GetBitmapHandle(maskSlot, index) || !GetBitmapInfo(maskSlot)) return Fail(QUO_ERR_NO_MASK, -1);
  if (!GetBitmapHandle(backSlot, index) || !GetBitmapInfo(backSlot))
    return Fail(QUO_ERR_NO_BACKGROUND, -1);
  const BITMAPINFO* header = GetBitmapInfo(imageSlot);
  if (!SameSize(header, GetBitmapInfo(maskSlot)) || !SameSize(header, GetBitmapInfo(backSlot)))
    return -1;
  const int width = header->bmiHeader.biWidth, height = header->bmiHeader.biHeight;
  const size_t bytes = size_t(m_pBitmaps[imageSlot]->m_nImageSize);

  // Buffers of another size (or none) are made anew; image and mask must then be read.
  bool readImage = index != m_nLastBlendIndex;
  if (!m_pBlendImage || m_nBlendCapacity != bytes) {
    DeleteAlphaBlendBuffers();
    m_pBlendImage = new (std::nothrow) unsigned char[bytes];
    m_pBlendMask = new (std::nothrow) unsigned char[bytes];
    m_pBlendBackground = new (std::nothrow) unsigned char[bytes];
    m_pBlendOutput = new (std::nothrow) unsigned char[bytes];
    if (!m_pBlendImage || !m_pBlendMask || !m_pBlendBackground || !m_pBlendOutput) {
      DeleteAlphaBlendBuffers();
      return Fail(QUO_ERR_FAILED, -1);
    }
    m_nBlendCapacity = bytes;
    readImage = true;
  }

  // The result frame: of the image's size, compatible with the image.
  PrepareSlot(resultSlot, width, height);
  HBITMAP result = GetBitmapHandle(resultSlot, index);
  if (!result) {
    result = talix::image::CompatibleBitmapLike(image, width, height);
    if (!result || !InstallFrame(resultSlot, index, result, width, height)) return Fail(QUO_ERR_GDI, -1);
  }

  if (readImage) {
    m_nLastBlendIndex = -1;  // until both are read, nothing cached is valid
    if (!ReadFrameRows(imageSlot, index, m_pBlendImage, true) ||
        !ReadFrameRows(maskSlot, index, m_pBlendMask, true))
      return Fail(QUO_ERR_GDI, -1);
  }
  int rows = height;
  if (!BlendInPlace(GetBitmapHandle(backSlot, index), result, width, height, m_pBlendImage,
                    m_pBlendMask, size_t(m_pBitmaps[imageSlot]->m_nRowSize))) {
    if (!ReadFrameRows(backSlot, index, m_pBlendBackground, true)) return Fail(QUO_ERR_GDI, -1);
    AlphaBlendFunction(m_pBlendImage, m_pBlendMask, m_pBlendBackground, m_pBlendOutput,
                       static_cast<unsigned long>(bytes));
    rows = WriteTopDown(result, GetBitmapInfo(resultSlot), m_pBlendOutput);
  }
  m_nBlendRows = height;
  if (mode == 2) DeleteAlphaBlendBuffers();
  m_nLastBlendIndex = index;
  return rows;
}
