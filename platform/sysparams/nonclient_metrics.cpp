// Sizes are the system metrics (so overrides of them show here too); the fonts are the
// classic UI face, "Tahoma" 8 points, its height in pixels rounded at the screen's DPI
// as Windows rounds point sizes (-11 at 96 DPI).
#include "platform/sysparams/nonclient_metrics.h"

#include <talix/host_screen.h>
#include <win/sysmetrics.h>
#include <win/wstr.h>

#include <cstddef>
#include <cstring>

namespace talix::sysparams {

namespace {

constexpr int kUiPointSize = 8;
constexpr char16_t kUiFace[] = u"Tahoma";

}  // namespace

LOGFONTW UiFont(bool bold) {
  LOGFONTW lf{};
  int dpi = host::GetScreenParams().dpi;
  lf.lfHeight = -((kUiPointSize * dpi + 36) / 72);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, kUiFace, LF_FACESIZE);
  return lf;
}

void FillNonClientMetrics(NONCLIENTMETRICSW* out, UINT size) {
  NONCLIENTMETRICSW m{};
  m.iBorderWidth = 1;  // the sizing frame is this border plus three pixels
  m.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  m.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  m.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
  m.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
  m.lfCaptionFont = UiFont(true);
  m.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
  m.iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
  m.lfSmCaptionFont = UiFont(false);
  m.iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
  m.iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
  m.lfMenuFont = UiFont(false);
  m.lfStatusFont = UiFont(false);
  m.lfMessageFont = UiFont(false);
  m.iPaddedBorderWidth = GetSystemMetrics(SM_CXPADDEDBORDER);
  // Everything after cbSize, up to the size the caller's structure has.
  constexpr size_t kHead = offsetof(NONCLIENTMETRICSW, iBorderWidth);
  std::memcpy(reinterpret_cast<char*>(out) + kHead, reinterpret_cast<const char*>(&m) + kHead,
              size - kHead);
}

}  // namespace talix::sysparams
