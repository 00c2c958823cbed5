#include "platform/user/paint/window_dc.h"

#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/dc/screen_dc.h"
#include "platform/gdi/region_object.h"
#include "platform/user/compose/screen_damage.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/window_surface.h"

#include <talix/host_capture.h>
#include <win/paint.h>

#include <algorithm>
#include <unordered_map>

namespace talix::gdi {
TALIX_EXPORT void SelectDefaultObjects(DcObject& dc);
}

namespace talix::user {
namespace {

struct DcRecord {
  HWND hwnd = nullptr;
  HWND top = nullptr;       // null for screen DCs
  RECT drawable{};          // bounds of what the DC may draw, in top coordinates
};

// Guarded by UserLock.
std::unordered_map<HDC, DcRecord>& DcRecordsLocked() {
  static auto* records = new std::unordered_map<HDC, DcRecord>;
  return *records;
}

}  // namespace

HDC MakeWindowDcLocked(Window& window, const WindowDcRequest& request) {
  Window* top = TopLevelLocked(window);
  if (!top) return nullptr;
  std::shared_ptr<gdi::BitmapObject> surface = SurfaceOfLocked(*top);
  if (!surface) return nullptr;
  RECT area = request.clip.windowArea ? WindowRectInTopLocked(window)
                                      : ClientRectInTopLocked(window);
  gdi::Region32 visible = VisibleRegionLocked(window, request.clip);
  visible.Translate(-area.left, -area.top);
  if (request.intersect) visible.Intersect(*request.intersect);
  if (request.exclude) visible.Subtract(*request.exclude);
  auto dc = std::make_shared<gdi::DcObject>(OBJ_DC);
  dc->SetFixedTarget(surface, POINT{area.left, area.top},
                     SIZE{std::max(1, RectWidth(area)), std::max(1, RectHeight(area))});
  RECT drawable = Shifted(visible.Box(), area.left, area.top);
  dc->SetVisibleRegion(std::move(visible));
  gdi::SelectDefaultObjects(*dc);
  if (window.exStyle & WS_EX_LAYOUTRTL) dc->State().layout = LAYOUT_RTL;
  HDC hdc = static_cast<HDC>(gdi::AddGdiObject(std::move(dc)));
  if (!hdc) return nullptr;
  DcRecordsLocked()[hdc] = DcRecord{window.hwnd, top->hwnd, drawable};
  ++PaintStateLocked(*top).openDcs;
  return hdc;
}

bool ForgetWindowDc(HDC hdc) {
  RECT changed{};
  {
    std::lock_guard<std::mutex> lock(UserLock());
    auto it = DcRecordsLocked().find(hdc);
    if (it == DcRecordsLocked().end()) return false;
    DcRecord record = it->second;
    DcRecordsLocked().erase(it);
    if (!record.top) {  // a screen DC: what it drew stays until windows cover it
      NoteScreenDrawn();
      return true;
    }
    Window* top = WindowLocked(record.top);
    if (!top) return true;
    if (PaintState* state = FindPaintStateLocked(*top))
      state->openDcs = std::max(0, state->openDcs - 1);
    if (top->style & WS_VISIBLE) changed = Shifted(record.drawable, top->rect.left, top->rect.top);
  }
  DamageScreen(changed);
  return true;
}

namespace {

HDC ScreenDc() {
  host::ComposeScreen();
  HDC hdc = gdi::CreateScreenDc();
  if (!hdc) return nullptr;
  std::lock_guard<std::mutex> lock(UserLock());
  DcRecordsLocked()[hdc] = DcRecord{DesktopLocked().hwnd, nullptr, RECT{}};
  return hdc;
}

bool IsDesktop(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  return hwnd == DesktopLocked().hwnd;
}

// GetDCEx's clip region (screen coordinates) in the DC's device coordinates.
std::optional<gdi::Region32> ClipInDevice(HRGN region, const Window& window, bool windowArea) {
  gdi::RegionObject* object = region ? gdi::PeekRegion(region) : nullptr;
  if (!object) return std::nullopt;
  gdi::Region32 clip(&object->region);
  POINT origin = ClientOriginLocked(window);
  if (windowArea) {
    origin.x -= window.client.left;
    origin.y -= window.client.top;
  }
  clip.Translate(-origin.x, -origin.y);
  return clip;
}

}  // namespace
}  // namespace talix::user

using namespace talix;
using namespace talix::user;

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  if (!hwnd || IsDesktop(hwnd)) return ScreenDc();
  HDC hdc = nullptr;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowOrErrorLocked(hwnd);
    if (!window) return nullptr;
    bool windowArea = (flags & DCX_WINDOW) != 0;
    WindowDcRequest request;
    request.clip = StyleClipLocked(*window, windowArea);
    request.clip.clipChildren |= (flags & DCX_CLIPCHILDREN) != 0;
    request.clip.clipSiblings |= (flags & DCX_CLIPSIBLINGS) != 0;
    request.clip.parentClip = (flags & DCX_PARENTCLIP) != 0 ||
                              (window->cls && (window->cls->style & CS_PARENTDC));
    if (flags & DCX_INTERSECTRGN) {
      request.intersect = ClipInDevice(clip, *window, windowArea);
      if (!request.intersect) request.intersect = gdi::Region32();
    }
    if (flags & DCX_EXCLUDERGN) request.exclude = ClipInDevice(clip, *window, windowArea);
    hdc = MakeWindowDcLocked(*window, request);
  }
  if (!hdc) return nullptr;
  if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) DeleteObject(clip);  // ours now
  return hdc;
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, 0); }

HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW); }

int ReleaseDC(HWND hwnd, HDC hdc) {
  (void)hwnd;  // the DC knows its window
  if (!ForgetWindowDc(hdc)) return 0;
  return DeleteDC(hdc) ? 1 : 0;
}

HWND WindowFromDC(HDC hdc) {
  std::lock_guard<std::mutex> lock(UserLock());
  auto it = DcRecordsLocked().find(hdc);
  if (it == DcRecordsLocked().end() || !gdi::PeekDc(hdc)) return nullptr;
  return it->second.hwnd;
}
