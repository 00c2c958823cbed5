// Host API: the virtual screen's parameters.
#pragma once

#include <win/types.h>

namespace talix::host {

struct ScreenParams {
  int width = 1280;
  int height = 1024;
  int dpi = 96;
  RECT workArea{0, 0, 1280, 1024 - 30};
  int systemFontWidth = 7;  // the system font's average character cell
  int systemFontHeight = 16;
};

// The current parameters: from TALIX_SCREEN ("WIDTHxHEIGHT@DPI") and TALIX_SYSFONT
// ("WIDTHxHEIGHT") at first use, else the defaults above.
TALIX_EXPORT const ScreenParams& GetScreenParams();
// Replaces them (tests, the demo). A work area left empty is the screen less a
// 30-pixel band at the bottom.
TALIX_EXPORT void SetScreenParams(const ScreenParams& params);

// The values SystemParametersInfoW can set (hover sizes and time, wheel lines, visual
// effects, ...) back to their defaults. The work area is part of the parameters above
// (SPI_SETWORKAREA changes them).
TALIX_EXPORT void ResetSystemParameters();

}  // namespace talix::host
