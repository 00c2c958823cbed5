// SystemParametersInfoW: the structures (non-client metrics, fonts, high contrast, the
// work area) here, the single values in simple_parameters.cpp.
#include "platform/sysparams/nonclient_metrics.h"
#include "platform/sysparams/simple_parameters.h"

#include <talix/host_screen.h>
#include <win/sysmetrics.h>
#include <win/sysparams.h>

#include <cstring>

namespace talix::sysparams {

namespace {

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

BOOL GetNonClientMetrics(UINT uiParam, PVOID pvParam) {
  auto* metrics = static_cast<NONCLIENTMETRICSW*>(pvParam);
  if (!metrics) return Fail(ERROR_INVALID_PARAMETER);
  UINT size = metrics->cbSize;
  if (size != sizeof(NONCLIENTMETRICSW) && size != NONCLIENTMETRICSW_V1_SIZE)
    return Fail(ERROR_INVALID_PARAMETER);
  if (uiParam != 0 && uiParam != size) return Fail(ERROR_INVALID_PARAMETER);
  FillNonClientMetrics(metrics, size);
  return TRUE;
}

BOOL GetIconTitleFont(UINT uiParam, PVOID pvParam) {
  if (!pvParam || (uiParam != 0 && uiParam != sizeof(LOGFONTW)))
    return Fail(ERROR_INVALID_PARAMETER);
  *static_cast<LOGFONTW*>(pvParam) = UiFont(false);
  return TRUE;
}

BOOL GetHighContrast(UINT uiParam, PVOID pvParam) {
  static char16_t scheme[] = u"";  // no high-contrast scheme is chosen
  auto* hc = static_cast<HIGHCONTRASTW*>(pvParam);
  if (!hc || hc->cbSize != sizeof(HIGHCONTRASTW) || (uiParam != 0 && uiParam != hc->cbSize))
    return Fail(ERROR_INVALID_PARAMETER);
  hc->dwFlags = HCF_AVAILABLE | HCF_HOTKEYAVAILABLE;
  hc->lpszDefaultScheme = scheme;
  return TRUE;
}

BOOL GetWorkArea(PVOID pvParam) {
  if (!pvParam) return Fail(ERROR_INVALID_PARAMETER);
  *static_cast<RECT*>(pvParam) = host::GetScreenParams().workArea;
  return TRUE;
}

// A work area must lie inside the screen and not be empty; none at all means the whole
// screen.
BOOL SetWorkArea(PVOID pvParam) {
  host::ScreenParams params = host::GetScreenParams();
  RECT area{0, 0, params.width, params.height};
  if (pvParam) {
    const RECT& r = *static_cast<const RECT*>(pvParam);
    if (r.left < 0 || r.top < 0 || r.right > params.width || r.bottom > params.height ||
        r.left >= r.right || r.top >= r.bottom)
      return Fail(ERROR_INVALID_PARAMETER);
    area = r;
  }
  params.workArea = area;
  host::SetScreenParams(params);
  return TRUE;
}

BOOL IconSpacing(int metric, PVOID pvParam) {
  if (pvParam) *static_cast<int*>(pvParam) = GetSystemMetrics(metric);
  return TRUE;
}

BOOL SimpleParameter(UINT action, UINT uiParam, PVOID pvParam) {
  UINT value = 0;
  if (GetSimpleParameter(action, &value)) {
    if (!pvParam) return Fail(ERROR_INVALID_PARAMETER);
    std::memcpy(pvParam, &value, sizeof value);  // BOOL, UINT, int or DWORD: 32 bits
    return TRUE;
  }
  if (SetSimpleParameter(action, uiParam, pvParam)) return TRUE;
  return Fail(ERROR_INVALID_PARAMETER);
}

}  // namespace

}  // namespace talix::sysparams

namespace talix::host {

void ResetSystemParameters() { sysparams::ResetSimpleParameters(); }

}  // namespace talix::host

using namespace talix::sysparams;

BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT /*fWinIni*/) {
  switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS: return GetNonClientMetrics(uiParam, pvParam);
    case SPI_GETICONTITLELOGFONT: return GetIconTitleFont(uiParam, pvParam);
    case SPI_GETHIGHCONTRAST: return GetHighContrast(uiParam, pvParam);
    case SPI_GETWORKAREA: return GetWorkArea(pvParam);
    case SPI_SETWORKAREA: return SetWorkArea(pvParam);
    // With pvParam NULL these set the spacing, which is fixed here.
    case SPI_ICONHORIZONTALSPACING: return IconSpacing(SM_CXICONSPACING, pvParam);
    case SPI_ICONVERTICALSPACING: return IconSpacing(SM_CYICONSPACING, pvParam);
    default: return SimpleParameter(uiAction, uiParam, pvParam);
  }
}
