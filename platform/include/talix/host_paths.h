// Host API: the Windows folder and the module file name of statically linked code.
#pragma once

#include <win/types.h>

namespace talix::host {}  // namespace talix::host
