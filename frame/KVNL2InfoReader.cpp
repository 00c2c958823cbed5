// CKVNL2InfoReader: resolves each KVNL.dll function at the time of the call.
#include "frame/KVNLReader.h"
#include "frame/LibraryModule.h"
#include "outside/kvnl.h"

using talix::frame::AppendParts;

CKVNL2InfoReader::CKVNL2InfoReader() : m_hModule(nullptr) {}

CKVNL2InfoReader::~CKVNL2InfoReader() {
  if (m_hModule) FreeLibrary(m_hModule);
}

int CKVNL2InfoReader::ReadKVNL(WCHAR* folder) {
  if (m_hModule) {
    FreeLibrary(m_hModule);
    m_hModule = nullptr;
  }
  WCHAR path[MAX_PATH] = {};
  if (folder) {
    size_t length = wcslen(folder);
    bool slash = length > 0 && folder[length - 1] == u'\\';
    if (!AppendParts(path, MAX_PATH, {folder, slash ? u"" : u"\\", KVNL_MODULE_NAME})) return -2;
  } else {
    if (!talix::frame::LibraryFolder(path, MAX_PATH)) return -1;
    if (!AppendParts(path, MAX_PATH, {u"\\", KVNL_MODULE_NAME})) return -2;
  }
  m_hModule = LoadLibraryW(path);
  return m_hModule ? 0 : -2;
}

const WCHAR* CKVNL2InfoReader::CallText(const char* name) {
  if (!m_hModule) return nullptr;
  auto function = KvnlFunction<KvnlTextFn>(GetProcAddress(m_hModule, name));
  return function ? function() : nullptr;
}

const WCHAR* CKVNL2InfoReader::GetUIManufacturer() { return CallText(KVNL_FN_UI_MANUFACTURER); }

const WCHAR* CKVNL2InfoReader::GetFirstPhoneManufacturer() {
  return CallText(KVNL_FN_FIRST_PHONE_MANUFACTURER);
}

const WCHAR* CKVNL2InfoReader::GetNextPhoneManufacturer() {
  return CallText(KVNL_FN_NEXT_PHONE_MANUFACTURER);
}

int CKVNL2InfoReader::GetNumberOfPhoneManufacturers() {
  if (!m_hModule || !GetProcAddress(m_hModule, KVNL_FN_NEXT_PHONE_MANUFACTURER)) return 0;
  if (!GetFirstPhoneManufacturer()) return 0;
  int count = 1;
  while (GetNextPhoneManufacturer()) ++count;
  return count;
}

const WCHAR* CKVNL2InfoReader::GetKVNL() { return CallText(KVNL_FN_KVNL); }

unsigned short CKVNL2InfoReader::KVNL_GetVariantID() {
  if (!m_hModule) return 0;
  auto function = KvnlFunction<KvnlVariantFn>(GetProcAddress(m_hModule, KVNL_FN_VARIANT_ID));
  return function ? function() : 0;
}
