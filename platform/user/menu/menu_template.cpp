// Menu templates.
//
// Standard: a 4-byte header (version 0, then the count of extra header bytes), then items:
// a WORD of MF_* flags, a WORD id unless MF_POPUP, a terminated string; MF_POPUP items are
// followed by their submenu's items; MF_END marks the last item of each level. An item
// with no flags, id 0 and an empty string is a separator, as resource compilers write
// "MENUITEM SEPARATOR".
//
// Extended: a header (version 1, offset of the first item counted from byte 4, help id),
// then DWORD-aligned items: type, state, id (DWORDs), a WORD of flags (0x01 popup, 0x80
// last), a terminated string; a popup item is followed by its submenu's help id (DWORD,
// aligned) and its submenu's items.
//
// The template is parsed into a tree first and menus are made only once it is known to be
// whole, so a malformed template leaves nothing behind.
#include "platform/user/menu/menu_template.h"

#include "platform/user/menu/menu_items.h"

using namespace talix;

namespace talix::user::menu {
namespace {

constexpr WORD kExPopup = 0x01;
constexpr WORD kExLast = 0x80;

struct Node {
  MenuItem item;
  bool popup = false;
  DWORD helpId = 0;
  std::vector<Node> children;
};

class TemplateParser {
 public:
  explicit TemplateParser(ByteView bytes) : bytes_(bytes) {}

  bool ParseStandardLevel(uint64_t* at, int depth, std::vector<Node>* out) const {
    if (depth > kMaxMenuDepth) return false;
    for (;;) {
      uint16_t flags = 0, id = 0;
      if (!bytes_.U16(*at, &flags)) return false;
      *at += 2;
      bool popup = flags & MF_POPUP;
      if (!popup) {
        if (!bytes_.U16(*at, &id)) return false;
        *at += 2;
      }
      Node node;
      if (!bytes_.String16(*at, &node.item.text, at)) return false;
      node.popup = popup;
      node.item = StandardItem(flags, id, std::move(node.item.text));
      if (popup && !ParseStandardLevel(at, depth + 1, &node.children)) return false;
      out->push_back(std::move(node));
      if (flags & MF_END) return true;
    }
  }

  bool ParseExtendedLevel(uint64_t* at, int depth, std::vector<Node>* out) const {
    if (depth > kMaxMenuDepth) return false;
    for (;;) {
      *at = AlignUp4(*at);
      uint32_t type = 0, state = 0, id = 0;
      uint16_t resInfo = 0;
      if (!bytes_.U32(*at, &type) || !bytes_.U32(*at + 4, &state) ||
          !bytes_.U32(*at + 8, &id) || !bytes_.U16(*at + 12, &resInfo))
        return false;
      Node node;
      if (!bytes_.String16(*at + 14, &node.item.text, at)) return false;
      node.item = ExtendedItem(type, state, id, std::move(node.item.text));
      node.popup = resInfo & kExPopup;
      if (node.popup) {
        *at = AlignUp4(*at);
        if (!bytes_.U32(*at, &node.helpId)) return false;
        *at += 4;
        if (!ParseExtendedLevel(at, depth + 1, &node.children)) return false;
      }
      out->push_back(std::move(node));
      if (resInfo & kExLast) return true;
    }
  }

 private:
  static MenuItem StandardItem(uint16_t flags, uint16_t id, std::u16string text) {
    UINT itemFlags = flags & ~static_cast<UINT>(MF_END | MF_POPUP);
    bool separator = (flags & MF_SEPARATOR) || (!(flags & ~MF_END) && id == 0 && text.empty());
    if (separator) return ItemFromFlags(MF_SEPARATOR | (itemFlags & ~MF_OWNERDRAW), 0, nullptr);
    MenuItem item = ItemFromFlags(itemFlags & ~(MF_BITMAP | MF_OWNERDRAW), id, text.c_str());
    item.type |= itemFlags & MF_OWNERDRAW;
    return item;
  }

  static MenuItem ExtendedItem(uint32_t type, uint32_t state, uint32_t id, std::u16string text) {
    MenuItem item;
    item.type = type;
    item.state = state & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
    item.id = id;
    if (!(type & (MFT_SEPARATOR | MFT_BITMAP))) {
      item.hasText = true;
      item.text = std::move(text);
    }
    return item;
  }

  ByteView bytes_;
};

// Makes the menus of a parsed level; false when the handle table is full.
bool BuildLevelLocked(Menu& menu, std::vector<Node>& nodes, std::vector<HMENU>* made) {
  for (Node& node : nodes) {
    if (node.popup) {
      HMENU submenu = NewMenu(true);
      if (!submenu) return false;
      made->push_back(submenu);
      Menu* sub = MenuLocked(submenu);
      sub->helpId = node.helpId;
      if (!BuildLevelLocked(*sub, node.children, made)) return false;
      node.item.submenu = submenu;
      if (!node.item.id) node.item.id = static_cast<UINT>(ValueOfHandle(submenu));
    }
    menu.items.push_back(std::move(node.item));
  }
  return true;
}

HMENU Build(std::vector<Node>& nodes, DWORD helpId) {
  HMENU top = NewMenu(false);
  if (!top) return nullptr;
  std::vector<HMENU> made{top};
  std::lock_guard<std::mutex> lock(MenuLock());
  Menu* menu = MenuLocked(top);
  menu->helpId = helpId;
  if (BuildLevelLocked(*menu, nodes, &made)) return top;
  std::vector<std::shared_ptr<Menu>> graveyard;
  for (HMENU h : made) graveyard.push_back(Menus().Take(ValueOfHandle(h)));
  return nullptr;
}

}  // namespace

HMENU BuildMenuFromTemplate(ByteView bytes) {
  TemplateParser parser(bytes);
  uint16_t version = 0, offset = 0;
  std::vector<Node> nodes;
  DWORD helpId = 0;
  bool parsed = false;
  if (bytes.U16(0, &version) && bytes.U16(2, &offset)) {
    uint64_t at = 4 + uint64_t{offset};
    if (version == 0) {
      parsed = at == bytes.Size() || parser.ParseStandardLevel(&at, 0, &nodes);
    } else if (version == 1 && bytes.U32(4, &helpId)) {
      parsed = at == bytes.Size() || parser.ParseExtendedLevel(&at, 0, &nodes);
    }
  }
  if (!parsed) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return Build(nodes, helpId);
}

}  // namespace talix::user::menu
