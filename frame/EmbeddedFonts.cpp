// The embedded-font table.
#include "frame/EmbeddedFonts.h"

#include <cstring>

namespace talix::frame {
namespace {

EmbeddedFontTable& Table() {
  static EmbeddedFontTable table;
  return table;
}

// Adds one font resource from a private copy of its bytes (the resource memory is the
// module's); null when the resource is missing, empty or not a font.
HANDLE AddFontResource(HMODULE module, UINT id) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), u"TTF");
  if (!info) return nullptr;
  const DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  HANDLE font = nullptr;
  void* copy = (bytes && size > 0) ? reinterpret_cast<void*>(GlobalAlloc(GPTR, size)) : nullptr;
  if (copy) {
    std::memcpy(copy, bytes, size);
    DWORD faces = 0;
    font = AddFontMemResourceEx(copy, size, nullptr, &faces);
    GlobalFree(reinterpret_cast<HGLOBAL>(copy));
  }
  if (loaded) FreeResource(loaded);
  return font;
}

}  // namespace

const EmbeddedFontTable& EmbeddedFonts() { return Table(); }

void LoadEmbeddedFonts(HMODULE module) {
  EmbeddedFontTable& table = Table();
  if (table.loaded) return;
  for (int slot = 0; slot < kEmbeddedFontCount; ++slot)
    table.fonts[slot] = AddFontResource(module, kEmbeddedFontIds[slot]);
  table.loaded = true;
}

void RemoveEmbeddedFonts() {
  for (HANDLE& font : Table().fonts) {
    if (font) RemoveFontMemResourceEx(font);
    font = nullptr;
  }
}

void ForgetEmbeddedFonts() {
  RemoveEmbeddedFonts();
  Table().loaded = false;
}

}  // namespace talix::frame
