// A gallery scene: a window (with its children) that shows one part of the toolkit, built
// for a given layout and scale, captured as a picture.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace talix::gallery {

// One way of drawing every scene: layout and scale (100 = 96 DPI, 125 = 120 DPI).
struct Variant {
  bool rightToLeft = false;
  int scalePercent = 100;
  std::string FileSuffix() const;  // "ltr-100", "rtl-125", ...
};

// The variants every scene is drawn in.
const std::vector<Variant>& AllVariants();

class Scene {
 public:
  virtual ~Scene() = default;
  virtual const char* Name() const = 0;
  // Creates the scene's top-level window, hidden, at (0, 0) of the virtual screen; null
  // when it cannot. The library's layout and scale are already set for the variant.
  virtual HWND Create(const Variant& variant) = 0;
  // Called after the window is destroyed, to drop what the scene kept (skins, bitmaps).
  virtual void Release() {}
};

// Every scene of the gallery, in the order they are drawn.
std::vector<std::unique_ptr<Scene>> MakeAllScenes();

}  // namespace talix::gallery
