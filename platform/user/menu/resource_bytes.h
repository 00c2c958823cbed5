// The bytes of a resource, for the loaders of menus and accelerator tables.
#pragma once

#include "platform/kernel/module/byte_view.h"

#include <win/module.h>

namespace talix::user {

// False (with the error FindResourceW set) when the module has no such resource.
inline bool ResourceBytes(HINSTANCE module, LPCWSTR name, LPCWSTR type, ByteView* out) {
  HRSRC info = FindResourceW(module, name, type);
  if (!info) return false;
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return false;
  *out = ByteView(static_cast<const BYTE*>(bytes), SizeofResource(module, info));
  return true;
}

}  // namespace talix::user
