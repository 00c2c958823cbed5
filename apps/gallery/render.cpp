#include "apps/gallery/render.h"

#include "apps/gallery/environment.h"

#include <talix/host_capture.h>
#include <talix/host_present.h>
#include <talix/host_windows.h>

namespace talix::gallery {
namespace {

void PaintNow(HWND window) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  talix::host::PumpMessagesUntilIdle();
}

void DestroyScene(Scene& scene, HWND window) {
  DestroyWindow(window);
  talix::host::PumpMessagesUntilIdle();
  scene.Release();
}

}  // namespace

bool RenderScene(Scene& scene, const Variant& variant, const std::filesystem::path& outDir,
                 std::string* error) {
  ApplyVariant(variant);
  HWND window = scene.Create(variant);
  if (!window) {
    *error = std::string("scene ") + scene.Name() + " (" + variant.FileSuffix() +
             "): its window could not be created";
    scene.Release();
    return false;
  }
  PaintNow(window);
  const std::filesystem::path file =
      outDir / (std::string(scene.Name()) + "-" + variant.FileSuffix() + ".png");
  const bool written = talix::host::CaptureWindowToPng(window, file.string().c_str());
  DestroyScene(scene, window);
  if (!written) *error = "cannot write " + file.string();
  return written;
}

bool ShowScenes(const std::vector<std::unique_ptr<Scene>>& scenes) {
  if (!talix::host::StartPresenter()) return false;
  ApplyVariant(Variant{});
  std::vector<HWND> windows;
  int x = 0;
  for (const auto& scene : scenes) {
    HWND window = scene->Create(Variant{});
    if (!window) continue;
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    x += rect.right - rect.left + 8;
    PaintNow(window);
    windows.push_back(window);
  }
  // A timer wakes the loop now and then to notice the presenter's window being closed.
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, nullptr);
  MSG msg;
  while (talix::host::PresenterRunning() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  KillTimer(nullptr, timer);
  for (size_t i = 0; i < windows.size(); ++i) {
    if (IsWindow(windows[i])) DestroyWindow(windows[i]);
  }
  talix::host::PumpMessagesUntilIdle();
  for (const auto& scene : scenes) scene->Release();
  talix::host::StopPresenter();
  return true;
}

}  // namespace talix::gallery
