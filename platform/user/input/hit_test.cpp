// Hit-testing.
//
// Limits: the caption buttons of WS_EX_LAYOUTRTL windows are not mirrored; scroll bars
// are not part of the frame (WM_NCCALCSIZE does not reserve them), so HTVSCROLL and
// HTHSCROLL are never answered.
#include "platform/user/input/hit_test.h"

#include "platform/user/input/input_state.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/window/frame_metrics.h"

#include <win/input.h>
#include <win/sysmetrics.h>

#include <algorithm>

namespace talix::user {
namespace {

bool Inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool IsTopLevel(const Window& window) { return !window.parent || !window.parent->parent; }

bool Excluded(const std::vector<HWND>& excluded, const Window& window) {
  return std::find(excluded.begin(), excluded.end(), window.hwnd) != excluded.end();
}

// Layered windows that are also transparent let the mouse through.
bool ClickThrough(const Window& window) {
  return (window.exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) ==
         (WS_EX_LAYERED | WS_EX_TRANSPARENT);
}

// The window under the point among `parent`'s children; `parent` itself when a disabled
// child covers the point; null when no child does.
Window* FindInChildrenLocked(Window& parent, POINT pt, const std::vector<HWND>& excluded) {
  for (Window* child : parent.children) {
    if (!(child->style & WS_VISIBLE) || Excluded(excluded, *child)) continue;
    if (IsTopLevel(*child) && ClickThrough(*child)) continue;
    if (!ContainsPointLocked(*child, pt)) continue;
    if ((child->style & WS_DISABLED) && !IsTopLevel(*child)) return &parent;
    if (!(child->style & WS_MINIMIZE) && Inside(ClientScreenRectLocked(*child), pt))
      if (Window* inner = FindInChildrenLocked(*child, pt, excluded)) return inner;
    return child;
  }
  return nullptr;
}

}  // namespace

POINT ScreenToClientLocked(const Window& window, POINT screen) {
  RECT client = ClientScreenRectLocked(window);
  if (window.exStyle & WS_EX_LAYOUTRTL) return POINT{client.right - 1 - screen.x, screen.y - client.top};
  return POINT{screen.x - client.left, screen.y - client.top};
}

bool ContainsPointLocked(const Window& window, POINT screen) {
  RECT r = WindowScreenRectLocked(window);
  if (!Inside(r, screen)) return false;
  gdi::Region32 region;
  return !WindowRegionLocked(window, &region) ||
         region.Contains(screen.x - r.left, screen.y - r.top);
}

Window* GeometricWindowAtLocked(POINT screen, const std::vector<HWND>& excluded) {
  Window& desktop = DesktopLocked();
  Window* found = FindInChildrenLocked(desktop, screen, excluded);
  return found == &desktop ? nullptr : found;
}

HWND HitTestScreenPoint(POINT screen, int* hit) {
  std::vector<HWND> excluded;
  for (;;) {
    HWND candidate;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      Window* window = GeometricWindowAtLocked(screen, excluded);
      if (!window) {
        *hit = HTNOWHERE;
        return nullptr;
      }
      candidate = window->hwnd;
    }
    LRESULT code = SendMessageW(candidate, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (code != HTTRANSPARENT || !IsWindow(candidate)) {
      *hit = static_cast<int>(code);
      return candidate;
    }
    excluded.push_back(candidate);
  }
}

namespace {

struct FrameFacts {
  RECT window, client;
  DWORD style, exStyle;
  bool menu;
};

FrameFacts FactsOfLocked(const Window& window) {
  return FrameFacts{WindowScreenRectLocked(window), ClientScreenRectLocked(window), window.style,
                    window.exStyle, !(window.style & WS_CHILD) && window.id != 0};
}

LRESULT SizingEdge(const FrameFacts& f, POINT pt) {
  int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
  int cx = std::max(fx, GetSystemMetrics(SM_CXSIZE)), cy = std::max(fy, GetSystemMetrics(SM_CYSIZE));
  const RECT& w = f.window;
  bool left = pt.x < w.left + fx, right = pt.x >= w.right - fx;
  bool top = pt.y < w.top + fy, bottom = pt.y >= w.bottom - fy;
  if (!left && !right && !top && !bottom) return HTNOWHERE;
  bool nearLeft = pt.x < w.left + cx, nearRight = pt.x >= w.right - cx;
  bool nearTop = pt.y < w.top + cy, nearBottom = pt.y >= w.bottom - cy;
  if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
  if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
  if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
  if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
  if (top) return HTTOP;
  if (bottom) return HTBOTTOM;
  return left ? HTLEFT : HTRIGHT;
}

// The part of the caption bar under the point: system menu, buttons or the bar itself.
LRESULT CaptionPart(const FrameFacts& f, POINT pt, const RECT& caption) {
  if (!(f.style & WS_SYSMENU)) return HTCAPTION;
  bool tool = (f.exStyle & WS_EX_TOOLWINDOW) != 0;
  int button = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE);
  bool icon = !tool && !(f.exStyle & WS_EX_DLGMODALFRAME);
  if (icon && pt.x < caption.left + button) return HTSYSMENU;
  int right = caption.right;
  if (pt.x >= right - button) return HTCLOSE;
  if (!tool && (f.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
    if (pt.x >= right - 2 * button) return HTMAXBUTTON;
    if (pt.x >= right - 3 * button) return HTMINBUTTON;
  }
  return HTCAPTION;
}

}  // namespace

LRESULT DefNcHitTest(HWND hwnd, POINT pt) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  return window ? DefNcHitTestLocked(*window, pt) : HTNOWHERE;
}

