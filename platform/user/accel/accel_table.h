// Accelerator tables: arrays of ACCEL in a handle table of kind Accelerator.
#pragma once

#include "platform/kernel/handle_table.h"

#include <win/menu.h>

#include <vector>

namespace talix::user::accel {

struct AcceleratorTable {
  std::vector<ACCEL> entries;
};

// The entries behind a handle (a copy), or false with ERROR_INVALID_ACCEL_HANDLE.
bool AcceleratorEntries(HACCEL table, std::vector<ACCEL>* out);

}  // namespace talix::user::accel
