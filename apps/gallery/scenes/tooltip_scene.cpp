// Scene "tooltip": three tool windows, each with the skinned tooltip it shows on hover
// drawn below it: one line, two lines, and a text with an "&" prefix. The tooltips are
// shown for real (the cursor rests on each tool and the shared tooltip pops up), captured,
// and painted into the scene window, since the tooltip is a window of its own.
#include "apps/gallery/scenes/scene_support.h"

#include "chrome/QuorTooltip.h"

#include <talix/host_capture.h>
#include <talix/host_input.h>
#include <talix/host_windows.h>
#include <win/commctrl.h>

#include <algorithm>
#include <array>

namespace talix::gallery {
namespace {

constexpr size_t kTools = 3;
constexpr std::array<const WCHAR*, kTools> kTexts = {u"Save the file", u"Two lines:\nthe second is longer",
                                                     u"&Underlined first letter"};

struct Picture {
  HBITMAP bitmap = nullptr;
  POINT at{0, 0};  // client position in the scene window
  SIZE size{0, 0};
};

class TooltipScene : public Scene {
 public:
  const char* Name() const override { return "tooltip"; }

  HWND Create(const Variant& variant) override {
    RECT main = ScaledRect(0, 0, 520, 150);
    main_ = CreateWindowExW(LayoutExStyle(variant), SceneClass(), u"Tooltips", WS_POPUP,
                            main.left, main.top, main.right - main.left,
                            main.bottom - main.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!main_) return nullptr;
    SetWindowLongPtrW(main_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    for (size_t i = 0; i < kTools; ++i) {
      RECT r = ScaledRect(20 + int(i) * 170, 16, 140, 32);
      tools_[i] = CreateWindowExW(0, SceneClass(), u"", WS_CHILD | WS_VISIBLE, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, main_,
                                  HMENU(INT_PTR(i + 1)), GetModuleHandleW(nullptr), nullptr);
      tips_[i].SetTooltip(tools_[i], kTexts[i]);
    }
    ShowTips();
    return main_;
  }

  void Release() override {
    for (Picture& picture : pictures_) {
      if (picture.bitmap) DeleteObject(picture.bitmap);
      picture = Picture{};
    }
    main_ = nullptr;
  }

 private:
  static const WCHAR* SceneClass() {
    static const WCHAR* name = [] {
      static const WCHAR className[] = u"TalixGalleryTooltipScene";
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = SceneProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = GetSysColorBrush(COLOR_HIGHLIGHT);  // the tools
      wc.lpszClassName = className;
      RegisterClassExW(&wc);
      return className;
    }();
    return name;
  }

  static LRESULT CALLBACK SceneProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* scene = reinterpret_cast<TooltipScene*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg != WM_PAINT || !scene) return DefWindowProcW(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    scene->Paint(dc);
    EndPaint(hwnd, &ps);
    return 0;
  }

  // Rests the cursor on each tool in turn, pops its tooltip up and keeps its picture.
  void ShowTips() {
    ShowWindow(main_, SW_SHOW);
    SetForegroundWindow(main_);
    HWND shared = static_cast<HWND>(GetPropW(main_, CQuorTooltip::kWindowProperty));
    for (size_t i = 0; i < kTools && shared; ++i) {
      RECT tool;
      GetWindowRect(tools_[i], &tool);
      talix::host::MouseMove((tool.left + tool.right) / 2, (tool.top + tool.bottom) / 2);
      talix::host::PumpMessagesUntilIdle();
      SendMessageW(shared, TTM_POPUP, 0, 0);
      UpdateWindow(shared);
      talix::host::PumpMessagesUntilIdle();
      Keep(i, shared);
      SendMessageW(shared, TTM_POP, 0, 0);
    }
    talix::host::MouseMove(0, 0);
    ShowWindow(main_, SW_HIDE);
  }

  // The tooltip's picture goes below its tool, a little in from the tool's leading edge.
  void Keep(size_t i, HWND shared) {
    RECT frame, tool;
    GetWindowRect(shared, &frame);
    GetWindowRect(tools_[i], &tool);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&tool), 2);
    Picture& picture = pictures_[i];
    picture.bitmap = talix::host::CaptureWindowBitmap(shared);
    picture.size = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    RECT offset = ScaledRect(8, 8, 0, 0);
    picture.at = POINT{std::min(tool.left, tool.right) + offset.left,
                       std::max(tool.top, tool.bottom) + offset.top};
  }

  void Paint(HDC dc) {
    if (!main_) return;
    RECT client;
    GetClientRect(main_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DDKSHADOW));
    // Pictures keep their orientation in a right-to-left window.
    DWORD rop = SRCCOPY | ((GetLayout(dc) & LAYOUT_RTL) ? NOMIRRORBITMAP : 0);
    HDC memory = CreateCompatibleDC(dc);
    for (const Picture& picture : pictures_) {
      if (!picture.bitmap) continue;
      HGDIOBJ old = SelectObject(memory, picture.bitmap);
      BitBlt(dc, picture.at.x, picture.at.y, picture.size.cx, picture.size.cy, memory, 0, 0, rop);
      SelectObject(memory, old);
    }
    DeleteDC(memory);
  }

  HWND main_ = nullptr;
  std::array<HWND, kTools> tools_{};
  std::array<CQuorTooltip, kTools> tips_;
  std::array<Picture, kTools> pictures_;
};

}  // namespace

std::unique_ptr<Scene> MakeTooltipScene() { return std::make_unique<TooltipScene>(); }

}  // namespace talix::gallery
