#include "platform/user/paint/paint_geometry.h"

#include "platform/gdi/region_object.h"

namespace talix::user {
namespace {

bool IsTopLevel(const Window& window) {
  return window.parent && !window.parent->parent;
}

// The window region in top coordinates, or null when the window has none.
bool WindowRegionInTop(const Window& window, gdi::Region32* out) {
  if (!WindowRegionLocked(window, out)) return false;
  RECT at = WindowRectInTopLocked(window);
  out->Translate(at.left, at.top);
  return true;
}

}  // namespace

bool WindowRegionLocked(const Window& window, gdi::Region32* out) {
  gdi::RegionObject* region = window.windowRegion ? gdi::PeekRegion(window.windowRegion) : nullptr;
  if (!region) return false;
  *out = gdi::Region32(&region->region);
  if (window.exStyle & WS_EX_LAYOUTRTL) out->MirrorX(RectWidth(window.rect));
  return true;
}

Window* TopLevelLocked(const Window& window) {
  const Window* w = &window;
  while (w->parent && w->parent->parent) w = w->parent;
  return IsTopLevel(*w) ? const_cast<Window*>(w) : nullptr;
}

bool IsShownLocked(const Window& window) {
  for (const Window* w = &window; w; w = w->parent) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (IsTopLevel(*w)) return true;
  }
  return false;
}

RECT WindowRectInTopLocked(const Window& window) {
  RECT size{0, 0, RectWidth(window.rect), RectHeight(window.rect)};
  if (!window.parent || IsTopLevel(window)) return size;
  RECT parentClient = ClientRectInTopLocked(*window.parent);
  if (window.parent->exStyle & WS_EX_LAYOUTRTL) {
    // A right-to-left parent places its children from its client area's right edge.
    RECT r = Shifted(window.rect, 0, parentClient.top);
    r.left = parentClient.right - window.rect.right;
    r.right = r.left + RectWidth(window.rect);
    return r;
  }
  return Shifted(window.rect, parentClient.left, parentClient.top);
}

RECT ClientRectInTopLocked(const Window& window) {
  RECT at = WindowRectInTopLocked(window);
  return Shifted(window.client, at.left, at.top);
}

gdi::Region32 ShapeInTopLocked(const Window& window) {
  gdi::Region32 shape(WindowRectInTopLocked(window));
  gdi::Region32 region;
  if (WindowRegionInTop(window, &region)) shape.Intersect(region);
  return shape;
}

ClipOptions StyleClipLocked(const Window& window, bool windowArea) {
  ClipOptions options;
  options.windowArea = windowArea;
  options.clipChildren = (window.style & WS_CLIPCHILDREN) != 0;
  options.clipSiblings = (window.style & WS_CLIPSIBLINGS) != 0;
  return options;
}

gdi::Region32 VisibleRegionLocked(const Window& window, const ClipOptions& options) {
  if (!IsShownLocked(window)) return gdi::Region32();
  if (options.parentClip && window.parent && !IsTopLevel(window)) {
    ClipOptions parent;
    parent.clipSiblings = (window.parent->style & WS_CLIPSIBLINGS) != 0;
    return VisibleRegionLocked(*window.parent, parent);
  }
  gdi::Region32 visible = ShapeInTopLocked(window);
  if (!options.windowArea) visible.Intersect(ClientRectInTopLocked(window));
  for (const Window* w = &window; !IsTopLevel(*w); w = w->parent) {
    const Window& parent = *w->parent;
    visible.Intersect(ClientRectInTopLocked(parent));
    visible.Intersect(ShapeInTopLocked(parent));
    bool clipSiblings = w == &window ? options.clipSiblings : (w->style & WS_CLIPSIBLINGS) != 0;
    if (!clipSiblings) continue;
    for (const Window* sibling : parent.children) {
      if (sibling == w) break;  // the rest lie below
      if (sibling->style & WS_VISIBLE) visible.Subtract(ShapeInTopLocked(*sibling));
    }
  }
  if (options.clipChildren)
    for (const Window* child : window.children)
      if (child->style & WS_VISIBLE) visible.Subtract(ShapeInTopLocked(*child));
  return visible;
}

}  // namespace talix::user
