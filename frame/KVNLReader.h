// Readers of the variant information module KVNL.dll.
//
// CKVNL2InfoReader resolves each function when it is called; CKVNLInfoReader and
// CKVNLInfoReader2 resolve theirs once and cache the results. Copies are disabled: a
// copy sharing the module handle and the cached text would free both twice.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class TALIX_LIB_API CKVNL2InfoReader {
 public:
  CKVNL2InfoReader();
  ~CKVNL2InfoReader();
  CKVNL2InfoReader(const CKVNL2InfoReader&) = delete;
  CKVNL2InfoReader& operator=(const CKVNL2InfoReader&) = delete;

  // Loads <folder>\KVNL.dll, or KVNL.dll beside the library when folder is null.
  // 0 loaded; -1 the library's own path cannot be read; -2 the module did not load (or
  // the path does not fit).
  int ReadKVNL(WCHAR* folder);
  const WCHAR* GetUIManufacturer();
  const WCHAR* GetFirstPhoneManufacturer();
  const WCHAR* GetNextPhoneManufacturer();
  // Runs the module's iteration to its end.
  int GetNumberOfPhoneManufacturers();
  const WCHAR* GetKVNL();
  unsigned short KVNL_GetVariantID();

 private:
  const WCHAR* CallText(const char* name);
  HMODULE m_hModule;
};

class TALIX_LIB_API CKVNLInfoReader {
 public:
  // From the host executable's folder, else KVNL.dll by the system search order.
  CKVNLInfoReader();
  // From <folder>\KVNL.dll; a null folder uses the system search order.
  explicit CKVNLInfoReader(const WCHAR* folder);
  virtual ~CKVNLInfoReader();
  CKVNLInfoReader(const CKVNLInfoReader&) = delete;
  CKVNLInfoReader& operator=(const CKVNLInfoReader&) = delete;

  const WCHAR* GetKVNL();

 protected:
  FARPROC m_pGetKVNL;
  HMODULE m_hModule;
  WCHAR* m_pKVNL;

 private:
  void ResolveGetKVNL();
};

class TALIX_LIB_API CKVNLInfoReader2 : public CKVNLInfoReader {
 public:
  CKVNLInfoReader2();
  explicit CKVNLInfoReader2(const WCHAR* folder);
  ~CKVNLInfoReader2() override;

  // The module's variant id, read once; 0xFFFF when the function is missing.
  unsigned short GetVariantID();

 private:
  void ResolveVariantID();
  FARPROC m_pGetVariantID;
  unsigned short* m_pVariantID;
};
