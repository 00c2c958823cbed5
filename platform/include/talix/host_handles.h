// Host API: live handle counts, so tests can assert that nothing leaked.
#pragma once

#include <talix/handle_kind.h>
#include <win/types.h>

#include <cstddef>

namespace talix::host {

TALIX_EXPORT size_t LiveHandles(HandleKind kind);

}  // namespace talix::host
