#include "platform/user/menu/menu_view.h"

namespace talix::user::menu {

std::u16string ItemView::Label() const {
  if (!item.hasText) return u"";
  size_t tab = item.text.find(u'\t');
  return tab == std::u16string::npos ? item.text : item.text.substr(0, tab);
}

std::u16string ItemView::Accelerator() const {
  if (!item.hasText) return u"";
  size_t tab = item.text.find(u'\t');
  return tab == std::u16string::npos ? u"" : item.text.substr(tab + 1);
}

std::vector<ItemView> SnapshotItems(HMENU menu) {
  std::lock_guard<std::mutex> lock(MenuLock());
  std::vector<ItemView> views;
  Menu* object = MenuLocked(menu);
  if (!object) return views;
  views.reserve(object->items.size());
  for (const MenuItem& item : object->items) {
    ItemView view;
    view.item = item;
    if (view.item.submenu && !MenuLocked(view.item.submenu)) view.item.submenu = nullptr;
    views.push_back(std::move(view));
  }
  return views;
}

WCHAR UpperChar(WCHAR c) {
  if (c >= u'a' && c <= u'z') return static_cast<WCHAR>(c - u'a' + u'A');
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<WCHAR>(c - 0x20);
  return c;
}

WCHAR MnemonicOf(const std::u16string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return text[i + 1] == u'\t' ? 0 : UpperChar(text[i + 1]);
  }
  return 0;
}

UINT SelectFlagsOf(const ItemView& view) {
  UINT flags = (view.item.type | view.item.state) & 0xFFFF & ~static_cast<UINT>(MF_POPUP);
  if (view.HasSubmenu()) flags |= MF_POPUP;
  return flags | MF_HILITE;
}

}  // namespace talix::user::menu
