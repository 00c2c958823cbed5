// From a LOGFONTW to a face: fonts the process added (by family name) first, then the
// alias table (the Windows UI faces map to Liberation Sans), then fontconfig's best
// match, with DejaVu Sans as the fallback family.
#include "platform/gdi/font/realized_font.h"

#include "platform/kernel/utf.h"

#include <win/wstr.h>

#include <cstring>
#include <list>
#include <string>

namespace talix::gdi {

namespace {

constexpr size_t kRealizedCacheLimit = 48;

struct Alias {
  const char16_t* name;
  const char16_t* family;
};

// Faces the library names, mapped to metric-compatible free faces.
constexpr Alias kAliases[] = {
    {u"", u"Liberation Sans"},          {u"System", u"Liberation Sans"},
    {u"Arial", u"Liberation Sans"},     {u"MS Sans Serif", u"Liberation Sans"},
    {u"MS Shell Dlg", u"Liberation Sans"}, {u"MS Shell Dlg 2", u"Liberation Sans"},
    {u"Tahoma", u"Liberation Sans"},    {u"Segoe UI", u"Liberation Sans"},
    {u"Microsoft Sans Serif", u"Liberation Sans"}, {u"Helvetica", u"Liberation Sans"},
    {u"Times New Roman", u"Liberation Serif"}, {u"Courier New", u"Liberation Mono"},
    {u"Courier", u"Liberation Mono"},   {u"Fixedsys", u"Liberation Mono"},
    {u"Terminal", u"Liberation Mono"},
};

std::u16string FaceNameOf(const LOGFONTW& lf) {
  return std::u16string(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
}

std::u16string AliasOf(const std::u16string& name) {
  for (const Alias& alias : kAliases)
    if (_wcsicmp(alias.name, name.c_str()) == 0) return alias.family;
  return name;
}

int WeightOf(const LOGFONTW& lf) { return lf.lfWeight <= 0 ? 400 : int(lf.lfWeight); }

struct FoundFace {
  FT_Face face = nullptr;
  FontBytes bytes;
  int weight = 400;
  bool italic = false;
};

bool OpenMemoryFace(FontLibrary& library, const MemoryFace& memory, FoundFace* out) {
  if (FT_New_Memory_Face(library.FreeType(), memory.bytes->data(), FT_Long(memory.bytes->size()),
                         memory.index, &out->face) != 0)
    return false;
  out->bytes = memory.bytes;
  out->weight = memory.weight;
  out->italic = memory.italic;
  return true;
}

int FcWeightToWindows(int fcWeight) {
  return int(FcWeightToOpenType(fcWeight));
}

bool OpenFontconfigFace(FontLibrary& library, const std::u16string& family, int weight,
                        bool italic, FoundFace* out) {
  FcPattern* pattern = FcPatternCreate();
  std::string utf8 = ToUtf8(family);
  if (!utf8.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.c_str()));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
  FcPatternAddInteger(pattern, FC_WEIGHT, int(FcWeightFromOpenType(weight)));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(library.Fontconfig(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(library.Fontconfig(), pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file = nullptr;
  int index = 0, fcWeight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  bool opened = false;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &fcWeight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    opened = FT_New_Face(library.FreeType(), reinterpret_cast<const char*>(file), index,
                         &out->face) == 0;
    out->weight = FcWeightToWindows(fcWeight);
    out->italic = slant != FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return opened;
}

bool FindFace(FontLibrary& library, const LOGFONTW& lf, FoundFace* out) {
  int weight = WeightOf(lf);
  bool italic = lf.lfItalic != 0;
  std::u16string name = FaceNameOf(lf);
  for (const std::u16string& family : {name, AliasOf(name)}) {
    if (family.empty()) continue;
    if (auto memory = FindMemoryFace(family, weight, italic))
      if (OpenMemoryFace(library, *memory, out)) return true;
  }
  return OpenFontconfigFace(library, AliasOf(name), weight, italic, out);
}

std::shared_ptr<RealizedFont> Realize(const LOGFONTW& lf) {
  auto library = SharedFontLibrary();
  if (!library->FreeType() || !library->Fontconfig()) return nullptr;
  FoundFace found;
  if (!FindFace(*library, lf, &found)) return nullptr;
  auto font = std::make_shared<RealizedFont>(library, found.face, found.bytes);
  bool synthBold = WeightOf(lf) >= 600 && found.weight < 600;
  bool synthItalic = lf.lfItalic && !found.italic;
  font->Configure(lf, synthBold, synthItalic, library->HintingLoadFlags());
  return font;
}

// Realisations by LOGFONTW (face name compared up to its end) and fonts generation,
// most recently used first.
struct CacheEntry {
  std::string key;
  std::shared_ptr<RealizedFont> font;
};

std::string CacheKey(const LOGFONTW& lf) {
  LOGFONTW normal = lf;
  std::u16string name = FaceNameOf(lf);
  std::memset(normal.lfFaceName, 0, sizeof normal.lfFaceName);
  std::memcpy(normal.lfFaceName, name.data(), name.size() * sizeof(WCHAR));
  uint64_t generation = MemoryFontGeneration();
  std::string key(reinterpret_cast<const char*>(&normal), sizeof normal);
  key.append(reinterpret_cast<const char*>(&generation), sizeof generation);
  return key;
}

}  // namespace

std::shared_ptr<RealizedFont> RealizeFont(const LOGFONTW& logfont) {
  static std::list<CacheEntry>* cache = new std::list<CacheEntry>;
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  std::string key = CacheKey(logfont);
  for (auto it = cache->begin(); it != cache->end(); ++it) {
    if (it->key != key) continue;
    cache->splice(cache->begin(), *cache, it);
    return cache->front().font;
  }
  auto font = Realize(logfont);
  if (!font) return nullptr;
  cache->push_front(CacheEntry{key, font});
  if (cache->size() > kRealizedCacheLimit) cache->pop_back();
  return font;
}

}  // namespace talix::gdi
