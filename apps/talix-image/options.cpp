// Parsing talix-image's command line (see options.h).
#include "apps/talix-image/options.h"

#include <cctype>
#include <cstdlib>

namespace talix::tools {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A whole decimal number within [low, high].
bool ParseNumber(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  const long number = std::strtol(text.c_str(), nullptr, 10);
  if (number < low || number > high) return false;
  *value = int(number);
  return true;
}

struct Parser {
  const std::vector<std::string>& args;
  Options* options;
  std::string* error;
  size_t next = 1;
  bool formatGiven = false;

  bool Fail(const std::string& reason) {
    *error = reason;
    return false;
  }
  bool Value(const std::string& option, std::string* value) {
    if (next >= args.size()) return Fail("missing value after " + option);
    *value = args[next++];
    return true;
  }
  // Options of `convert`; resize only has --dither.
  bool Option(const std::string& option) {
    std::string value;
    if (options->command == Command::kResize) {
      if (option != "--dither") return Fail("unknown option " + option);
      options->dither = true;
      return true;
    }
    if (option == "--no-diffusion") {
      options->diffusion = false;
      return true;
    }
    if (option == "--format") {
      formatGiven = true;
      return Value(option, &value) && (FormatFromName(value, &options->format) || Fail("unknown format " + value));
    }
    if (option == "--frame") {
      return Value(option, &value) && (ParseNumber(value, 0, 511, &options->frame) || Fail("bad frame " + value));
    }
    if (option == "--quality") {
      return Value(option, &value) && (ParseNumber(value, 0, 100, &options->quality) || Fail("bad quality " + value));
    }
    return Fail("unknown option " + option);
  }
};

}  // namespace

bool FormatFromName(const std::string& name, Format* format) {
  const std::string n = Lower(name);
  if (n == "gif") *format = Format::kGif;
  else if (n == "jpeg" || n == "jpg") *format = Format::kJpeg;
  else if (n == "bmp") *format = Format::kBmp;
  else if (n == "png") *format = Format::kPng;
  else if (n == "ota" || n == "otb") *format = Format::kOta;
  else if (n == "wbmp") *format = Format::kWbmp;
  else return false;
  return true;
}

bool FormatFromPath(const std::string& path, Format* format) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  return FormatFromName(path.substr(dot + 1), format);
}

const char* FormatName(Format format) {
  static const char* const kNames[] = {"gif", "jpeg", "bmp", "png", "ota", "wbmp"};
  return kNames[int(format)];
}

bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error) {
  Parser p{args, options, error};
  if (args.empty()) return p.Fail("no command");
  const std::string& command = args[0];
  size_t positional = 0;
  if (command == "info") options->command = Command::kInfo, positional = 1;
  else if (command == "convert") options->command = Command::kConvert, positional = 2;
  else if (command == "resize") options->command = Command::kResize, positional = 4;
  else return p.Fail("unknown command " + command);

  std::vector<std::string> values;
  while (p.next < args.size()) {
    const std::string& arg = args[p.next++];
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      if (options->command == Command::kInfo) return p.Fail("unknown option " + arg);
      if (!p.Option(arg)) return false;
    } else {
      values.push_back(arg);
    }
  }
  if (values.size() != positional) return p.Fail(command + " takes " + std::to_string(positional) + " file or size arguments");
  options->input = values[0];
  if (positional >= 2) options->output = values[1];
  if (options->command == Command::kResize &&
      (!ParseNumber(values[2], 1, 4096, &options->width) || !ParseNumber(values[3], 1, 4096, &options->height)))
    return p.Fail("bad size " + values[2] + " x " + values[3]);
  if (!p.formatGiven && positional >= 2 && !FormatFromPath(options->output, &options->format))
    return p.Fail("no picture format for " + options->output);
  return true;
}

}  // namespace talix::tools
