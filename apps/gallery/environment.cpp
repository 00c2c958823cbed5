#include "apps/gallery/environment.h"

#include "frame/LibraryExports.h"
#include "frame/QuorLib.h"

#include <talix/host_registry.h>
#include <talix/host_screen.h>

#include <filesystem>

namespace talix::gallery {
namespace {

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

}  // namespace

bool SetUpEnvironment(std::string* error) {
  const std::filesystem::path reg = ExecutableFolder() / "demo.reg";
  const std::string problem = talix::host::LoadRegistryFile(reg.string());
  if (!problem.empty()) {
    *error = problem;
    return false;
  }
  CQuorLib::Init(GetModuleHandleW(nullptr), TALIX_GetCommonSKX());
  if (!CQuorLib::GetResourceInstance()) {
    *error = "the theme module (Resource/TALIX_Dark.skx beside the library) was not found";
    return false;
  }
  return true;
}

void ApplyVariant(const Variant& variant) {
  talix::host::ScreenParams screen = talix::host::GetScreenParams();
  const bool scaled = variant.scalePercent == 125;
  screen.dpi = scaled ? 120 : 96;
  screen.systemFontWidth = scaled ? 8 : 7;
  screen.systemFontHeight = scaled ? 20 : 16;
  screen.workArea = RECT{};  // recomputed from the screen size
  talix::host::SetScreenParams(screen);
  CQuorLib::Init(CQuorLib::GetInstance(), CQuorLib::GetResourceInstance());
  CQuorLib::SetAutoScale(scaled);
  CQuorLib::SetLayout(variant.rightToLeft ? LAYOUT_RTL : 0);
}

void TearDownEnvironment() { TALIX_Finalize(); }

}  // namespace talix::gallery
