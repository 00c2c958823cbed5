// talix-image: picture information, conversion and resizing with the library's image store.
// Exit status: 0 done, 1 bad input (or output that cannot be written), 2 bad arguments.
#include "apps/talix-image/commands.h"
#include "apps/talix-image/options.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: talix-image info FILE\n"
    "       talix-image convert IN OUT [--format gif|jpeg|bmp|png|ota|wbmp] [--frame N]\n"
    "                               [--quality 0-100] [--no-diffusion]\n"
    "       talix-image resize IN OUT WIDTH HEIGHT [--dither]\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  talix::tools::Options options;
  std::string error;
  if (!talix::tools::ParseOptions(args, &options, &error)) {
    std::fprintf(stderr, "talix-image: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  switch (options.command) {
    case talix::tools::Command::kInfo: return talix::tools::RunInfo(options, stdout);
    case talix::tools::Command::kConvert: return talix::tools::RunConvert(options);
    case talix::tools::Command::kResize: return talix::tools::RunResize(options);
  }
  return 2;
}
