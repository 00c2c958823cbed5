// talix-gallery: every part of the toolkit in one host application, set up as the suite's
// applications set themselves up. Writes one PNG per scene and variant; with a display it
// then stays open until its window is closed.
// Exit status: 0 done, 1 a scene failed or the set-up is incomplete, 2 bad arguments.
#include "apps/gallery/environment.h"
#include "apps/gallery/options.h"
#include "apps/gallery/render.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

const char kUsage[] = "usage: talix-gallery [--out DIR] [--scene NAME] [--headless] [--list]\n";

int RenderAll(const talix::gallery::Options& options,
              const std::vector<std::unique_ptr<talix::gallery::Scene>>& scenes) {
  std::error_code ec;
  std::filesystem::create_directories(options.outDir, ec);
  int failures = 0;
  for (const auto& scene : scenes) {
    for (const auto& variant : talix::gallery::AllVariants()) {
      std::string error;
      if (!talix::gallery::RenderScene(*scene, variant, options.outDir, &error)) {
        std::fprintf(stderr, "talix-gallery: %s\n", error.c_str());
        ++failures;
      }
    }
  }
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  talix::gallery::Options options;
  std::string error;
  if (!talix::gallery::ParseOptions({argv + 1, argv + argc}, &options, &error)) {
    std::fprintf(stderr, "talix-gallery: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  auto scenes = talix::gallery::MakeAllScenes();
  if (options.list) {
    for (const auto& scene : scenes) std::printf("%s\n", scene->Name());
    return 0;
  }
  if (!options.scene.empty()) {
    std::erase_if(scenes, [&](const auto& scene) { return options.scene != scene->Name(); });
    if (scenes.empty()) {
      std::fprintf(stderr, "talix-gallery: no scene named '%s'\n", options.scene.c_str());
      return 2;
    }
  }
  if (!talix::gallery::SetUpEnvironment(&error)) {
    std::fprintf(stderr, "talix-gallery: %s\n", error.c_str());
    return 1;
  }
  const int failures = RenderAll(options, scenes);
  std::printf("talix-gallery: %zu scenes in %zu variants written to %s\n", scenes.size(),
              talix::gallery::AllVariants().size(), options.outDir.c_str());
  const bool display = !options.headless && std::getenv("DISPLAY") && *std::getenv("DISPLAY");
  if (display && failures == 0) talix::gallery::ShowScenes(scenes);
  talix::gallery::TearDownEnvironment();
  return failures ? 1 : 0;
}
