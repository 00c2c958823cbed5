// Test support: libjpeg's own decode of a JPEG file in memory, as packed top-down BGR rows,
// the reference the store's reader and writer are compared with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs size_t and FILE declared first
#include <vector>

#include <jpeglib.h>

namespace storetest {

inline std::vector<uint8_t> LibjpegDecodeBgr(const std::vector<uint8_t>& file, int* width = nullptr,
                                             int* height = nullptr) {
  jpeg_decompress_struct jpeg{};
  jpeg_error_mgr error;
  jpeg.err = jpeg_std_error(&error);
  jpeg_create_decompress(&jpeg);
  jpeg_mem_src(&jpeg, file.data(), file.size());
  jpeg_read_header(&jpeg, TRUE);
  jpeg.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&jpeg);
  if (width) *width = int(jpeg.output_width);
  if (height) *height = int(jpeg.output_height);
  std::vector<uint8_t> out(size_t(jpeg.output_width) * 3 * jpeg.output_height);
  while (jpeg.output_scanline < jpeg.output_height) {
    JSAMPROW row = out.data() + size_t(jpeg.output_scanline) * jpeg.output_width * 3;
    jpeg_read_scanlines(&jpeg, &row, 1);
  }
  jpeg_finish_decompress(&jpeg);
  jpeg_destroy_decompress(&jpeg);
  return out;
}

}  // namespace storetest
