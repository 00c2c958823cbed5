#include "apps/gallery/options.h"

namespace talix::gallery {

bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--out" && hasValue) {
      options->outDir = args[++i];
    } else if (arg == "--scene" && hasValue) {
      options->scene = args[++i];
    } else if (arg == "--headless") {
      options->headless = true;
    } else if (arg == "--list") {
      options->list = true;
    } else if (arg == "--out" || arg == "--scene") {
      *error = arg + " needs a value";
      return false;
    } else {
      *error = "unknown argument '" + arg + "'";
      return false;
    }
  }
  if (options->outDir.empty()) {
    *error = "--out needs a folder";
    return false;
  }
  return true;
}

}  // namespace talix::gallery
