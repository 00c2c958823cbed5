// Limits: a font collection (.ttc) contributes every face it holds; only the family
// name FreeType reports is matched (not localised names from the name table).
#include "platform/gdi/font/memory_fonts.h"

#include "platform/gdi/font/font_library.h"
#include "platform/kernel/handle_table.h"
#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <win/text.h>
#include <win/wstr.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace talix::gdi {

namespace {

struct FontResource {
  std::vector<MemoryFace> faces;
  std::u16string path;  // for files added by name; empty for memory fonts
};

HandleTable<FontResource>& Resources() {
  static HandleTable<FontResource> table(HandleKind::FontResource);
  return table;
}

std::atomic<uint64_t> generation{1};

// The faces of a font file: none when FreeType cannot read it.
std::vector<MemoryFace> ReadFaces(const FontBytes& bytes) {
  std::vector<MemoryFace> faces;
  std::lock_guard<std::recursive_mutex> lock(FontLock());
  auto library = SharedFontLibrary();
  if (!library->FreeType() || bytes->size() < 12) return faces;
  FT_Long count = 1;
  for (FT_Long i = 0; i < count && i < 64; ++i) {
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library->FreeType(), bytes->data(), FT_Long(bytes->size()), i,
                           &face) != 0)
      break;
    count = face->num_faces;
    if (FT_IS_SCALABLE(face) && face->family_name) {
      MemoryFace entry;
      entry.bytes = bytes;
      entry.index = int(i);
      entry.family = FromUtf8(face->family_name);
      entry.weight = (face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
      entry.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
      faces.push_back(std::move(entry));
    }
    FT_Done_Face(face);
  }
  return faces;
}

HANDLE AddResource(FontResource resource) {
  if (resource.faces.empty()) return nullptr;
  uint32_t value = Resources().Add(std::make_shared<FontResource>(std::move(resource)));
  if (value) generation.fetch_add(1);
  return value ? HandleFromValue<HANDLE>(value) : nullptr;
}

int StyleDistance(const MemoryFace& face, int weight, bool italic) {
  return std::abs(face.weight - weight) + (face.italic != italic ? 1000 : 0);
}

}  // namespace

std::optional<MemoryFace> FindMemoryFace(const std::u16string& family, int weight, bool italic) {
  std::optional<MemoryFace> best;
  int bestDistance = 0;
  Resources().ForEach([&](uint32_t, FontResource* resource) {
    for (const MemoryFace& face : resource->faces) {
      if (_wcsicmp(face.family.c_str(), family.c_str()) != 0) continue;
      int distance = StyleDistance(face, weight, italic);
      if (!best || distance < bestDistance) {
        best = face;
        bestDistance = distance;
      }
    }
  });
  return best;
}

uint64_t MemoryFontGeneration() { return generation.load(); }

}  // namespace talix::gdi

using namespace talix;
using namespace talix::gdi;

HANDLE AddFontMemResourceEx(PVOID pFileView, DWORD cjSize, PVOID pvResrved, DWORD* pNumFonts) {
  if (!pFileView || cjSize == 0 || pvResrved || !pNumFonts) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const auto* data = static_cast<const uint8_t*>(pFileView);
  auto bytes = std::make_shared<const std::vector<uint8_t>>(data, data + cjSize);
  FontResource resource;
  resource.faces = ReadFaces(bytes);
  DWORD count = DWORD(resource.faces.size());
  HANDLE handle = AddResource(std::move(resource));
  if (handle) *pNumFonts = count;
  return handle;
}

BOOL RemoveFontMemResourceEx(HANDLE h) {
  auto resource = Resources().Take(ValueOfHandle(h));
  if (!resource || !resource->path.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  generation.fetch_add(1);
  return TRUE;
}

int AddFontResourceExW(LPCWSTR name, DWORD fl, PVOID res) {
  if (!name || res || !(fl & FR_PRIVATE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::ifstream file(ResolveHostPath(name), std::ios::binary);
  if (!file) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  auto bytes = std::make_shared<const std::vector<uint8_t>>(
      std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  FontResource resource;
  resource.faces = ReadFaces(bytes);
  resource.path = name;
  int count = int(resource.faces.size());
  return AddResource(std::move(resource)) ? count : 0;
}

BOOL RemoveFontResourceExW(LPCWSTR name, DWORD fl, PVOID pdv) {
  if (!name || pdv) return FALSE;
  (void)fl;
  uint32_t found = 0;
  Resources().ForEach([&](uint32_t value, FontResource* resource) {
    if (!found && !resource->path.empty() && _wcsicmp(resource->path.c_str(), name) == 0)
      found = value;
  });
  if (!found || !Resources().Take(found)) return FALSE;
  generation.fetch_add(1);
  return TRUE;
}
