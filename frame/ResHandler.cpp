// CResHandler: the language and theme resource modules.
#include "frame/ResHandler.h"

#include "frame/KVNLReader.h"
#include "frame/LibraryModule.h"
#include "frame/RegistryText.h"
#include "frame/StrColorLoader.h"

using talix::frame::AppendParts;

namespace talix::frame {
namespace {

ThemeChangeHook g_themeChangeHook = nullptr;

struct HandlerSlot {
  CResHandler* handler = new CResHandler();
  ~HandlerSlot() { delete handler; }
};

HandlerSlot& Slot() {
  static HandlerSlot slot;
  return slot;
}

}  // namespace

CResHandler* ResourceHandler() { return Slot().handler; }

void DestroyResourceHandler() {
  delete Slot().handler;
  Slot().handler = nullptr;
}

void RecreateResourceHandler() {
  DestroyResourceHandler();
  Slot().handler = new CResHandler();
}

void SetThemeChangeHook(ThemeChangeHook hook) { g_themeChangeHook = hook; }

}  // namespace talix::frame

CResHandler::CResHandler()
    : m_hLanguageModule(nullptr), m_hThemeModule(nullptr), m_pLanguageName(nullptr), m_szThemeName{} {}

CResHandler::~CResHandler() {
  if (m_hLanguageModule) FreeLibrary(m_hLanguageModule);
  if (m_hThemeModule) FreeLibrary(m_hThemeModule);
  delete[] m_pLanguageName;
}

bool CResHandler::ReadSuiteValue(const WCHAR* valueName, HKEY hive, WCHAR* buffer, size_t size) {
  if (!buffer || size == 0) return false;
  buffer[0] = 0;
  if (!valueName) return false;
  CKVNL2InfoReader reader;
  if (reader.ReadKVNL(nullptr) != 0) return false;
  const WCHAR* maker = reader.GetUIManufacturer();
  if (!maker) return false;
  WCHAR keyName[MAX_PATH];
  if (swprintf(keyName, MAX_PATH, u"Software\\%s\\Kelvane\\", maker) < 0) return false;
  return talix::frame::ReadRegistryText(hive, keyName, KEY_READ, valueName, buffer, size, true);
}

HINSTANCE CResHandler::LoadResourceModule(const WCHAR* subfolder, const WCHAR* name, const WCHAR* extension) {
  if (!subfolder || !name || !extension) return nullptr;
  WCHAR path[MAX_PATH];
  if (!talix::frame::LibraryFolder(path, MAX_PATH)) return nullptr;
  const WCHAR* dot = extension[0] == u'.' ? u"" : u".";
  if (!AppendParts(path, MAX_PATH, {subfolder, u"TALIX_", name, dot, extension})) return nullptr;
  return LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

HINSTANCE CResHandler::GetLanguageModule() {
  if (m_hLanguageModule) return m_hLanguageModule;
  WCHAR language[MAX_PATH];
  if (!ReadSuiteValue(u"Current Language", HKEY_LOCAL_MACHINE, language, MAX_PATH)) return nullptr;
  if (language[0]) {
    delete[] m_pLanguageName;
    m_pLanguageName = new WCHAR[wcslen(language) + 1];
    wcscpy(m_pLanguageName, language);
  }
  m_hLanguageModule = LoadResourceModule(u"\\Lang\\", language, u"wdp");
  return m_hLanguageModule;
}

HINSTANCE CResHandler::GetThemeModule() {
  WCHAR theme[MAX_PATH];
  if (!ReadSuiteValue(u"Theme", HKEY_CURRENT_USER, theme, MAX_PATH))
    ReadSuiteValue(u"Current Resource", HKEY_LOCAL_MACHINE, theme, MAX_PATH);
  if (!theme[0]) return m_hThemeModule;
  if (m_hThemeModule && _wcsicmp(m_szThemeName, theme) == 0) return m_hThemeModule;
  if (m_hThemeModule) {
    FreeLibrary(m_hThemeModule);
    m_hThemeModule = nullptr;
  }
  // Colours cached for the old module must not outlive it.
  ResetColorCache();
  if (talix::frame::g_themeChangeHook) talix::frame::g_themeChangeHook();
  m_hThemeModule = LoadResourceModule(u"\\Resource\\", theme, u"skx");
  if (m_hThemeModule) wcscpy(m_szThemeName, theme);
  return m_hThemeModule;
}
