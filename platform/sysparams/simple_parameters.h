// The system parameters that are one 32-bit value each (flags, counts, sizes, times):
// their defaults, which action reads and which sets each, and where a setting action
// takes the new value from.
#pragma once

#include <win/types.h>

namespace talix::sysparams {

// Reads: true when `action` is one of these parameters' GET actions.
bool GetSimpleParameter(UINT action, UINT* value);
// Sets: true when `action` is one of their SET actions (the value stored).
bool SetSimpleParameter(UINT action, UINT uiParam, PVOID pvParam);
void ResetSimpleParameters();

}  // namespace talix::sysparams