LRESULT DefNcHitTestLocked(const Window& window, POINT pt) {
  FrameFacts f = FactsOfLocked(window);
  if (!Inside(f.window, pt)) return HTNOWHERE;
  if (f.style & WS_MINIMIZE) return HTCAPTION;
  if (Inside(f.client, pt)) return HTCLIENT;
  if ((f.style & WS_THICKFRAME) && !(f.style & WS_MAXIMIZE)) {
    LRESULT edge = SizingEdge(f, pt);
    if (edge != HTNOWHERE) return edge;
  }
  if ((f.style & WS_CAPTION) == WS_CAPTION) {
    bool tool = (f.exStyle & WS_EX_TOOLWINDOW) != 0;
    int height = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
    RECT in = FrameInsets(f.style, f.exStyle, false);  // the caption sits inside the border
    int top = f.window.top + in.top - height;
    RECT caption{f.window.left + in.left, top, f.window.right - in.right, top + height};
    if (Inside(caption, pt)) return CaptionPart(f, pt, caption);
    if (f.menu && pt.y >= caption.bottom && pt.y < f.client.top && pt.x >= caption.left &&
        pt.x < caption.right)
      return HTMENU;
  }
  return HTBORDER;
}

}  // namespace talix::user

using namespace talix::user;

namespace {

// The children of `parent` under a point of its client area, in z-order, as the flags
// allow; fills *screen with the point in screen coordinates. False when the point is
// outside the parent (or the parent is not a window).
bool ChildrenAt(HWND parent, POINT pt, UINT flags, POINT* screen, std::vector<HWND>* found) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* p = WindowOrErrorLocked(parent);
  if (!p) return false;
  RECT client = ClientScreenRectLocked(*p);
  *screen = POINT{(p->exStyle & WS_EX_LAYOUTRTL) ? client.right - 1 - pt.x : client.left + pt.x,
                  client.top + pt.y};
  if (p->parent && !Inside(WindowScreenRectLocked(*p), *screen)) return false;
  for (Window* child : p->children) {
    if ((flags & CWP_SKIPINVISIBLE) && !(child->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (child->exStyle & WS_EX_TRANSPARENT)) continue;
    if (ContainsPointLocked(*child, *screen)) found->push_back(child->hwnd);
  }
  return true;
}

}  // namespace

HWND WindowFromPoint(POINT point) {
  int hit;
  return HitTestScreenPoint(point, &hit);
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
  POINT screen;
  std::vector<HWND> found;
  if (!ChildrenAt(parent, point, flags, &screen, &found)) return nullptr;
  return found.empty() ? parent : found.front();
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  return ChildWindowFromPointEx(parent, point, CWP_ALL);
}

HWND RealChildWindowFromPoint(HWND parent, POINT point) {
  POINT screen;
  std::vector<HWND> found;
  if (!ChildrenAt(parent, point, CWP_SKIPINVISIBLE, &screen, &found)) return nullptr;
  for (HWND child : found)
    if (SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) != HTTRANSPARENT)
      return child;
  return parent;
}
