#include "platform/gdi/font/font_library.h"

#include <win/types.h>

namespace talix::gdi {

namespace {

FT_Int32 LoadFlagsFor(FcConfig* config) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcBool hinting = FcTrue;
  int style = FC_HINT_FULL;
  FcPatternGetBool(pattern, FC_HINTING, 0, &hinting);
  FcPatternGetInteger(pattern, FC_HINT_STYLE, 0, &style);
  FcPatternDestroy(pattern);
  if (!hinting || style == FC_HINT_NONE) return FT_LOAD_NO_HINTING;
  if (style == FC_HINT_SLIGHT) return FT_LOAD_TARGET_LIGHT;
  return FT_LOAD_DEFAULT;
}

}  // namespace

FontLibrary::FontLibrary() {
  if (FT_Init_FreeType(&freetype_) != 0) freetype_ = nullptr;
  // A configuration of our own (FONTCONFIG_FILE decides which), destroyed with us.
  config_ = FcInitLoadConfigAndFonts();
  if (config_) hintFlags_ = LoadFlagsFor(config_);
}

FontLibrary::~FontLibrary() {
  if (config_) FcConfigDestroy(config_);
  if (freetype_) FT_Done_FreeType(freetype_);
}

std::shared_ptr<FontLibrary> SharedFontLibrary() {
  static std::shared_ptr<FontLibrary> library = std::make_shared<FontLibrary>();
  return library;
}

std::recursive_mutex& FontLock() {
  static std::recursive_mutex* mutex = new std::recursive_mutex;  // outlives every user
  return *mutex;
}

}  // namespace talix::gdi

// Leak checking: fontconfig keeps a few process-wide allocations of its own (made while
// substituting patterns) that it frees only when the whole library is shut down, which
// a process using fonts until its end never does.
extern "C" TALIX_EXPORT const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
