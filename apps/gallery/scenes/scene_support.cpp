#include "apps/gallery/scenes/scene_support.h"

#include "frame/QuorLib.h"

#include <cmath>

namespace talix::gallery {
namespace {

const WCHAR* RegisterPanelClass() {
  static const WCHAR name[] = u"TalixGalleryPanel";
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  RegisterClassExW(&wc);
  return name;
}

int Scale(int value, double factor) { return int(std::lround(value * factor)); }

}  // namespace

const WCHAR* PanelClass() {
  static const WCHAR* name = RegisterPanelClass();
  return name;
}

RECT ScaledRect(int x, int y, int width, int height) {
  const double sx = CQuorLib::GetScaleX(), sy = CQuorLib::GetScaleY();
  const int left = Scale(x, sx), top = Scale(y, sy);
  return RECT{left, top, left + Scale(width, sx), top + Scale(height, sy)};
}

DWORD LayoutExStyle(const Variant& variant) { return variant.rightToLeft ? WS_EX_LAYOUTRTL : 0; }

std::vector<std::unique_ptr<Scene>> MakeAllScenes() {
  std::vector<std::unique_ptr<Scene>> scenes;
  scenes.push_back(MakeWindowTreeScene());
  scenes.push_back(MakeStaticsScene());
  scenes.push_back(MakePushButtonScene());
  scenes.push_back(MakeCommonButtonScene());
  scenes.push_back(MakeTooltipScene());
  scenes.push_back(MakeTabScene());
  for (auto& scene : MakeMessageBoxScenes()) scenes.push_back(std::move(scene));
  return scenes;
}

}  // namespace talix::gallery
