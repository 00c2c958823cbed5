// The system's own pictures for the standard icons (IDI_*) and cursors (IDC_*), drawn in
// code from a few shapes: icons as anti-aliased 32-bit alpha images of any size, cursors
// as 32x32 white-with-black-outline masked images.
#pragma once

#include "platform/gdi/icon/icon_object.h"

#include <memory>

namespace talix::gdi {

// Null for an id that is not a standard icon / cursor.
std::shared_ptr<IconObject> DrawStandardIcon(int id, int size);
std::shared_ptr<IconObject> DrawStandardCursor(int id);

}  // namespace talix::gdi
