// Test support: looking at an X display from a test (finding the presenter's window,
// reading its pixels) and waiting with a bound. Xlib's headers stay out of this header,
// so tests that include <windows.h> can use it too.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace talix::testing {

// Polls `done` every 10 ms for up to five seconds.
bool WaitUntil(const std::function<bool()>& done);

// Sets DISPLAY (or unsets it for null) for the object's lifetime and restores it after.
class ScopedDisplayVariable {
 public:
  explicit ScopedDisplayVariable(const char* value);
  ~ScopedDisplayVariable();
  ScopedDisplayVariable(const ScopedDisplayVariable&) = delete;
  ScopedDisplayVariable& operator=(const ScopedDisplayVariable&) = delete;

 private:
  std::optional<std::string> saved_;
};

// The top-level window titled `title`, or 0 when there is none.
unsigned long FindWindowNamed(_XDisplay* display, const char* title);
// True once that window exists and is mapped (bounded wait); its id in `window`.
bool WaitForMappedWindow(_XDisplay* display, const char* title, unsigned long* window);
// The window's top-left `width` x `height` pixels as 0xRRGGBB, top row first; empty when
// the window is smaller or cannot be read.
std::vector<uint32_t> ReadWindowPixels(_XDisplay* display, unsigned long window, int width,
                                       int height);

}  // namespace talix::testing
