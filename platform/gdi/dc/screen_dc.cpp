#include "platform/gdi/dc/screen_dc.h"

#include "platform/gdi/dc/dc_object.h"

#include <talix/host_screen.h>
#include <win/base.h>
#include <win/user.h>
#include <win/gdi.h>

#include <mutex>

namespace talix::gdi {

TALIX_EXPORT void SelectDefaultObjects(DcObject& dc);

std::shared_ptr<BitmapObject> ScreenSurface() {
  static std::mutex mutex;
  static std::shared_ptr<BitmapObject> surface;
  const host::ScreenParams& params = host::GetScreenParams();
  std::lock_guard<std::mutex> lock(mutex);
  if (!surface || surface->Width() != params.width || surface->Height() != params.height) {
    PixelFormat format;
    surface = BitmapObject::Create(params.width, params.height, format, false, true);
  }
  return surface;
}

HDC CreateScreenDc() {
  auto surface = ScreenSurface();
  if (!surface) return nullptr;
  auto dc = std::make_shared<DcObject>(OBJ_DC);
  dc->SetFixedTarget(std::move(surface), POINT{0, 0}, SIZE{0, 0});
  SelectDefaultObjects(*dc);
  return static_cast<HDC>(AddGdiObject(std::move(dc)));
}

}  // namespace talix::gdi

HDC CreateDCW(LPCWSTR pwszDriver, LPCWSTR pwszDevice, LPCWSTR pszPort, const DEVMODEW* pdm) {
  static const char16_t kDisplay[] = u"DISPLAY";
  LPCWSTR name = pwszDriver ? pwszDriver : pwszDevice;
  bool display = name != nullptr;
  for (int i = 0; display && i < 8; ++i) {
    char16_t c = name[i];
    if (c >= u'a' && c <= u'z') c = char16_t(c - u'a' + u'A');
    display = c == kDisplay[i];
  }
  if (!display) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return talix::gdi::CreateScreenDc();
}
