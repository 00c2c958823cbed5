// Host API for modules and resources.
#pragma once

#include <win/types.h>

namespace talix::host {

// A writable copy of a resource, for code that must change a resource in place (such as
// flipping a dialog template for right-to-left layout) while the module's own resource
// memory stays read-only. Made on the first request; later requests for the same
// resource return the same copy, which lives until the module unloads. Null (with
// ERROR_INVALID_HANDLE) when `resource` is not a resource handle of `module` (NULL
// module: any module's).
TALIX_EXPORT void* WritableResourceCopy(HMODULE module, HRSRC resource);

}  // namespace talix::host
