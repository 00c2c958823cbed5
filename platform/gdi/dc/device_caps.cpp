// GetDeviceCaps: every DC here is a 32-bit raster display DC of the virtual screen
// (memory DCs report the device they are compatible with, as on Windows).
#include "platform/gdi/dc/dc_object.h"

#include <talix/host_screen.h>
#include <win/base.h>
#include <win/gdi.h>

int GetDeviceCaps(HDC hdc, int index) {
  if (!talix::gdi::DcOrError(hdc)) return 0;
  const talix::host::ScreenParams& screen = talix::host::GetScreenParams();
  int dpi = screen.dpi > 0 ? screen.dpi : 96;
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return screen.width * 254 / (dpi * 10);
    case VERTSIZE: return screen.height * 254 / (dpi * 10);
    case HORZRES:
    case DESKTOPHORZRES: return screen.width;
    case VERTRES:
    case DESKTOPVERTRES: return screen.height;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case CURVECAPS:
    case LINECAPS:
    case POLYGONALCAPS: return 0xFF;
    case CLIPCAPS: return CP_RECTANGLE;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV |
             RC_STRETCHBLT | RC_STRETCHDIB;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case VREFRESH: return 60;
    case BLTALIGNMENT: return 0;
    case SHADEBLENDCAPS: return SB_CONST_ALPHA | SB_PIXEL_ALPHA | SB_PREMULT_ALPHA | SB_GRAD_RECT;
    default: return 0;
  }
}
