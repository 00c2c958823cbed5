// LoadImageW, LoadIconW, LoadCursorW and LoadBitmapW: images from a module's resources,
// from files (LR_LOADFROMFILE) and the system's standard icons and cursors (null module).
//
// Shared images (LR_SHARED, and every LoadIconW/LoadCursorW) are cached per module, name,
// type and size and live as long as the process; DestroyIcon leaves them.
// Limits: no OBM_* system bitmaps, no LR_LOADTRANSPARENT / LR_LOADMAP3DCOLORS /
// LR_VGACOLOR; LR_MONOCHROME only affects the depth the best-fit choice aims at and
// compatible bitmaps. Files above kMaxImageFile bytes are refused.
#include "platform/gdi/icon/standard_art.h"
#include "platform/gdi/image_load/bitmap_load.h"
#include "platform/gdi/image_load/icon_dir.h"
#include "platform/gdi/image_load/icon_image.h"

#include <win/errors.h>
#include <win/file.h>
#include <win/module.h>

#include <map>
#include <mutex>
#include <string>
#include <tuple>

using namespace talix;
using namespace talix::gdi;

namespace {

constexpr LONGLONG kMaxImageFile = 64ll << 20;

bool ReadWholeFile(LPCWSTR path, std::vector<uint8_t>* out) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxImageFile;
  DWORD read = 0;
  if (ok) {
    out->resize(size_t(size.QuadPart));
    ok = ReadFile(file, out->data(), DWORD(out->size()), &read, nullptr) && read == out->size();
  }
  CloseHandle(file);
  if (!ok) SetLastError(ERROR_INVALID_DATA);
  return ok;
}

// The bytes of a resource, or null with the resource functions' error.
const uint8_t* ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type, size_t* size) {
  HRSRC info = FindResourceW(module, name, type);
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  const void* bits = data ? LockResource(data) : nullptr;
  *size = bits ? SizeofResource(module, info) : 0;
  return static_cast<const uint8_t*>(bits);
}

std::shared_ptr<IconObject> IconFromModule(HMODULE module, LPCWSTR name, bool icon, int cx,
                                           int cy, UINT flags) {
  size_t size = 0;
  const uint8_t* group = ResourceBytes(module, name, icon ? RT_GROUP_ICON : RT_GROUP_CURSOR, &size);
  if (!group) return nullptr;
  std::vector<IconDirEntry> entries;
  if (!ParseGroupDirectory(group, size, icon, &entries)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  int w = 0, h = 0;
  RequestedIconSize(icon, cx, cy, flags | LR_DEFAULTSIZE, &w, &h);
  int best = BestIconEntry(entries, w, h, DisplayDepthFor(flags));
  const uint8_t* bits = ResourceBytes(module, MAKEINTRESOURCEW(entries[best].idOrOffset),
                                      icon ? RT_ICON : RT_CURSOR, &size);
  if (!bits) return nullptr;
  auto image = IconFromResourceBytes(bits, size, icon, cx, cy, flags);
  if (!image) SetLastError(ERROR_INVALID_DATA);
  return image;
}

std::shared_ptr<IconObject> StandardImage(LPCWSTR name, bool icon, int cx, int cy, UINT flags) {
  if (!IS_INTRESOURCE(name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  int id = int(reinterpret_cast<uintptr_t>(name));
  int w = 0, h = 0;
  RequestedIconSize(icon, cx, cy, flags | LR_DEFAULTSIZE, &w, &h);
  auto image = icon ? DrawStandardIcon(id, w) : DrawStandardCursor(id);
  if (!image) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return ScaleIcon(*image, w, h);
}

// The cache of shared images: (module, name, type, cx, cy) -> handle.
using SharedKey = std::tuple<HINSTANCE, std::u16string, UINT, int, int>;

SharedKey KeyOf(HINSTANCE module, LPCWSTR name, UINT type, int cx, int cy) {
  std::u16string key = IS_INTRESOURCE(name)
                           ? u"#" + std::u16string(1, char16_t(reinterpret_cast<uintptr_t>(name)))
                           : std::u16string(name);
  for (char16_t& c : key)
    if (c >= u'a' && c <= u'z') c = char16_t(c - 32);  // resource names ignore case
  return {module, key, type, cx, cy};
}

std::mutex& SharedMutex() {
  static auto* m = new std::mutex;
  return *m;
}
std::map<SharedKey, HANDLE>& SharedImages() {
  static auto* cache = new std::map<SharedKey, HANDLE>;
  return *cache;
}

HANDLE LoadIconImage(HINSTANCE module, LPCWSTR name, bool icon, int cx, int cy, UINT flags) {
  std::shared_ptr<IconObject> image;
  if (flags & LR_LOADFROMFILE) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(name, &bytes)) return nullptr;
    image = IconFromFileBytes(bytes.data(), bytes.size(), icon, cx, cy, flags);
    if (!image) SetLastError(ERROR_INVALID_DATA);
  } else {
    image = module ? IconFromModule(module, name, icon, cx, cy, flags)
                   : StandardImage(name, icon, cx, cy, flags);
  }
  if (!image) return nullptr;
  image->shared = (flags & LR_SHARED) != 0;
  return AddIcon(std::move(image));
}

HANDLE LoadBitmapImage(HINSTANCE module, LPCWSTR name, UINT flags) {
  if (flags & LR_LOADFROMFILE) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(name, &bytes)) return nullptr;
    return BitmapFromFileBytes(bytes.data(), bytes.size(), flags);
  }
  if (!module) {  // system bitmaps are not provided
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  size_t size = 0;
  const uint8_t* dib = ResourceBytes(module, name, RT_BITMAP, &size);
  return dib ? BitmapFromPackedDib(dib, size, flags) : nullptr;
}

HANDLE LoadUncached(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
  switch (type) {
    case IMAGE_BITMAP: return LoadBitmapImage(hInst, name, flags);
    case IMAGE_ICON: return LoadIconImage(hInst, name, true, cx, cy, flags);
    case IMAGE_CURSOR: return LoadIconImage(hInst, name, false, cx, cy, flags);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

}  // namespace

HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) {
  if (!name || cx < 0 || cy < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Shared bitmaps and files are loaded afresh each time: only icons and cursors of
  // modules and the system are shared.
  bool shared = (fuLoad & LR_SHARED) && type != IMAGE_BITMAP && !(fuLoad & LR_LOADFROMFILE);
  if (!shared) return LoadUncached(hInst, name, type, cx, cy, fuLoad & ~LR_SHARED);
  std::lock_guard<std::mutex> lock(SharedMutex());
  SharedKey key = KeyOf(hInst, name, type, cx, cy);
  auto found = SharedImages().find(key);
  if (found != SharedImages().end()) return found->second;
  HANDLE image = LoadUncached(hInst, name, type, cx, cy, fuLoad);
  if (image) SharedImages()[key] = image;
  return image;
}

HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName) {
  return static_cast<HICON>(
      LoadImageW(hInstance, lpIconName, IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
  return static_cast<HCURSOR>(
      LoadImageW(hInstance, lpCursorName, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
  return static_cast<HBITMAP>(LoadImageW(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, 0));
}
