// LoadMenuW and LoadMenuIndirectW.
//
// Limits: LoadMenuIndirectW is given no size, so it trusts the caller's template to end
// where its items say (reads stay within kIndirectTemplateLimit bytes). LoadMenuW reads
// only inside the resource.
#include "platform/user/menu/menu_template.h"
#include "platform/user/menu/resource_bytes.h"


using namespace talix;
using namespace talix::user::menu;

namespace {
constexpr size_t kIndirectTemplateLimit = size_t{1} << 24;
}

HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName) {
  ByteView bytes;
  if (!user::ResourceBytes(hInstance, lpMenuName, RT_MENU, &bytes)) return nullptr;
  return BuildMenuFromTemplate(bytes);
}

HMENU LoadMenuIndirectW(const MENUTEMPLATEW* lpMenuTemplate) {
  if (!lpMenuTemplate) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return BuildMenuFromTemplate(
      ByteView(static_cast<const BYTE*>(lpMenuTemplate), kIndirectTemplateLimit));
}
