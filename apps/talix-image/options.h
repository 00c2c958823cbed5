// The command line of talix-image:
//   talix-image info FILE
//   talix-image convert IN OUT [--format gif|jpeg|bmp|png|ota|wbmp] [--frame N]
//                              [--quality 0-100] [--no-diffusion]
//   talix-image resize IN OUT WIDTH HEIGHT [--dither]
// The output format comes from OUT's extension unless --format names it.
#pragma once

#include <string>
#include <vector>

namespace talix::tools {

enum class Command { kInfo, kConvert, kResize };

// The store's BitmapFormat values.
enum class Format { kGif = 0, kJpeg = 1, kBmp = 2, kPng = 3, kOta = 4, kWbmp = 5 };

struct Options {
  Command command = Command::kInfo;
  std::string input, output;
  Format format = Format::kBmp;
  int frame = 0;
  int quality = -1;  // -1: the store's default
  bool diffusion = true;
  int width = 0, height = 0;
  bool dither = false;
};

// Parses the arguments after the program name; false with a reason in *error when they
// are not a valid command line.
bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error);

// The format named by a --format value or a file's extension (case ignored); false when
// none is.
bool FormatFromName(const std::string& name, Format* format);
bool FormatFromPath(const std::string& path, Format* format);
const char* FormatName(Format format);

}  // namespace talix::tools
