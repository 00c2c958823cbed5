// CRTLHelper: right-to-left languages and mirrored dialog templates.
#include "frame/RTLHelper.h"

#include "frame/RegistryText.h"

#include <talix/host_modules.h>

#include <cstring>

const WCHAR* CRTLHelper::m_RTLLAngIDS[2] = {u"ara", u"heb"};

CRTLHelper::CRTLHelper(const WCHAR* lang) : m_bIsRTL(IsRTL(lang)) {}

CRTLHelper::~CRTLHelper() = default;

void CRTLHelper::Initialize(const WCHAR* lang) { m_bIsRTL = IsRTL(lang); }

BOOL CRTLHelper::IsRTL(const WCHAR* lang) {
  if (!lang) return FALSE;
  for (const WCHAR* code : m_RTLLAngIDS)
    if (_wcsicmp(lang, code) == 0) return TRUE;
  return FALSE;
}

DLGTEMPLATE* CRTLHelper::FlipDialog(HINSTANCE module, const WCHAR* name) {
  return FlipDialog(module, name, m_bIsRTL);
}

DLGTEMPLATE* CRTLHelper::FlipDialog(HINSTANCE module, UINT id) {
  return FlipDialog(module, MAKEINTRESOURCEW(id & 0xFFFF), m_bIsRTL);
}

DLGTEMPLATE* CRTLHelper::FlipDialog(HINSTANCE module, const WCHAR* name, BOOL rtl) {
  HRSRC resource = FindResourceW(module, name, RT_DIALOG);
  if (!resource) return nullptr;
  HGLOBAL loaded = LoadResource(module, resource);
  auto* bytes = static_cast<BYTE*>(LockResource(loaded));
  if (!bytes) return nullptr;
  DWORD size = SizeofResource(module, resource);
  if (size < 4) return nullptr;
  WORD signature;
  std::memcpy(&signature, bytes + 2, sizeof(signature));
  // Extended templates keep their extended style after the version words and help id.
  size_t offset = signature == 0xFFFF ? 8 : 4;
  if (size < offset + sizeof(DWORD)) return nullptr;
  if (rtl) {
    bytes = static_cast<BYTE*>(talix::host::WritableResourceCopy(module, resource));
    if (!bytes) return nullptr;
    DWORD exStyle;
    std::memcpy(&exStyle, bytes + offset, sizeof(exStyle));
    exStyle |= WS_EX_LAYOUTRTL;
    std::memcpy(bytes + offset, &exStyle, sizeof(exStyle));
  }
  return reinterpret_cast<DLGTEMPLATE*>(bytes);
}

WCHAR* CRTLHelper::GetLangID(HKEY key, const WCHAR* subKey, const WCHAR* valueName) {
  if (!subKey || !valueName) return nullptr;
  WCHAR* text = new WCHAR[MAX_PATH];
  if (!talix::frame::ReadRegistryText(key, subKey, KEY_QUERY_VALUE, valueName, text, MAX_PATH, false)) {
    delete[] text;
    return nullptr;
  }
  return text;
}

BOOL CRTLHelper::IsMidEastEnabled() { return GetSystemMetrics(SM_MIDEASTENABLED); }
