// KvnLoadColor, KvnLoadFont and TALIX_LoadBitmap.
#include "frame/ResourceLoaders.h"

#include "draw/gdi_scope.h"
#include "frame/EmbeddedFonts.h"
#include "frame/ResHandler.h"
#include "frame/StrColorLoader.h"
#include "image/NBitmapUtil.h"

#include <cstdlib>
#include <cstring>

namespace {

// The theme module; null when it is missing or the library was finalized.
HINSTANCE ThemeModule() {
  CResHandler* handler = talix::frame::ResourceHandler();
  return handler ? handler->GetThemeModule() : nullptr;
}

}  // namespace

COLORREF KvnLoadColor(HINSTANCE module, UINT id) {
  if (!talix::frame::ColorLoader()) return 0;
  // Asking for the theme module may replace the colour loader (a theme change), so the
  // loader is taken after it.
  if (!module) module = ThemeModule();
  CStrColorLoader* loader = talix::frame::ColorLoader();
  COLORREF color = 0;
  return loader->LoadColor(module, id, &color) ? color : 0;
}

void KvnLoadFont(LOGFONTW* lf) {
  // After TALIX_Finalize nothing would remove fonts added now.
  CResHandler* handler = talix::frame::ResourceHandler();
  if (handler && !talix::frame::EmbeddedFonts().loaded)
    talix::frame::LoadEmbeddedFonts(handler->GetThemeModule());
  if (!lf) return;
  std::memset(lf, 0, sizeof(*lf));
  std::memcpy(lf->lfFaceName, u"Arial", sizeof(u"Arial"));
  lf->lfCharSet = DEFAULT_CHARSET;
  lf->lfQuality = CLEARTYPE_QUALITY;
}

HBITMAP TALIX_LoadBitmap(UINT id) {
  HINSTANCE theme = ThemeModule();
  if (!theme) return nullptr;
  CNBitmapUtil store;
  HBITMAP image = store.NLoadBitmap(theme, static_cast<int>(id), CNBitmapUtil::BT_IMAGE, 0);
  if (!image) return nullptr;
  // A top-down header carries a negative height.
  const int width = std::abs(store.GetBitmapWidth(CNBitmapUtil::BT_IMAGE));
  const int height = std::abs(store.GetBitmapHeight(CNBitmapUtil::BT_IMAGE));
  HWND desktop = GetDesktopWindow();
  HDC desktopDc = GetDC(desktop);
  if (!desktopDc) return nullptr;
  talix::draw::OwnedObject<HBITMAP> copy(CreateCompatibleBitmap(desktopDc, width, height));
  bool copied = false;
  if (copy.get()) {
    talix::draw::SelectedDc source(desktopDc, image);
    talix::draw::SelectedDc target(desktopDc, copy.get());
    copied = source.ok() && target.ok() &&
             BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  }
  ReleaseDC(desktop, desktopDc);
  return copied ? copy.release() : nullptr;
}
