// The variant information module KVNL.dll: the five functions it exports by name. All
// take no arguments; returned texts belong to the module and stay valid while it is
// loaded (callers copy what they keep).
#pragma once

#include <win/types.h>

using KvnlTextFn = const WCHAR* (*)();
using KvnlVariantFn = unsigned short (*)();

#define KVNL_MODULE_NAME u"KVNL.dll"
#define KVNL_FN_UI_MANUFACTURER "GetUIManufacturer"
#define KVNL_FN_FIRST_PHONE_MANUFACTURER "GetFirstPhoneManufacturer"
#define KVNL_FN_NEXT_PHONE_MANUFACTURER "GetNextPhoneManufacturer"
#define KVNL_FN_VARIANT_ID "KVNL_GetVariantID"
#define KVNL_FN_KVNL "GetKVNL"

// A looked-up function address as the function type it names.
template <typename Function, typename Address>
Function KvnlFunction(Address address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}
