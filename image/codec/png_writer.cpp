// PNG files through libpng: 8-bit RGB, no interlace, default compression and filters,
// sBIT 8, 8, 8; the rows are handed over in B, G, R order with png_set_bgr.
#include "image/codec/file_bytes.h"
#include "image/codec/writers.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace talix::image {
namespace {

void IgnoreWarning(png_structp, png_const_charp) {}

// The libpng calls; libpng jumps back here on error. No objects with destructors.
bool EncodeWithJump(png_structp png, png_infop info, FILE* file, const FrameRows& frame,
                    png_bytep* rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(frame.width), png_uint_32(frame.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color_8 significant{8, 8, 8, 0, 0};
  png_set_sBIT(png, info, &significant);
  png_write_info(png, info);
  png_set_bgr(png);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

}  // namespace

int WritePngFile(const WCHAR* path, const FrameRows& frame, QUOError* error) {
  std::vector<png_bytep> rows(size_t(frame.height));
  for (int y = 0; y < frame.height; ++y)  // top row first
    rows[size_t(y)] = const_cast<png_bytep>(frame.rows + size_t(frame.height - 1 - y) * size_t(frame.rowSize));
  FILE* file = _wfopen(path, u"wb");
  if (!file) {
    *error = CNBitmapUtil::QUO_ERR_FILE_WRITE;
    return 0;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const bool ok = info && EncodeWithJump(png, info, file, frame, rows.data());
  if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
  return FinishWrittenFile(path, file, ok, CNBitmapUtil::QUO_ERR_PNG, error);
}

}  // namespace talix::image
