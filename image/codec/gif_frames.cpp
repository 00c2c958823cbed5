// Animated GIF: every image of the file becomes a complete picture of the logical screen
// at that step. Each image is cut out into a one-image GIF (the file's header, tables
// and extensions, the image's own control block, the image, the trailer), decoded, and
// drawn over the previous step, whose area is cleared to the background first when the
// previous image asked for it (disposal 2 or 3).
//
// Choices: the background is the store's GIF background colour when set, else the
// file's own, else white (a file without a global colour table). Disposal 3 is treated
// as 2. Frames beyond index 511 are dropped.
#include "image/NBitmapUtil.h"
#include "image/codec/gif_reader.h"

#include <memory>
#include <new>
#include <vector>

using talix::image::GifImage;
using talix::image::Picture;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// The one-image GIF of frame i.
std::vector<uint8_t> CutFrame(const BYTE* data, const CNBitmapUtil::CGIFFileStruct& f, int i) {
  const size_t prefix = size_t(f.m_nFrameStart[0]);
  std::vector<uint8_t> out(data, data + prefix);
  const uint32_t control = f.m_nControlData[i];
  const uint8_t bytes[4] = {uint8_t(control), uint8_t(control >> 8), uint8_t(control >> 16),
                            uint8_t(control >> 24)};
  if (f.m_nControlOffset >= 0 && size_t(f.m_nControlOffset) + 4 <= prefix) {
    if (i > 0) std::copy(bytes, bytes + 4, out.begin() + f.m_nControlOffset);
  } else if (f.m_bHasControl[i]) {
    // No control block before the first image: give this frame its own.
    const uint8_t block[] = {0x21, 0xF9, 0x04, bytes[0], bytes[1], bytes[2], bytes[3], 0x00};
    out.insert(out.end(), block, block + sizeof block);
  }
  const BYTE* image = data + f.m_nFrameStart[i];
  out.insert(out.end(), image, image + f.m_nFrameLength[i]);
  out.push_back(0x3B);
  return out;
}

void FillRect(Picture* canvas, int left, int top, int width, int height, uint32_t colour) {
  const uint8_t b = uint8_t(colour >> 16), g = uint8_t(colour >> 8), r = uint8_t(colour);
  for (int y = top < 0 ? 0 : top; y < top + height && y < canvas->height; ++y)
    for (int x = left < 0 ? 0 : left; x < left + width && x < canvas->width; ++x) {
      uint8_t* p = canvas->Pixel(x, y);
      p[0] = b, p[1] = g, p[2] = r;
    }
}

void FillFrameRect(Picture* canvas, const CNBitmapUtil::CGIFFileStruct& f, int i, uint32_t colour) {
  FillRect(canvas, f.m_nFrameLeft[i], f.m_nFrameTop[i], f.m_nFrameWidth[i], f.m_nFrameHeight[i], colour);
}

}  // namespace

HBITMAP CNBitmapUtil::LoadGifPicture(HGLOBAL block, DWORD size, BitmapType type, int index) {
  if (!block) return nullptr;
  const BYTE* data = static_cast<const BYTE*>(GlobalLock(block));
  if (!data) return nullptr;
  std::unique_ptr<CGIFFileStruct> frames(new (std::nothrow) CGIFFileStruct);
  HBITMAP first = nullptr;
  if (frames) {
    const int count = GetGIFFileStructure(data, size, frames.get());
    if (count >= 2) first = LoadGIFFileImages(data, size, *frames, count, type, index);
  }
  GlobalUnlock(block);
  return first;
}

HBITMAP CNBitmapUtil::LoadGIFFileImages(const BYTE* data, DWORD size, const CGIFFileStruct& f,
                                        int frameCount, BitmapType type, int index) {
  if (!data || frameCount < 1 || !IsSlot(type) || !IsFrameIndex(index)) return nullptr;
  const int width = f.m_nScreenWidth, height = f.m_nScreenHeight;
  if (!RowSizeFor(width, height) || int64_t(width) * height * frameCount > kMaxTotalPixels)
    return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  (void)size;  // every frame offset and length was checked against it by the walk
  const uint32_t background = m_nGIFBkColor != 0xFFFFFFFF ? uint32_t(m_nGIFBkColor)
                              : f.m_nBackground != 0xFFFFFFFF ? uint32_t(f.m_nBackground)
                                                              : kWhite;
  ResetSlot(type);
  Picture canvas;
  if (!canvas.Allocate(width, height, background)) return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  HBITMAP first = nullptr;
  for (int i = 0; i < frameCount && index + i < kMaxFrames; ++i) {
    if (i > 0 && (f.m_nDisposal[i - 1] == 2 || f.m_nDisposal[i - 1] == 3)) {
      if (f.m_nFrameWidth[i - 1] != 0) FillFrameRect(&canvas, f, i - 1, background);
      FillFrameRect(&canvas, f, i, background);
    }
    const std::vector<uint8_t> one = CutFrame(data, f, i);
    GifImage image;
    if (talix::image::DecodeGifFirstImage(one.data(), one.size(), &image))
      talix::image::DrawGifImage(image, &canvas);
    HBITMAP frame = StoreDecoded(canvas.bgr.data(), width, height, type, index + i);
    if (!frame) return nullptr;
    SetFrameDelay(type, index + i, f.m_nDelay[i] * 10);
    if (i == 0) first = frame;
  }
  return first;
}
