// Loading from a module's resources: a bitmap resource, else the first named resource
// type holding the identifier, read as PNG or, through a temporary file, as WBMP or OTA.
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"
#include "image/codec/file_bytes.h"

#include <string>

namespace {

// What the type walk looks for and what it found; passed through the walk's parameter,
// so concurrent loads do not share it.
struct TypeSearch {
  int id;
  std::u16string type;
};

BOOL FindNamedType(HMODULE module, LPWSTR type, LONG_PTR param) {
  auto* search = reinterpret_cast<TypeSearch*>(param);
  if (IS_INTRESOURCE(type) || !type[0]) return TRUE;
  if (!FindResourceW(module, MAKEINTRESOURCEW(search->id), type)) return TRUE;
  search->type = type;
  return FALSE;
}

}  // namespace

HBITMAP CNBitmapUtil::NLoadBitmap(HINSTANCE module, int resourceId, BitmapType type, int index) {
  if (!module) return Fail<HBITMAP>(QUO_ERR_PARAM1, nullptr);
  if (resourceId == 0) return Fail<HBITMAP>(QUO_ERR_PARAM2, nullptr);
  if (!IsSlot(type)) return Fail<HBITMAP>(QUO_ERR_NO_SLOT, nullptr);
  if (!IsFrameIndex(index)) return Fail<HBITMAP>(QUO_ERR_PARAM4, nullptr);
  DeleteBitmap(type, index);
  HBITMAP frame = LoadBitmapFromRes(module, resourceId, type, index);
  if (GetBitmapHandle(type, index)) m_nLastError = QUO_OK;
  return frame;
}

HBITMAP CNBitmapUtil::LoadBitmapFromRes(HINSTANCE module, int resourceId, BitmapType type, int index) {
  if (!GetBitmapObject(type)) return Fail<HBITMAP>(QUO_ERR_PARAM1, nullptr);
  if (!module) return Fail<HBITMAP>(QUO_ERR_PARAM2, nullptr);
  if (resourceId == 0) return Fail<HBITMAP>(QUO_ERR_PARAM3, nullptr);
  if (!IsFrameIndex(index)) return Fail<HBITMAP>(QUO_ERR_PARAM4, nullptr);
  if (HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(resourceId))) {
    SIZE size{};
    if (!talix::draw::QueryBitmapSize(bitmap, &size) || !RowSizeFor(size.cx, size.cy)) {
      DeleteObject(bitmap);
      return Fail<HBITMAP>(QUO_ERR_BAD_FORMAT, nullptr);
    }
    return InstallFrame(type, index, bitmap, size.cx, size.cy) ? bitmap : nullptr;
  }
  return LoadResourceBytes(module, resourceId, type, index);
}

HBITMAP CNBitmapUtil::LoadResourceBytes(HINSTANCE module, int resourceId, BitmapType type, int index) {
  TypeSearch search{resourceId, {}};
  EnumResourceTypesW(module, FindNamedType, reinterpret_cast<LONG_PTR>(&search));
  if (search.type.empty()) return Fail<HBITMAP>(QUO_ERR_RESOURCE_NOT_FOUND, nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(resourceId), search.type.c_str());
  HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
  const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  const DWORD size = info ? SizeofResource(module, info) : 0;
  if (!bytes || size == 0) return Fail<HBITMAP>(QUO_ERR_RESOURCE_EMPTY, nullptr);
  if (HBITMAP frame = LoadPNGFromMem(bytes, size, type, index)) return frame;
  return LoadViaTempFile(bytes, size, type, index);
}

HBITMAP CNBitmapUtil::LoadViaTempFile(const BYTE* data, DWORD size, BitmapType type, int index) {
  WCHAR folder[MAX_PATH + 2] = {};
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return Fail<HBITMAP>(QUO_ERR_TEMP_PATH, nullptr);
  if (folder[length - 1] != u'\\') folder[length] = u'\\', folder[length + 1] = 0;
  WCHAR name[MAX_PATH] = {};
  if (!GetTempFileNameW(folder, u"QUO", 0, name)) return Fail<HBITMAP>(QUO_ERR_TEMP_FILE, nullptr);
  if (!talix::image::WriteFileBytes(name, data, size)) {
    DeleteFileW(name);
    return Fail<HBITMAP>(QUO_ERR_TEMP_FILE, nullptr);
  }
  HBITMAP frame = LoadBitmapFromFile(name, type, index);
  DeleteFileW(name);
  return frame;
}
