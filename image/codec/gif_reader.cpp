#include "image/codec/gif_reader.h"

#include <gif_lib.h>

#include <cstring>

namespace talix::image {
namespace {

struct MemorySource {
  const uint8_t* data;
  size_t size;
  size_t at;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count) {
  auto* source = static_cast<MemorySource*>(gif->UserData);
  const size_t left = source->size - source->at;
  const size_t n = size_t(count) < left ? size_t(count) : left;
  std::memcpy(buffer, source->data + source->at, n);
  source->at += n;
  return int(n);
}

struct GifCloser {
  GifFileType* gif;
  ~GifCloser() {
    int error = 0;
    if (gif) DGifCloseFile(gif, &error);
  }
};

// The transparent index of a graphic control block, -1 when it gives none.
int TransparentIndex(const GifByteType* block) {
  return block[0] >= 4 && (block[1] & 1) ? block[4] : -1;
}

// Reads the rows of the current image in stored order into their picture rows.
bool ReadRows(GifFileType* gif, std::vector<uint8_t>* indices) {
  const int width = gif->Image.Width, height = gif->Image.Height;
  static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  const int passes = gif->Image.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = passes == 1 ? 0 : kStart[pass], step = passes == 1 ? 1 : kStep[pass];
    for (int y = start; y < height; y += step)
      if (DGifGetLine(gif, indices->data() + size_t(y) * size_t(width), width) != GIF_OK) return false;
  }
  return true;
}

void ColourImage(const GifFileType* gif, const std::vector<uint8_t>& indices, int transparent,
                 GifImage* out) {
  const ColorMapObject* map = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
  const size_t count = indices.size();
  out->opaque.assign(count, 1);
  for (size_t i = 0; i < count; ++i) {
    const int index = indices[i];
    uint8_t* p = out->pixels.bgr.data() + 3 * i;
    if (index == transparent) out->opaque[i] = 0;
    if (map && index < map->ColorCount) {
      const GifColorType& c = map->Colors[index];
      p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red;
    } else {
      p[0] = p[1] = p[2] = 0;
    }
  }
}

bool ReadFirstImage(GifFileType* gif, GifImage* out) {
  int transparent = -1;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(gif, &record) != GIF_OK) return false;
    if (record == TERMINATE_RECORD_TYPE) return false;
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
      if (code == GRAPHICS_EXT_FUNC_CODE && block) transparent = TransparentIndex(block);
      while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK) return false;
    const GifImageDesc& desc = gif->Image;
    if (!out->pixels.Allocate(desc.Width, desc.Height)) return false;
    std::vector<uint8_t> indices(size_t(desc.Width) * size_t(desc.Height));
    if (!ReadRows(gif, &indices)) return false;
    out->left = desc.Left;
    out->top = desc.Top;
    ColourImage(gif, indices, transparent, out);
    return true;
  }
}

}  // namespace

bool DecodeGifFirstImage(const uint8_t* data, size_t size, GifImage* out) {
  if (size < 13 || std::memcmp(data, "GIF", 3) != 0) return false;
  MemorySource source{data, size, 0};
  int error = 0;
  GifCloser gif{DGifOpen(&source, ReadFromMemory, &error)};
  if (!gif.gif) return false;
  const GifFileType* g = gif.gif;
  if (!ReadFirstImage(gif.gif, out)) return false;
  out->screenWidth = g->SWidth ? g->SWidth : out->pixels.width;
  out->screenHeight = g->SHeight ? g->SHeight : out->pixels.height;
  if (!FrameSizeAllowed(out->screenWidth, out->screenHeight)) return false;
  if (g->SColorMap && g->SBackGroundColor < g->SColorMap->ColorCount) {
    const GifColorType& c = g->SColorMap->Colors[g->SBackGroundColor];
    out->background = uint32_t(c.Red) | uint32_t(c.Green) << 8 | uint32_t(c.Blue) << 16;
  }
  return true;
}

void DrawGifImage(const GifImage& image, Picture* canvas) {
  const Picture& src = image.pixels;
  for (int y = 0; y < src.height; ++y) {
    const int64_t cy = int64_t(image.top) + y;
    if (cy < 0 || cy >= canvas->height) continue;
    for (int x = 0; x < src.width; ++x) {
      const int64_t cx = int64_t(image.left) + x;
      const size_t i = size_t(y) * size_t(src.width) + size_t(x);
      if (cx < 0 || cx >= canvas->width || !image.opaque[i]) continue;
      std::memcpy(canvas->Pixel(int(cx), int(cy)), src.bgr.data() + 3 * i, 3);
    }
  }
}

}  // namespace talix::image
