// The command line of talix-gallery:
//   talix-gallery [--out DIR] [--scene NAME] [--headless] [--list]
// Every scene is drawn left-to-right and right-to-left at 100% and 125% and written as
// DIR/<scene>-<ltr|rtl>-<scale>.png. With a display (DISPLAY set, no --headless) the
// gallery then stays open on the screen until its window is closed.
#pragma once

#include <string>
#include <vector>

namespace talix::gallery {

struct Options {
  std::string outDir = "out/gallery";
  std::string scene;  // empty: every scene
  bool headless = false;
  bool list = false;
};

// Parses the arguments after the program name; false with a reason in *error.
bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error);

}  // namespace talix::gallery
