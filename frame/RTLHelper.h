// CRTLHelper: which languages are written right to left, and dialog templates mirrored
// for them.
//
// FlipDialog never writes into a module's resource memory: it flips a writable copy of
// the template that lives as long as the module, so a later left-to-right request still
// gets the untouched template.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class TALIX_LIB_API CRTLHelper {
 public:
  explicit CRTLHelper(const WCHAR* lang);
  CRTLHelper(const CRTLHelper&) = default;
  CRTLHelper& operator=(const CRTLHelper&) = default;
  virtual ~CRTLHelper();

  void Initialize(const WCHAR* lang);
  BOOL IsRTL() const { return m_bIsRTL; }
  static BOOL IsRTL(const WCHAR* lang);

  DLGTEMPLATE* FlipDialog(HINSTANCE module, const WCHAR* name);
  DLGTEMPLATE* FlipDialog(HINSTANCE module, UINT id);
  // The dialog template `name` of `module`; with rtl, a copy carrying WS_EX_LAYOUTRTL.
  // Null when the template is missing or too short to hold its extended style.
  static DLGTEMPLATE* FlipDialog(HINSTANCE module, const WCHAR* name, BOOL rtl);

  // A language code read from the registry (REG_SZ only); the caller frees it with
  // delete[]. Null when the key or value is missing or unfit.
  static WCHAR* GetLangID(HKEY key, const WCHAR* subKey, const WCHAR* valueName);
  static BOOL IsMidEastEnabled();

 private:
  static const WCHAR* m_RTLLAngIDS[2];
  BOOL m_bIsRTL;
};
