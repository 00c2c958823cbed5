// Host API: registry seeding, reset and flush.
#pragma once

#include <win/types.h>

namespace talix::host {}  // namespace talix::host
