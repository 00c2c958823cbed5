// CResHandler: finds, caches and frees the language and theme resource modules.
//
// The modules live beside the library as Lang\TALIX_<language>.wdp and
// Resource\TALIX_<theme>.skx, named by the suite's registry values under
// "Software\<maker>\Kelvane\", where the maker comes from KVNL.dll. The language module
// loads once; the theme module follows the "Theme" value at every request.
#pragma once

#include <windows.h>

class TALIX_EXPORT CResHandler {
 public:
  CResHandler();
  virtual ~CResHandler();
  CResHandler(const CResHandler&) = delete;
  CResHandler& operator=(const CResHandler&) = delete;

  HINSTANCE GetLanguageModule();
  HINSTANCE GetThemeModule();
  // The language code of the language module; null until a language value was read.
  const WCHAR* GetLanguageName() const { return m_pLanguageName; }

  // Reads a suite value (REG_SZ or REG_EXPAND_SZ only) into `buffer` of `size` characters,
  // always terminated; the buffer is emptied when the read fails.
  static bool ReadSuiteValue(const WCHAR* valueName, HKEY hive, WCHAR* buffer, size_t size);
  // <library folder><subfolder>TALIX_<name>.<extension>, mapped as a data file.
  static HINSTANCE LoadResourceModule(const WCHAR* subfolder, const WCHAR* name, const WCHAR* extension);

 private:
  HINSTANCE m_hLanguageModule;
  HINSTANCE m_hThemeModule;
  WCHAR* m_pLanguageName;
  WCHAR m_szThemeName[MAX_PATH];
};

namespace talix::frame {

// The process's resource handler; null after TALIX_Finalize.
TALIX_EXPORT CResHandler* ResourceHandler();
// Destroys the handler (TALIX_Finalize); later requests get null modules.
void DestroyResourceHandler();
// A fresh handler with nothing loaded (tests that each start from a new process state).
TALIX_EXPORT void RecreateResourceHandler();

// Called when the theme module changes, after the colour cache was emptied, so other
// caches of the old module's resources can be dropped too.
using ThemeChangeHook = void (*)();
TALIX_EXPORT void SetThemeChangeHook(ThemeChangeHook hook);

}  // namespace talix::frame
