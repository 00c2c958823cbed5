// libjpeg error handling that jumps back to the caller instead of exiting the process.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace talix::image {

struct JpegErrorJump {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

// Installs the jumping handler; the caller sets `jump` with setjmp before any library call.
inline jpeg_error_mgr* InstallJpegErrorJump(JpegErrorJump* error) {
  jpeg_std_error(&error->manager);
  error->manager.error_exit = [](j_common_ptr info) {
    longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1);
  };
  error->manager.output_message = [](j_common_ptr) {};
  return &error->manager;
}

}  // namespace talix::image
