// Pen objects: style, width and colour, as CreatePen records them. Drawing with pens
// belongs to the shape routines.
#pragma once

#include "platform/gdi/gdi_object.h"

#include <win/gdi.h>

namespace talix::gdi {

class PenObject : public GdiObject {
 public:
  explicit PenObject(const LOGPEN& log) : GdiObject(OBJ_PEN), log_(log) {}

  const LOGPEN& Log() const { return log_; }
  // The stock DC pen: its colour is the DC's SetDCPenColor colour.
  bool IsDcPen() const { return dcPen_; }
  void MarkDcPen() { dcPen_ = true; }

  int GetObjectInfo(int cb, void* out) const override;

 private:
  LOGPEN log_;
  bool dcPen_ = false;
};

inline PenObject* PeekPen(const void* h) { return PeekGdiObject<PenObject>(h, OBJ_PEN); }

}  // namespace talix::gdi
