#include "apps/gallery/scene.h"

namespace talix::gallery {

std::string Variant::FileSuffix() const {
  return std::string(rightToLeft ? "rtl-" : "ltr-") + std::to_string(scalePercent);
}

const std::vector<Variant>& AllVariants() {
  static const std::vector<Variant> variants = {
      {false, 100}, {true, 100}, {false, 125}, {true, 125}};
  return variants;
}

}  // namespace talix::gallery
