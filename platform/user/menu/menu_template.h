// Menu templates: the standard format (version 0) and the extended one (version 1), as
// RT_MENU resources and LoadMenuIndirectW hold them.
#pragma once

#include "platform/kernel/module/byte_view.h"

#include <win/menu.h>

namespace talix::user::menu {

// Builds a menu (with popup submenus) from a template; null with ERROR_INVALID_DATA when
// the template is malformed: truncated, nested deeper than kMaxMenuDepth, or of an
// unknown version. Never reads outside `bytes`.
TALIX_EXPORT HMENU BuildMenuFromTemplate(ByteView bytes);

}  // namespace talix::user::menu
