// A copy of a menu's items taken for showing them: the menu lock is never held while a
// menu is measured, drawn or tracked, since all three call window procedures.
#pragma once

#include "platform/user/menu/menu_object.h"

#include <string>
#include <vector>

namespace talix::user::menu {

struct ItemView {
  MenuItem item;
  RECT rect{};  // where the item is drawn, in its popup's or frame's coordinates

  bool Separator() const { return (item.type & MFT_SEPARATOR) != 0; }
  bool Grayed() const { return (item.state & (MF_GRAYED | MF_DISABLED)) != 0; }
  bool OwnerDrawn() const { return (item.type & MFT_OWNERDRAW) != 0; }
  bool Checked() const { return (item.state & MFS_CHECKED) != 0; }
  bool Default() const { return (item.state & MFS_DEFAULT) != 0; }
  bool HasSubmenu() const { return item.submenu != nullptr; }
  // The text before the first tab and after it (the accelerator column).
  std::u16string Label() const;
  std::u16string Accelerator() const;
};

// The items of a menu; empty when the menu is gone.
std::vector<ItemView> SnapshotItems(HMENU menu);

// The upper-cased character after the first single '&' of a text ("&&" is a literal
// ampersand); 0 when there is none.
WCHAR MnemonicOf(const std::u16string& text);
WCHAR UpperChar(WCHAR c);

// The WM_MENUSELECT flags of an item (high word of wParam).
UINT SelectFlagsOf(const ItemView& view);

}  // namespace talix::user::menu
