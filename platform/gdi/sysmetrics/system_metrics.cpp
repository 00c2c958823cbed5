// System metrics of the virtual screen.
//
// Values are those of the classic look at 96 DPI. At other DPIs, sizes that follow the
// system fonts or icon sizes (scroll bars, captions, menus, icons, check marks, icon and
// minimised-window spacing, minimum window size) scale by DPI / 96, rounded to nearest, as
// Windows scales them; hairlines and mouse tolerances (borders, edges, frames, focus
// border, double-click and drag rectangles) and the cursor (32 x 32) do not.
// Screen sizes come from talix::host::GetScreenParams(): one monitor at (0, 0).
//
// Works during static initialisation: the only state is constant-initialised.
#include <talix/host_screen.h>
#include <talix/host_sysmetrics.h>
#include <win/sysmetrics.h>

#include <atomic>

namespace {

constexpr int kFrame = 4;  // SM_CXFRAME: 1-pixel border + 3-pixel sizing frame
constexpr int kEdge = 2;

// Metrics fixed at every DPI.
int FixedMetric(int index) {
  switch (index) {
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return kFrame;
    case SM_CXEDGE:
    case SM_CYEDGE: return kEdge;
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_MOUSEPRESENT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_CMONITORS: return 1;
    case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_NETWORK: return 1;
    case SM_ARRANGE: return ARW_HIDE;
    case SM_CARETBLINKINGENABLED: return 1;
    default: return 0;  // flags that are off, and unknown indices
  }
}

// The 96-DPI value of a metric that scales with DPI; 0 for the others.
int ScaledMetricAt96(int index) {
  switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL: return 17;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CYMENU: return 19;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 18;
    case SM_CYSMCAPTION: return 16;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 15;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CXMINSPACING:
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINSPACING:
    case SM_CYMINIMIZED: return 24;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    default: return 0;
  }
}

int ScaleToDpi(int value, int dpi) { return (value * dpi + 48) / 96; }

// Metrics that follow the screen. Returns false for other indices.
bool ScreenMetric(int index, int* value) {
  const talix::host::ScreenParams& s = talix::host::GetScreenParams();
  int workWidth = s.workArea.right - s.workArea.left;
  int workHeight = s.workArea.bottom - s.workArea.top;
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN: *value = s.width; return true;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: *value = s.height; return true;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN: *value = 0; return true;
    // The client area of a maximised window with a caption.
    case SM_CXFULLSCREEN: *value = workWidth; return true;
    case SM_CYFULLSCREEN:
      *value = workHeight - ScaleToDpi(ScaledMetricAt96(SM_CYCAPTION), s.dpi);
      return true;
    // A maximised window covers the work area with its sizing frame outside it.
    case SM_CXMAXIMIZED: *value = workWidth + 2 * kFrame; return true;
    case SM_CYMAXIMIZED: *value = workHeight + 2 * kFrame; return true;
    case SM_CXMAXTRACK: *value = s.width + 2 * (kFrame + kEdge); return true;
    case SM_CYMAXTRACK: *value = s.height + 2 * (kFrame + kEdge); return true;
    default: break;
  }
  int at96 = ScaledMetricAt96(index);
  if (at96 == 0) return false;
  *value = ScaleToDpi(at96, s.dpi);
  return true;
}

// Host overrides: constant-initialised tables, so they are usable before main.
constinit std::atomic<bool> g_overridden[SM_CMETRICS] = {};
constinit std::atomic<int> g_overrides[SM_CMETRICS] = {};

bool Overridden(int index, int* value) {
  if (index < 0 || index >= SM_CMETRICS || !g_overridden[index].load(std::memory_order_acquire))
    return false;
  *value = g_overrides[index].load(std::memory_order_relaxed);
  return true;
}

}  // namespace

int GetSystemMetrics(int nIndex) {
  int value = 0;
  if (Overridden(nIndex, &value)) return value;
  if (ScreenMetric(nIndex, &value)) return value;
  return FixedMetric(nIndex);
}

namespace talix::host {

bool SetSystemMetricOverride(int index, int value) {
  if (index < 0 || index >= SM_CMETRICS) return false;
  g_overrides[index].store(value, std::memory_order_relaxed);
  g_overridden[index].store(true, std::memory_order_release);
  return true;
}

void ClearSystemMetricOverrides() {
  for (auto& flag : g_overridden) flag.store(false, std::memory_order_release);
}

}  // namespace talix::host
