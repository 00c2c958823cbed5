// The "Static" class: text, images, rectangles, frames, etched lines and owner-drawn
// statics.
//
// The window's extra bytes hold the font (WM_SETFONT) and the image (STM_SETIMAGE). The
// style is read at every paint, so a type changed after creation (a subclass making the
// static owner-drawn) takes effect at the next paint. The static never destroys the
// images it is given: they stay the caller's.
//
// Limits: SS_ICON / SS_BITMAP do not load an image named by the window text (images come
// only through STM_SETIMAGE / STM_SETICON), so SS_REALSIZEIMAGE, which picks how such a
// named icon is loaded, has no effect; SS_ENHMETAFILE and SS_USERITEM paint only the
// background; the mnemonic underline is always shown (no keyboard-cue state).
#pragma once

#include <windows.h>

namespace talix::user::controls {

// Extra bytes of a static window.
constexpr int kStaticFontOffset = 0;
constexpr int kStaticImageOffset = sizeof(LONG_PTR);
constexpr int kStaticExtraBytes = 2 * sizeof(LONG_PTR);

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Paints the static (or asks its owner to) into `hdc`.
void PaintStatic(HWND hwnd, HDC hdc);

// DrawTextW flags for the text styles of a static.
UINT StaticTextFormat(LONG style);

inline UINT StaticType(LONG style) { return UINT(style & SS_TYPEMASK); }

}  // namespace talix::user::controls
