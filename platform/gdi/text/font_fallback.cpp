#include "platform/gdi/text/font_fallback.h"

#include <map>
#include <string>
#include <tuple>

namespace talix::gdi {

namespace {

constexpr size_t kLookupLimit = 4096;
constexpr size_t kFaceLimit = 32;

// A font file's face.
struct FaceFile {
  std::string path;
  int index = 0;
  bool operator<(const FaceFile& o) const {
    return std::tie(path, index) < std::tie(o.path, o.index);
  }
};

// What the fallback must match of the primary: its size and style.
struct Style {
  FT_Fixed xScale = 0, yScale = 0;
  LONG weight = FW_NORMAL;
  bool italic = false;
  bool operator<(const Style& o) const {
    return std::tie(xScale, yScale, weight, italic) <
           std::tie(o.xScale, o.yScale, o.weight, o.italic);
  }
};

Style StyleOf(RealizedFont& font) {
  const FT_Size_Metrics& size = font.Face()->size->metrics;
  return Style{size.x_scale, size.y_scale, font.Metrics().tmWeight, font.Metrics().tmItalic != 0};
}

// The primary face and style a lookup was made for (faces of the same file at the
// same size and style share their fallbacks).
std::string PrimaryKey(RealizedFont& font, const Style& style) {
  FT_Face face = font.Face();
  std::string key = face->family_name ? face->family_name : "";
  key += '\n';
  key += face->style_name ? face->style_name : "";
  key += '\n' + std::to_string(style.xScale) + ',' + std::to_string(style.yScale) + ',' +
         std::to_string(style.weight) + ',' + std::to_string(style.italic);
  return key;
}

// The first face in fontconfig's order of preference that has the character.
bool FindFaceFile(FontLibrary& library, RealizedFont& primary, const Style& style, char32_t code,
                  FaceFile* out, int* weight, bool* italic) {
  FcPattern* pattern = FcPatternCreate();
  if (primary.Face()->family_name)
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(primary.Face()->family_name));
  FcCharSet* charset = FcCharSetCreate();
  FcCharSetAddChar(charset, code);
  FcPatternAddCharSet(pattern, FC_CHARSET, charset);
  FcCharSetDestroy(charset);
  FcPatternAddInteger(pattern, FC_WEIGHT, int(FcWeightFromOpenType(int(style.weight))));
  FcPatternAddInteger(pattern, FC_SLANT, style.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(library.Fontconfig(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* fonts = FcFontSort(library.Fontconfig(), pattern, FcTrue, nullptr, &result);
  FcPatternDestroy(pattern);
  bool found = false;
  for (int i = 0; fonts && i < fonts->nfont && !found; ++i) {
    FcPattern* font = fonts->fonts[i];
    FcCharSet* has = nullptr;
    FcChar8* file = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &has) != FcResultMatch ||
        !FcCharSetHasChar(has, code) ||
        FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
      continue;
    int index = 0, fcWeight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    FcPatternGetInteger(font, FC_WEIGHT, 0, &fcWeight);
    FcPatternGetInteger(font, FC_SLANT, 0, &slant);
    *out = FaceFile{reinterpret_cast<const char*>(file), index};
    *weight = int(FcWeightToOpenType(fcWeight));
    *italic = slant != FC_SLANT_ROMAN;
    found = true;
  }
  if (fonts) FcFontSetDestroy(fonts);
  return found;
}

// The face realised at the primary's em size, simulating what the primary simulates.
std::shared_ptr<RealizedFont> Realize(const std::shared_ptr<FontLibrary>& library,
                                      RealizedFont& primary, const Style& style,
                                      const FaceFile& file, int faceWeight, bool faceItalic) {
  FT_Face face = nullptr;
  if (FT_New_Face(library->FreeType(), file.path.c_str(), file.index, &face) != 0) return nullptr;
  auto font = std::make_shared<RealizedFont>(library, face, nullptr);
  LOGFONTW lf{};
  double em = primary.Face()->units_per_EM * (double(style.yScale) / 65536.0) / 64.0;
  lf.lfHeight = -std::max(1L, long(em + 0.5));
  lf.lfWeight = style.weight;
  lf.lfItalic = style.italic;
  bool synthBold = style.weight >= 600 && faceWeight < 600;
  bool synthItalic = style.italic && !faceItalic;
  font->Configure(lf, synthBold, synthItalic, library->HintingLoadFlags());
  return font;
}

struct Caches {
  std::map<std::pair<std::string, char32_t>, std::shared_ptr<RealizedFont>> byCharacter;
  std::map<std::pair<FaceFile, Style>, std::shared_ptr<RealizedFont>> faces;
};

Caches& TheCaches() {
  static Caches* caches = new Caches;  // used under FontLock() until the process ends
  return *caches;
}

}  // namespace

std::shared_ptr<RealizedFont> FallbackFontFor(RealizedFont& primary, char32_t code) {
  auto library = SharedFontLibrary();
  if (!library->Fontconfig() || !primary.Face()->size) return nullptr;
  Caches& caches = TheCaches();
  const Style style = StyleOf(primary);
  auto key = std::make_pair(PrimaryKey(primary, style), code);
  auto known = caches.byCharacter.find(key);
  if (known != caches.byCharacter.end()) return known->second;

  std::shared_ptr<RealizedFont> font;
  FaceFile file;
  int weight = 400;
  bool italic = false;
  if (FindFaceFile(*library, primary, style, code, &file, &weight, &italic)) {
    auto& slot = caches.faces[{file, style}];
    if (!slot) slot = Realize(library, primary, style, file, weight, italic);
    font = slot;
  }
  // Bounded: dropping the maps only drops references; text being drawn keeps its own.
  if (caches.byCharacter.size() >= kLookupLimit) caches.byCharacter.clear();
  if (caches.faces.size() > kFaceLimit) caches.faces.clear();
  caches.byCharacter.emplace(key, font);
  return font;
}

}  // namespace talix::gdi
