#include "image/codec/jpeg_reader.h"

#include "image/codec/jpeg_error.h"

namespace talix::image {
namespace {

// The decoding steps that may jump; kept free of objects with destructors.
bool DecodeWithJump(jpeg_decompress_struct* jpeg, JpegErrorJump* error, const uint8_t* data,
                    size_t size, Picture* out) {
  if (setjmp(error->jump)) return false;
  jpeg_create_decompress(jpeg);
  jpeg_mem_src(jpeg, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(jpeg, TRUE) != JPEG_HEADER_OK) return false;
  if (jpeg->jpeg_color_space == JCS_CMYK || jpeg->jpeg_color_space == JCS_YCCK) return false;
  if (!FrameSizeAllowed(jpeg->image_width, jpeg->image_height)) return false;
  jpeg->out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(jpeg);
  if (!out->Allocate(int(jpeg->output_width), int(jpeg->output_height))) return false;
  while (jpeg->output_scanline < jpeg->output_height) {
    JSAMPROW row = out->Pixel(0, int(jpeg->output_scanline));
    if (jpeg_read_scanlines(jpeg, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(jpeg);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, Picture* out) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
  jpeg_decompress_struct jpeg{};
  JpegErrorJump error;
  jpeg.err = InstallJpegErrorJump(&error);
  const bool ok = DecodeWithJump(&jpeg, &error, data, size, out);
  jpeg_destroy_decompress(&jpeg);
  return ok;
}

}  // namespace talix::image
