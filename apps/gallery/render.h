// Drawing scenes: headless into PNG files, or on the screen through the presenter.
#pragma once

#include "apps/gallery/scene.h"

#include <filesystem>
#include <string>

namespace talix::gallery {

// Builds the scene in the variant, paints it through the real paint cycle and writes its
// window as OUT/<scene>-<variant>.png. False with a reason in *error.
bool RenderScene(Scene& scene, const Variant& variant, const std::filesystem::path& outDir,
                 std::string* error);

// Shows the scenes left-to-right at 100% side by side on the virtual screen, starts the
// presenter and runs the message loop until the presenter's window is closed. False at
// once when there is no display to show them on.
bool ShowScenes(const std::vector<std::unique_ptr<Scene>>& scenes);

}  // namespace talix::gallery
