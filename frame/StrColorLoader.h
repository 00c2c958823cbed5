// CStrColorLoader: colours kept as text ("R,G,B" in decimal) in string resources, read
// once per (module, string id) and cached.
//
// Limits: only the first 19 characters of a text are read (longer texts are cut there,
// never overflow); each component is read as a 16-bit decimal that wraps and is then
// capped at 255, so malformed texts still give a colour (see ParseColorText).
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

#include <cstddef>
#include <map>
#include <utility>

class TALIX_LIB_API CStrColorLoader {
 public:
  CStrColorLoader() = default;
  virtual ~CStrColorLoader();
  CStrColorLoader(const CStrColorLoader&) = delete;
  CStrColorLoader& operator=(const CStrColorLoader&) = delete;

  // 1 with the colour stored in *color (when non-null), from the cache or parsed from
  // string `id` of `module`; 0 when the module is null or the string is missing or
  // empty (nothing is cached then, so a later call tries again).
  int LoadColor(HINSTANCE module, UINT id, COLORREF* color);

  // The COLORREF of a colour text: red from the start, green after the first comma,
  // blue after the second; each component is the run of decimal digits at its start
  // (none: 0), accumulated modulo 65536 and capped at 255. Null reads as empty.
  static COLORREF ParseColorText(const WCHAR* text);

  // Number of cached colours (a cache that is emptied on a theme change).
  size_t CachedCount() const { return m_colors.size(); }

 private:
  // Keys compare by module handle first, then by string id.
  std::map<std::pair<HINSTANCE, UINT>, COLORREF> m_colors;
};

// Replaces the process's colour loader by an empty one (when one exists). The resource
// handler calls it before it loads a new theme module.
TALIX_LIB_API void ResetColorCache();

namespace talix::frame {

// The process's colour loader; null after TALIX_Finalize.
TALIX_EXPORT CStrColorLoader* ColorLoader();
// Destroys the colour loader with its cache (TALIX_Finalize).
void DestroyColorLoader();
// A new empty colour loader, also after TALIX_Finalize (tests that start from a fresh
// library state).
TALIX_EXPORT void RecreateColorLoader();

}  // namespace talix::frame
