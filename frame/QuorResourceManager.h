// CQuorResourceManager: the counted cache of skin bitmaps. Skins that show the same image
// of the same module share one CQuorBitmap; the last release destroys it.
//
// Entries are keyed by (module handle, resource id). Module handles are never reused
// while the process runs, so entries of a module that was freed (say after a theme
// change) are never served for another module; they live on until their holders release
// them. Entries still held when the library unloads are destroyed then.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

#include <map>
#include <utility>

class CQuorBitmap;

class TALIX_LIB_API CQuorResourceManager {
 public:
  // (module, id) -> (bitmap, holders).
  using BitmapCache = std::map<std::pair<HINSTANCE, UINT>, std::pair<CQuorBitmap*, unsigned>>;

  // Shares the cached bitmap of (module, id) or loads it (CQuorBitmap::LoadFromRes).
  // `*out` must be null on entry; false when it is not (nothing changes) or when the
  // image cannot be loaded (nothing is cached, `*out` stays null). `type` is not used.
  static bool LoadBitmapW(CQuorBitmap** out, HINSTANCE module, UINT id, const WCHAR* type);
  // Releases one hold on `*bitmap` and clears `*bitmap`; the last release destroys the
  // bitmap. False, changing nothing, for a null or unknown bitmap.
  static bool UnloadBitmap(CQuorBitmap** bitmap);

  // The cache (tests read the hold counts).
  static const BitmapCache& GetCache();
};

namespace talix::frame {
// Makes the cache at load, so it is there before any skin loads.
void ConstructBitmapCache();
}  // namespace talix::frame
