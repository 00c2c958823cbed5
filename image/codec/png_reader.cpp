// PNG reading through libpng, from a file or from memory. 8- and 16-bit RGB and RGBA,
// 8-bit palette, 8- and 16-bit grey with or without alpha; below 8 bits per pixel the
// picture is refused. An 8-bit RGBA picture loaded into BT_IMAGE also fills BT_ALPHA
// with 255 - alpha at the same index.
//
// Choices: palette indices past the palette give black; 16-bit grey with alpha takes the
// high grey byte and gives no mask (as other 16-bit alpha). When a picture without such
// a mask replaces BT_IMAGE, the old BT_ALPHA frame of that index stays (callers may rely
// on keeping their mask).
#include "image/NBitmapUtil.h"
#include "image/codec/picture.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct MemoryReader {
  const BYTE* data;
  size_t size;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (count > reader->size - reader->at) png_error(png, "read past the end of the data");
  std::memcpy(out, reader->data + reader->at, count);
  reader->at += count;
}

void IgnoreWarning(png_structp, png_const_charp) {}

struct ReadStructs {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ReadStructs() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (png) info = png_create_info_struct(png);
  }
  ~ReadStructs() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  }
  bool ok() const { return png && info; }
};

// Working buffers of one decode, made before the error return point is set.
struct PngBuffers {
  std::vector<BYTE> raw;       // the rows as libpng gives them
  std::vector<png_bytep> rows;
  std::vector<BYTE> bgr;       // packed top-down output
  std::vector<BYTE> mask;      // packed grey, only for 8-bit RGBA
};

// Converts one decoded row to B, G, R (and the mask row when given).
void ConvertRow(const BYTE* src, int width, int colourType, int depth, png_colorp palette,
                int paletteSize, BYTE* out, BYTE* mask) {
  const int step = depth / 8;  // bytes per sample
  for (int x = 0; x < width; ++x, out += 3) {
    switch (colourType) {
      case PNG_COLOR_TYPE_RGB:
      case PNG_COLOR_TYPE_RGB_ALPHA: {
        const int channels = colourType == PNG_COLOR_TYPE_RGB ? 3 : 4;
        const BYTE* p = src + size_t(x) * channels * step;
        out[0] = p[2 * step], out[1] = p[step], out[2] = p[0];
        if (mask) mask[3 * x] = mask[3 * x + 1] = mask[3 * x + 2] = BYTE(255 - p[3]);
        break;
      }
      case PNG_COLOR_TYPE_PALETTE: {
        const int i = src[x];
        const png_color c = i < paletteSize ? palette[i] : png_color{0, 0, 0};
        out[0] = c.blue, out[1] = c.green, out[2] = c.red;
        break;
      }
      default: {  // grey, grey with alpha: the high (or only) grey byte
        const int channels = colourType == PNG_COLOR_TYPE_GRAY ? 1 : 2;
        out[0] = out[1] = out[2] = src[size_t(x) * channels * step];
      }
    }
  }
}

}  // namespace

HBITMAP CNBitmapUtil::LoadPNGFile(const WCHAR* fileName, BitmapType type, int index) {
  FILE* file = fileName ? _wfopen(fileName, u"rb") : nullptr;
  if (!file) return Fail<HBITMAP>(QUO_ERR_FILE_OPEN, nullptr);
  BYTE signature[8];
  const bool isPng = fread(signature, 1, 8, file) == 8 && png_sig_cmp(signature, 0, 8) == 0;
  HBITMAP frame = nullptr;
  if (!isPng) {
    m_nLastError = QUO_ERR_BAD_FORMAT;
  } else if (ReadStructs s; !s.ok()) {
    m_nLastError = QUO_ERR_PNG;
  } else {
    png_init_io(s.png, file);
    png_set_sig_bytes(s.png, 8);
    frame = LoadPNG(s.png, s.info, type, index);
  }
  fclose(file);
  return frame;
}

HBITMAP CNBitmapUtil::LoadPNGFromMem(const BYTE* data, DWORD size, BitmapType type, int index) {
  if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  ReadStructs s;
  if (!s.ok()) return Fail<HBITMAP>(QUO_ERR_PNG, nullptr);
  MemoryReader reader{data, size, 8};
  png_set_read_fn(s.png, &reader, ReadFromMemory);
  png_set_sig_bytes(s.png, 8);
  return LoadPNG(s.png, s.info, type, index);
}

HBITMAP CNBitmapUtil::LoadPNG(png_struct_def* png, png_info_def* info, BitmapType type, int index) {
  if (!png || !info) return Fail<HBITMAP>(QUO_ERR_PNG, nullptr);
  if (!IsSlot(type)) return Fail<HBITMAP>(QUO_ERR_NO_SLOT, nullptr);
  if (!IsFrameIndex(index)) return Fail<HBITMAP>(QUO_ERR_PARAM4, nullptr);
  std::unique_ptr<PngBuffers> buffers(new (std::nothrow) PngBuffers);
  if (!buffers) return Fail<HBITMAP>(QUO_ERR_PNG, nullptr);
  // libpng jumps back here on any error; only libpng's own frames lie in between.
  if (setjmp(png_jmpbuf(png))) return Fail<HBITMAP>(QUO_ERR_PNG, nullptr);
  png_read_info(png, info);
  const int width = int(png_get_image_width(png, info));
  const int height = int(png_get_image_height(png, info));
  const int depth = png_get_bit_depth(png, info);
  const int colourType = png_get_color_type(png, info);
  const int bitsPerPixel = depth * png_get_channels(png, info);
  if (bitsPerPixel < 8 || depth < 8) return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  if (!talix::image::FrameSizeAllowed(width, height)) return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  const bool withMask = colourType == PNG_COLOR_TYPE_RGB_ALPHA && depth == 8;
  PngBuffers& b = *buffers;
  try {
    b.raw.resize(rowBytes * size_t(height));
    b.rows.resize(size_t(height));
    b.bgr.resize(size_t(width) * 3 * size_t(height));
    if (withMask) b.mask.resize(b.bgr.size());
  } catch (const std::bad_alloc&) {
    return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  }
  for (int y = 0; y < height; ++y) b.rows[size_t(y)] = b.raw.data() + size_t(y) * rowBytes;
  png_read_image(png, b.rows.data());
  png_read_end(png, nullptr);
  png_colorp palette = nullptr;
  int paletteSize = 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_get_PLTE(png, info, &palette, &paletteSize);
  const size_t packedRow = size_t(width) * 3;
  for (int y = 0; y < height; ++y)
    ConvertRow(b.rows[size_t(y)], width, colourType, depth, palette, paletteSize,
               b.bgr.data() + size_t(y) * packedRow, withMask ? b.mask.data() + size_t(y) * packedRow : nullptr);
  HBITMAP frame = StoreDecoded(b.bgr.data(), width, height, type, index);
  if (frame && withMask && type == BT_IMAGE &&
      !StoreDecoded(b.mask.data(), width, height, BT_ALPHA, index))
    return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
  return frame;
}
