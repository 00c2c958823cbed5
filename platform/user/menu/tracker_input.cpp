// The menu loop's keyboard and mouse.
//
// Keys: Up/Down move through the items (separators skipped, grayed items may be
// highlighted but not chosen), Home/End to the first/last, Right opens a submenu (or
// moves along the bar), Left and Escape close one level (or move along the bar; Escape
// at the outermost level ends the menu), Enter chooses or opens, Alt or F10 ends the
// menu, and other keys are translated into characters: an item's mnemonic chooses or
// opens it (several items with one mnemonic are highlighted in turn), and a character
// no item has goes to the owner as WM_MENUCHAR.
// Mouse: moving over an item highlights it and opens its submenu, a release over an item
// chooses it (the right button too with TPM_RIGHTBUTTON), a press on the bar item whose
// popup is open ends the menu, and a press outside every menu ends it and stays queued
// for the window under the cursor.
#include "platform/user/menu/menu_tracker.h"

namespace talix::user::menu {
namespace {

bool IsMouseMove(UINT m) { return m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE; }

bool IsButtonDown(UINT m) {
  switch (m) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsButtonUp(UINT m) {
  return m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_MBUTTONUP || m == WM_NCLBUTTONUP ||
         m == WM_NCRBUTTONUP || m == WM_NCMBUTTONUP;
}

bool IsMouse(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

bool Inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

bool MenuTracker::EndsOutside(const MSG& msg) {
  size_t level;
  int item;
  if (!IsButtonDown(msg.message) || HitTest(msg.pt, &level, &item)) return false;
  End();
  return true;
}

bool MenuTracker::HandleMessage(MSG& msg) {
  UINT m = msg.message;
  bool keyboard = m >= WM_KEYFIRST && m <= WM_KEYLAST;
  if (!keyboard && !IsMouse(m)) return false;
  if (Ended()) return true;
  switch (m) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: OnKey(msg); break;
    case WM_CHAR: case WM_SYSCHAR: OnChar(static_cast<WCHAR>(msg.wParam)); break;
    default:
      if (!keyboard) OnMouse(msg);
      break;
  }
  return true;
}

int MenuTracker::Neighbour(const Level& level, int from, int step) const {
  int count = static_cast<int>(level.items.size());
  int at = from < 0 ? (step > 0 ? -1 : count) : from;
  for (int tries = 0; tries < count; ++tries) {
    at = (at + step + count) % count;
    if (!level.items[at].Separator()) return at;
  }
  return -1;
}

bool MenuTracker::HitTest(POINT screen, size_t* level, int* item) const {
  for (size_t l = levels_.size(); l-- > 0;) {
    const Level& at = levels_[l];
    if (!at.bar) {
      RECT frame{};
      if (!GetWindowRect(at.window, &frame) || !Inside(frame, screen)) continue;
    }
    POINT local{screen.x - at.origin.x, screen.y - at.origin.y};
    *level = l;
    *item = -1;
    for (size_t i = 0; i < at.items.size(); ++i)
      if (Inside(at.items[i].rect, local) && !at.items[i].Separator()) *item = static_cast<int>(i);
    if (!at.bar || *item >= 0) return true;
  }
  return false;
}

void MenuTracker::Execute(size_t level, int item) {
  if (item < 0 || item >= static_cast<int>(levels_[level].items.size())) return;
  const ItemView& view = levels_[level].items[item];
  if (levels_[level].bar) {
    SwitchBarItem(item, true, false);
    if (!levels_[0].items[item].HasSubmenu() && !levels_[0].items[item].Grayed()) Choose(0, item);
    return;
  }
  Select(level, item, false);
  if (view.HasSubmenu())
    OpenSubmenu(level, true);
  else if (!levels_[level].items[item].Grayed())
    Choose(level, item);
}

void MenuTracker::OnKey(MSG& msg) {
  size_t last = levels_.size() - 1;
  Level& at = levels_[last];
  bool barMode = levels_[0].bar;
  switch (msg.wParam) {
    case VK_UP: case VK_DOWN:
      if (at.bar) {
        OpenSubmenu(last, true);
      } else {
        Select(last, Neighbour(at, at.hilite, msg.wParam == VK_DOWN ? 1 : -1), false);
      }
      return;
    case VK_HOME: case VK_END:
      if (!at.bar) Select(last, Neighbour(at, -1, msg.wParam == VK_HOME ? 1 : -1), false);
      return;
    case VK_RIGHT:
      if (at.bar) {
        Select(0, Neighbour(at, at.hilite, 1), false);
      } else if (!OpenSubmenu(last, true) && barMode) {
        SwitchBarItem(Neighbour(levels_[0], levels_[0].hilite, 1), true, false);
      }
      return;
    case VK_LEFT:
      if (at.bar) {
        Select(0, Neighbour(at, at.hilite, -1), false);
      } else if (last > FirstPopupLevel()) {
        CloseFrom(last);
      } else if (barMode) {
        SwitchBarItem(Neighbour(levels_[0], levels_[0].hilite, -1), true, false);
      }
      return;
    case VK_ESCAPE:
      if (!at.bar && (last > FirstPopupLevel() || barMode))
        CloseFrom(last);
      else
        End();
      return;
    case VK_RETURN:
      if (at.hilite < 0 || (at.items[at.hilite].Grayed() && !at.bar)) {
        End();
      } else {
        Execute(last, at.hilite);
      }
      return;
    case VK_MENU: case VK_F10:
      End();
      return;
    default:
      TranslateMessage(&msg);  // characters come back as WM_CHAR / WM_SYSCHAR
      return;
  }
}

void MenuTracker::OnChar(WCHAR character) {
  size_t last = levels_.size() - 1;
  const Level& at = levels_[last];
  WCHAR wanted = UpperChar(character);
  std::vector<int> matches;
  for (size_t i = 0; i < at.items.size(); ++i)
    if (!at.items[i].Separator() && MnemonicOf(at.items[i].item.text) == wanted)
      matches.push_back(static_cast<int>(i));
  if (matches.size() == 1) {
    Execute(last, matches[0]);
    return;
  }
  if (!matches.empty()) {
    int next = matches[0];
    for (int i : matches)
      if (i > at.hilite) {
        next = i;
        break;
      }
    Select(last, next, false);
    return;
  }
  UINT kind = (at.bar ? 0 : MF_POPUP) | (systemMenu_ ? MF_SYSMENU : 0);
  LRESULT answer = IsWindow(owner_) ? SendMessageW(owner_, WM_MENUCHAR, MAKEWPARAM(character, kind),
                                                   reinterpret_cast<LPARAM>(at.menu))
                                    : 0;
  switch (HIWORD(answer)) {
    case MNC_CLOSE: End(); return;
    case MNC_EXECUTE: Execute(last, LOWORD(answer)); return;
    case MNC_SELECT:
      if (LOWORD(answer) < at.items.size()) Select(last, LOWORD(answer), false);
      return;
    default: return;
  }
}

void MenuTracker::OnMouse(const MSG& msg) {
  size_t level;
  int item;
  bool hit = HitTest(msg.pt, &level, &item);
  UINT m = msg.message;
  if (IsButtonDown(m) && !hit) {
    End();
    return;
  }
  if (!hit) return;
  Level& at = levels_[level];
  bool popupsOpen = levels_.size() > 1;
  if (at.bar) {
    if (IsButtonDown(m) && item == at.hilite && popupsOpen)
      End();
    else if ((IsButtonDown(m) || (IsMouseMove(m) && popupsOpen)) && item != at.hilite)
      SwitchBarItem(item, true, true);
    return;
  }
  if (IsMouseMove(m) || IsButtonDown(m)) {
    if (item < 0) {
      if (level + 1 == levels_.size()) Select(level, -1, true);
      return;
    }
    bool childFromItem = levels_.size() > level + 1 && item == at.hilite;
    if (!childFromItem) CloseFrom(level + 1);
    Select(level, item, true);
    OpenSubmenu(level, false);
    return;
  }
  if (!IsButtonUp(m) || item < 0) return;
  const ItemView& view = at.items[item];
  bool right = m == WM_RBUTTONUP || m == WM_NCRBUTTONUP;
  if (right) Notify(WM_MENURBUTTONUP, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(at.menu));
  if (right && !(flags_ & TPM_RIGHTBUTTON)) return;
  if (!view.HasSubmenu() && !view.Grayed()) Choose(level, item);
}

}  // namespace talix::user::menu
