// JPEG files through libjpeg: 3 components, RGB, library defaults with the store's
// quality, one scan line per call.
#include "image/codec/file_bytes.h"
#include "image/codec/jpeg_error.h"
#include "image/codec/writers.h"

#include <new>
#include <vector>

namespace talix::image {
namespace {

// The libjpeg calls; the error handler jumps back here. No objects with destructors.
bool EncodeWithJump(jpeg_compress_struct* jpeg, JpegErrorJump* error, FILE* file, int width,
                    int height, int quality, uint8_t* rgb) {
  if (setjmp(error->jump)) return false;
  jpeg_create_compress(jpeg);
  jpeg_stdio_dest(jpeg, file);
  jpeg->image_width = JDIMENSION(width);
  jpeg->image_height = JDIMENSION(height);
  jpeg->input_components = 3;
  jpeg->in_color_space = JCS_RGB;
  jpeg_set_defaults(jpeg);
  jpeg_set_quality(jpeg, quality, TRUE);
  jpeg_start_compress(jpeg, TRUE);
  while (jpeg->next_scanline < jpeg->image_height) {
    JSAMPROW row = rgb + size_t(jpeg->next_scanline) * size_t(width) * 3;
    jpeg_write_scanlines(jpeg, &row, 1);
  }
  jpeg_finish_compress(jpeg);
  return true;
}

// Packed R, G, B rows, top row first.
bool RepackRgb(const FrameRows& frame, std::vector<uint8_t>* rgb) {
  try {
    rgb->resize(size_t(frame.width) * 3 * size_t(frame.height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  uint8_t* out = rgb->data();
  for (int y = 0; y < frame.height; ++y) {
    const uint8_t* src = frame.rows + size_t(frame.height - 1 - y) * size_t(frame.rowSize);
    for (int x = 0; x < frame.width; ++x, src += 3, out += 3) out[0] = src[2], out[1] = src[1], out[2] = src[0];
  }
  return true;
}

}  // namespace

int WriteJpegFile(const WCHAR* path, const FrameRows& frame, int quality, QUOError* error) {
  std::vector<uint8_t> rgb;
  if (!RepackRgb(frame, &rgb)) {
    *error = CNBitmapUtil::QUO_ERR_GDI;
    return 0;
  }
  FILE* file = _wfopen(path, u"wb");
  if (!file) {
    *error = CNBitmapUtil::QUO_ERR_FILE_WRITE;
    return 0;
  }
  jpeg_compress_struct jpeg{};
  JpegErrorJump jump;
  jpeg.err = InstallJpegErrorJump(&jump);
  const bool ok = EncodeWithJump(&jpeg, &jump, file, frame.width, frame.height, quality, rgb.data());
  jpeg_destroy_compress(&jpeg);
  return FinishWrittenFile(path, file, ok, CNBitmapUtil::QUO_ERR_ENCODE, error);
}

}  // namespace talix::image
