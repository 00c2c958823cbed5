// The virtual screen's parameters, read from the environment once and settable by the host.
#include <talix/host_screen.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace talix::host {
namespace {

constexpr int kTaskbarBand = 30;

void FillWorkArea(ScreenParams& p) {
  const RECT& w = p.workArea;
  if (w.right <= w.left || w.bottom <= w.top)
    p.workArea = RECT{0, 0, p.width, p.height > kTaskbarBand ? p.height - kTaskbarBand : p.height};
}

ScreenParams FromEnvironment() {
  ScreenParams p;
  if (const char* s = std::getenv("TALIX_SCREEN")) {
    int w = 0, h = 0, dpi = 0;
    int n = std::sscanf(s, "%dx%d@%d", &w, &h, &dpi);
    if (n >= 2 && w > 0 && h > 0 && w <= 16384 && h <= 16384) {
      p.width = w;
      p.height = h;
      if (n == 3 && dpi > 0 && dpi <= 960) p.dpi = dpi;
    }
  }
  if (const char* s = std::getenv("TALIX_SYSFONT")) {
    int w = 0, h = 0;
    if (std::sscanf(s, "%dx%d", &w, &h) == 2 && w > 0 && h > 0 && w <= 256 && h <= 256) {
      p.systemFontWidth = w;
      p.systemFontHeight = h;
    }
  }
  p.workArea = RECT{};
  FillWorkArea(p);
  return p;
}

std::mutex& Mutex() {
  static std::mutex m;
  return m;
}

ScreenParams& Current() {
  static ScreenParams params = FromEnvironment();
  return params;
}

}  // namespace

const ScreenParams& GetScreenParams() {
  std::lock_guard<std::mutex> lock(Mutex());
  return Current();
}

void SetScreenParams(const ScreenParams& params) {
  std::lock_guard<std::mutex> lock(Mutex());
  ScreenParams p = params;
  FillWorkArea(p);
  Current() = p;
}

}  // namespace talix::host
