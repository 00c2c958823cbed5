#include "platform/gdi/objects/pen_object.h"

#include <win/base.h>

#include <cstring>

namespace talix::gdi {

int PenObject::GetObjectInfo(int cb, void* out) const {
  if (!out) return int(sizeof(LOGPEN));
  if (cb < int(sizeof(LOGPEN))) return 0;
  std::memcpy(out, &log_, sizeof(LOGPEN));
  return int(sizeof(LOGPEN));
}

}  // namespace talix::gdi

using talix::gdi::PenObject;

HPEN CreatePenIndirect(const LOGPEN* plpen) {
  if (!plpen || (plpen->lopnStyle & PS_STYLE_MASK) > PS_INSIDEFRAME) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  LOGPEN log = *plpen;
  log.lopnColor &= 0xFFFFFF;
  log.lopnWidth.y = 0;
  if (log.lopnWidth.x < 0) log.lopnWidth.x = 0;
  return static_cast<HPEN>(talix::gdi::AddGdiObject(std::make_shared<PenObject>(log)));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
  LOGPEN log{UINT(iStyle), POINT{cWidth, 0}, color};
  return CreatePenIndirect(&log);
}
