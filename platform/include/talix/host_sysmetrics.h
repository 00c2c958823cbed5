// Host API: overriding single system metrics (for example SM_MIDEASTENABLED or
// SM_SWAPBUTTON) in tests and the demo.
#pragma once

#include <win/types.h>

namespace talix::host {

// From now on GetSystemMetrics(index) returns value. False for an index outside
// 0 .. SM_CMETRICS - 1.
TALIX_EXPORT bool SetSystemMetricOverride(int index, int value);
// Back to the computed values.
TALIX_EXPORT void ClearSystemMetricOverrides();

}  // namespace talix::host
