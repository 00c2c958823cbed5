// Host API: the virtual clock.
#pragma once

#include <win/types.h>

namespace talix::host {}  // namespace talix::host
