// Host API: reading windows and the composed screen back as pixels, PNG files, and
// hearing when the screen changed.
//
// The screen is composed on demand: the top-level windows that are shown, bottom first,
// each cut to its window region, layered windows blended with their constant alpha,
// colour key or per-pixel alpha, over the desktop colour (COLOR_DESKTOP). Only what
// changed since the last composition is composed again. Paint first (PumpMessagesUntilIdle
// or UpdateWindow): capturing does not run any window's WM_PAINT.
#pragma once

#include <win/types.h>

#include <cstdint>
#include <vector>

namespace talix::host {

// Pixels as 0xAARRGGBB words (bytes B, G, R, A in memory), top row first.
struct CapturedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// A window's pixels as it drew them into its top-level window's surface: the whole
// window rectangle (non-client area included), alpha 255. A window given its pixels by
// UpdateLayeredWindow comes back with them, alpha un-premultiplied. False for a bad
// window, the desktop, or a window outside the tree.
TALIX_EXPORT bool CaptureWindow(HWND hwnd, CapturedImage* out);
// The composed screen, alpha 255; or a rectangle of it (cut to the screen; false when
// nothing is left).
TALIX_EXPORT bool CaptureScreen(CapturedImage* out);
TALIX_EXPORT bool CaptureScreenRect(const RECT& rect, CapturedImage* out);
// The same as a new 32-bit top-down DIB section (the caller deletes it); null on failure.
TALIX_EXPORT HBITMAP CaptureWindowBitmap(HWND hwnd);
TALIX_EXPORT HBITMAP CaptureScreenBitmap();

// Writes an 8-bit RGBA PNG; false (with nothing left behind) when the file cannot be
// written. `path` is a host path.
TALIX_EXPORT bool WritePng(const CapturedImage& image, const char* path);
TALIX_EXPORT bool CaptureWindowToPng(HWND hwnd, const char* path);
TALIX_EXPORT bool CaptureScreenToPng(const char* path);

// Brings the screen surface (what GetDC(NULL) reads) up to date with the windows.
TALIX_EXPORT void ComposeScreen();

// Counts changes to what the screen shows (windows painted, moved, shown, hidden,
// reshaped, made translucent). A presenter compares it with the count it last showed.
TALIX_EXPORT uint64_t ScreenChangeCount();
// Called after each change, on the thread that made it, possibly with the window
// manager's lock held: it must only record or signal (no window or GDI calls), and then
// compose and read the screen from its own thread. Null removes it.
using ScreenChangedCallback = void (*)(void* context);
TALIX_EXPORT void SetScreenChangedCallback(ScreenChangedCallback callback, void* context);

}  // namespace talix::host
