// The process's FreeType library and fontconfig configuration, and the one lock that
// serialises all use of them (FreeType faces are not thread-safe; GDI objects may be used
// from several threads).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>

namespace talix::gdi {

// Held by every realised font, so FreeType outlives the last face whatever the order of
// static destruction.
class FontLibrary {
 public:
  FontLibrary();
  ~FontLibrary();
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  FT_Library FreeType() const { return freetype_; }
  FcConfig* Fontconfig() const { return config_; }
  // FreeType load flags from the configuration's hinting settings (hintstyle, hinting).
  FT_Int32 HintingLoadFlags() const { return hintFlags_; }

 private:
  FT_Library freetype_ = nullptr;
  FcConfig* config_ = nullptr;
  FT_Int32 hintFlags_ = FT_LOAD_DEFAULT;
};

std::shared_ptr<FontLibrary> SharedFontLibrary();
std::recursive_mutex& FontLock();

}  // namespace talix::gdi
