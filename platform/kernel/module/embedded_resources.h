// Resources embedded in loaded ELF modules. Each module built with
// talix_embed_resources() carries its compiled .res in its "talix_rsrc" section and a
// small generated object whose constructor registers the section's bounds here (and
// whose destructor withdraws them when the module unloads). The record is keyed by the
// module's load base, as dladdr reports it.
// Limits: at most 64 modules with resources are registered at a time; further ones load
// but show no resources.
#pragma once

#include "platform/kernel/module/byte_view.h"

#include <win/types.h>

extern "C" {
TALIX_EXPORT void talix_register_resources(const void* start, const void* end, const void* anchor);
TALIX_EXPORT void talix_unregister_resources(const void* start);
}

namespace talix {

// The registered resource bytes of the module loaded at `base`; empty when none.
ByteView EmbeddedResourcesOf(const void* base);

}  // namespace talix
