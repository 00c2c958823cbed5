// Hostile .ico / .cur files and icon resource bytes. The first byte picks what the rest
// is taken for: a .ico file, a .cur file, an RT_ICON image, an RT_CURSOR image or a .bmp
// file. Whatever loads is drawn and destroyed; no icon or GDI object may be left behind.
#include "platform/gdi/image_load/bitmap_load.h"
#include "platform/gdi/image_load/icon_image.h"

#include <talix/host_handles.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

#define CHECK(cond)                                                               \
  do {                                                                            \
    if (!(cond)) {                                                                \
      std::fprintf(stderr, "iconfile: %s failed at line %d\n", #cond, __LINE__); \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

void DrawAndDestroy(HICON icon) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateBitmap(40, 40, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  CHECK(DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  CHECK(DrawIconEx(dc, 3, 3, icon, 37, 5, 0, nullptr, DI_NORMAL));
  ICONINFO info{};
  CHECK(GetIconInfo(icon, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  CHECK(DestroyIcon(icon));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  GetStockObject(WHITE_BRUSH);
  size_t icons0 = talix::host::LiveHandles(talix::HandleKind::Icon);
  size_t gdi0 = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  // A private copy, so that reads past the end are caught by the sanitizers.
  std::vector<uint8_t> bytes(data + 1, data + size);
  int kind = data[0] % 5;
  int request = 8 + (data[0] >> 3);  // 8..39
  if (kind < 2) {
    auto icon = talix::gdi::IconFromFileBytes(bytes.data(), bytes.size(), kind == 0, request,
                                              request, 0);
    if (icon) DrawAndDestroy(talix::gdi::AddIcon(icon));
  } else if (kind < 4) {
    HICON icon = CreateIconFromResourceEx(bytes.data(), DWORD(bytes.size()), kind == 2,
                                          0x00030000, 0, 0, 0);
    if (icon) DrawAndDestroy(icon);
  } else {
    HBITMAP bitmap = talix::gdi::BitmapFromFileBytes(bytes.data(), bytes.size(),
                                                     (data[0] & 8) ? LR_CREATEDIBSECTION : 0);
    if (bitmap) CHECK(DeleteObject(bitmap));
  }
  CHECK(talix::host::LiveHandles(talix::HandleKind::Icon) == icons0);
  CHECK(talix::host::LiveHandles(talix::HandleKind::GdiObject) == gdi0);
  return 0;
}
