// What the scenes share: the plain window class their skinned windows use, and rectangles
// and styles for the current variant.
#pragma once

#include "apps/gallery/scene.h"

#include <windows.h>

namespace talix::gallery {

// A class with no look of its own (registered on first use); skins paint everything.
const WCHAR* PanelClass();

// (x, y, width, height) in unscaled pixels, scaled by the library's factors.
RECT ScaledRect(int x, int y, int width, int height);

// WS_EX_LAYOUTRTL for right-to-left variants (children inherit it).
DWORD LayoutExStyle(const Variant& variant);

// The scenes, one factory each.
std::unique_ptr<Scene> MakeWindowTreeScene();
std::unique_ptr<Scene> MakeStaticsScene();
std::unique_ptr<Scene> MakePushButtonScene();
std::unique_ptr<Scene> MakeCommonButtonScene();
std::unique_ptr<Scene> MakeTooltipScene();
std::unique_ptr<Scene> MakeTabScene();
std::vector<std::unique_ptr<Scene>> MakeMessageBoxScenes();

}  // namespace talix::gallery
