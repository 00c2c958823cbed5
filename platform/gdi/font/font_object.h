// Font objects: a LOGFONTW, realised into a face on first use.
#pragma once

#include "platform/gdi/font/dialog_units.h"
#include "platform/gdi/font/realized_font.h"
#include "platform/gdi/gdi_object.h"

#include <win/text.h>

#include <memory>
#include <mutex>

namespace talix::gdi {

class FontObject : public GdiObject {
 public:
  explicit FontObject(const LOGFONTW& logfont) : GdiObject(OBJ_FONT), logfont_(logfont) {}
  // A font whose LOGFONTW is computed afresh on each use (the stock system font follows
  // the screen parameters' system font until the host sets it).
  using LogFontSource = LOGFONTW (*)();
  void SetLogFontSource(LogFontSource source);

  LOGFONTW LogFont() const;
  // Stock fonts can be redescribed by the host; the realisation follows.
  void SetLogFont(const LOGFONTW& logfont);
  int GetObjectInfo(int cb, void* out) const override;
  // The realised font (looked up again when the LOGFONTW or the added fonts change).
  std::shared_ptr<RealizedFont> Realized() const;

 private:
  mutable std::mutex mutex_;
  LOGFONTW logfont_;
  LogFontSource source_ = nullptr;
};

// The realised font selected into a DC (its stock font when none is), or null with
// ERROR_INVALID_HANDLE for a bad DC.
std::shared_ptr<RealizedFont> RealizedFontOfDc(HDC hdc);
// A font handle's realisation; null for anything that is not a font.
std::shared_ptr<RealizedFont> RealizedFontOf(HFONT font);

}  // namespace talix::gdi
