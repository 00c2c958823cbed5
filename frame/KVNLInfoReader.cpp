// CKVNLInfoReader and CKVNLInfoReader2: KVNL.dll readers that cache what they read.
#include "frame/KVNLReader.h"
#include "frame/LibraryModule.h"
#include "outside/kvnl.h"

using talix::frame::AppendParts;

namespace {

// KVNL.dll beside the host executable; null when that path cannot be built or loaded.
HMODULE LoadFromExecutableFolder() {
  WCHAR path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(GetModuleHandleW(nullptr), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  WCHAR* slash = wcsrchr(path, u'\\');
  if (!slash) return nullptr;
  slash[1] = 0;
  if (!AppendParts(path, MAX_PATH, {KVNL_MODULE_NAME})) return nullptr;
  return LoadLibraryW(path);
}

HMODULE LoadFromFolder(const WCHAR* folder) {
  if (!folder) return LoadLibraryW(KVNL_MODULE_NAME);
  WCHAR path[MAX_PATH] = {};
  size_t length = wcslen(folder);
  bool slash = length > 0 && folder[length - 1] == u'\\';
  if (!AppendParts(path, MAX_PATH, {folder, slash ? u"" : u"\\", KVNL_MODULE_NAME})) return nullptr;
  return LoadLibraryW(path);
}

}  // namespace

CKVNLInfoReader::CKVNLInfoReader() : m_pGetKVNL(nullptr), m_hModule(nullptr), m_pKVNL(nullptr) {
  m_hModule = LoadFromExecutableFolder();
  if (!m_hModule) m_hModule = LoadLibraryW(KVNL_MODULE_NAME);
  ResolveGetKVNL();
}

CKVNLInfoReader::CKVNLInfoReader(const WCHAR* folder)
    : m_pGetKVNL(nullptr), m_hModule(LoadFromFolder(folder)), m_pKVNL(nullptr) {
  ResolveGetKVNL();
}

CKVNLInfoReader::~CKVNLInfoReader() {
  m_pGetKVNL = nullptr;
  if (m_hModule) FreeLibrary(m_hModule);
  delete[] m_pKVNL;
}

void CKVNLInfoReader::ResolveGetKVNL() {
  if (m_hModule) m_pGetKVNL = GetProcAddress(m_hModule, KVNL_FN_KVNL);
}

const WCHAR* CKVNLInfoReader::GetKVNL() {
  if (m_pKVNL || !m_pGetKVNL) return m_pKVNL;
  const WCHAR* text = KvnlFunction<KvnlTextFn>(m_pGetKVNL)();
  if (!text) return nullptr;
  size_t length = wcslen(text);
  m_pKVNL = new WCHAR[length + 1];
  wcscpy(m_pKVNL, text);
  return m_pKVNL;
}

CKVNLInfoReader2::CKVNLInfoReader2() : m_pGetVariantID(nullptr), m_pVariantID(nullptr) {
  ResolveVariantID();
}

CKVNLInfoReader2::CKVNLInfoReader2(const WCHAR* folder)
    : CKVNLInfoReader(folder), m_pGetVariantID(nullptr), m_pVariantID(nullptr) {
  ResolveVariantID();
}

CKVNLInfoReader2::~CKVNLInfoReader2() { delete m_pVariantID; }

void CKVNLInfoReader2::ResolveVariantID() {
  if (m_hModule) m_pGetVariantID = GetProcAddress(m_hModule, KVNL_FN_VARIANT_ID);
}

unsigned short CKVNLInfoReader2::GetVariantID() {
  if (!m_pVariantID && m_pGetVariantID)
    m_pVariantID = new unsigned short(KvnlFunction<KvnlVariantFn>(m_pGetVariantID)());
  return m_pVariantID ? *m_pVariantID : 0xFFFF;
}
