// The menu loop's levels: opening and placing popups, highlighting, choosing and the
// notifications of the owner.
#include "platform/user/menu/menu_tracker.h"

#include "platform/user/dialog/modal_loop.h"
#include "platform/user/menu/window_menus.h"

#include <win/paint.h>
#include <win/sysparams.h>

#include <algorithm>

namespace talix::user::menu {
namespace {

thread_local MenuTracker* t_current = nullptr;

RECT WorkArea() {
  RECT work{0, 0, 0, 0};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// Moves [*start, *start + size) inside [low, high) when it fits.
void KeepInside(LONG* start, LONG size, LONG low, LONG high) {
  if (*start + size > high) *start = high - size;
  if (*start < low) *start = low;
}

RECT OffsetOf(const RECT& r, POINT origin) {
  return RECT{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The popup's first corner along one axis for an anchor and an alignment, flipped to
// the anchor's other side when it would leave the work area there.
LONG AlignedStart(LONG anchor, LONG size, int align, LONG low, LONG high) {
  LONG start = align == 0 ? anchor : align == 1 ? anchor - size / 2 : anchor - size;
  if (start + size > high && anchor - size >= low) start = anchor - size;
  if (start < low && anchor + size <= high) start = anchor;
  KeepInside(&start, size, low, high);
  return start;
}

}  // namespace

MenuTracker::MenuTracker(HWND owner, UINT flags, bool systemMenu)
    : owner_(owner), flags_(flags), systemMenu_(systemMenu),
      notify_(!(flags & TPM_NONOTIFY)), previous_(t_current) {
  t_current = this;
}

MenuTracker::~MenuTracker() {
  for (Level& level : levels_)
    if (!level.bar && level.window) DestroyWindow(level.window);  // only after a failed open
  t_current = previous_;
}

MenuTracker* MenuTracker::Current() { return t_current; }

bool MenuTracker::Ended() const { return ended_ || levels_.empty() || !IsWindow(owner_); }

const Level* MenuTracker::LevelOfWindow(HWND popup) const {
  for (const Level& level : levels_)
    if (!level.bar && level.window == popup) return &level;
  return nullptr;
}

void MenuTracker::Notify(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (notify_ && IsWindow(owner_)) SendMessageW(owner_, msg, wParam, lParam);
}

bool MenuTracker::OpenBar(HMENU bar) {
  Notify(WM_ENTERMENULOOP, FALSE, 0);
  Notify(WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  Level level;
  level.menu = bar;
  level.window = owner_;
  level.bar = true;
  level.items = SnapshotItems(bar);
  LayoutBar(owner_, MenuBarBand(owner_), level.items);
  RECT window{};
  GetWindowRect(owner_, &window);
  level.origin = POINT{window.left, window.top};
  if (level.items.empty()) return false;
  levels_.push_back(std::move(level));
  return true;
}

bool MenuTracker::OpenPopup(HMENU menu, int x, int y, const RECT* exclude) {
  Notify(WM_ENTERMENULOOP, TRUE, 0);
  Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, systemMenu_));
  Level level;
  level.menu = menu;
  level.items = SnapshotItems(menu);
  level.layout = LayoutPopup(owner_, level.items);
  level.rightToLeft = (flags_ & TPM_LAYOUTRTL) != 0;
  SIZE size = level.layout.size;
  RECT work = WorkArea();
  int hAlign = (flags_ & TPM_RIGHTALIGN) ? 2 : (flags_ & TPM_CENTERALIGN) ? 1 : 0;
  int vAlign = (flags_ & TPM_BOTTOMALIGN) ? 2 : (flags_ & TPM_VCENTERALIGN) ? 1 : 0;
  RECT at{AlignedStart(x, size.cx, hAlign, work.left, work.right),
          AlignedStart(y, size.cy, vAlign, work.top, work.bottom), 0, 0};
  at.right = at.left + size.cx;
  at.bottom = at.top + size.cy;
  if (exclude && Overlaps(at, *exclude)) {
    // Step out of the excluded rectangle: below or above it (TPM_VERTICAL), else to its
    // right or left, whichever fits the work area.
    if (flags_ & TPM_VERTICAL) {
      at.top = exclude->bottom + size.cy <= work.bottom ? exclude->bottom : exclude->top - size.cy;
    } else {
      at.left = exclude->right + size.cx <= work.right ? exclude->right : exclude->left - size.cx;
    }
    at.right = at.left + size.cx;
    at.bottom = at.top + size.cy;
  }
  levels_.push_back(std::move(level));
  return ShowPopupWindow(levels_.back(), at) != nullptr;
}

HWND MenuTracker::ShowPopupWindow(Level& level, RECT at) {
  HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, u"#32768",
                               u"", WS_POPUP, at.left, at.top, at.right - at.left,
                               at.bottom - at.top, nullptr, nullptr, nullptr, nullptr);
  if (!popup) return nullptr;
  level.window = popup;
  level.origin = POINT{at.left, at.top};
  SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(popup);
  return popup;
}

RECT MenuTracker::PlaceSubmenu(const Level& parent, const RECT& item, SIZE size,
                               bool* leftward) const {
  RECT work = WorkArea();
  RECT on = OffsetOf(item, parent.origin);
  LONG left, top;
  *leftward = parent.rightToLeft;
  if (parent.bar) {
    left = *leftward ? on.right - size.cx : on.left;
    top = on.bottom + size.cy <= work.bottom ? on.bottom : on.top - size.cy;
    KeepInside(&left, size.cx, work.left, work.right);
  } else {
    RECT frame{};
    GetWindowRect(parent.window, &frame);
    LONG right = frame.right - kPopupBorder, back = frame.left + kPopupBorder - size.cx;
    if (*leftward ? back < work.left : right + size.cx > work.right) *leftward = !*leftward;
    left = *leftward ? back : right;
    top = on.top - kPopupBorder;
    KeepInside(&left, size.cx, work.left, work.right);
  }
  KeepInside(&top, size.cy, work.top, work.bottom);
  return RECT{left, top, left + size.cx, top + size.cy};
}

void MenuTracker::RedrawItem(size_t level, int item) {
  const Level& at = levels_[level];
  if (item < 0 || item >= static_cast<int>(at.items.size()) || at.bar) return;
  InvalidateRect(at.window, &at.items[item].rect, FALSE);
  UpdateWindow(at.window);
}

void MenuTracker::Select(size_t level, int item, bool byMouse) {
  Level& at = levels_[level];
  if (at.hilite == item) return;
  int old = at.hilite;
  at.hilite = item;
  if (at.bar) {
    if (old >= 0) HiliteMenuItem(owner_, at.menu, old, MF_BYPOSITION | MF_UNHILITE);
    if (item >= 0) HiliteMenuItem(owner_, at.menu, item, MF_BYPOSITION | MF_HILITE);
    DrawMenuBar(owner_);
  } else {
    RedrawItem(level, old);
    RedrawItem(level, item);
  }
  if (item < 0) return;
  const ItemView& view = levels_[level].items[item];
  UINT flags = SelectFlagsOf(view) | (byMouse ? MF_MOUSESELECT : 0) | (systemMenu_ ? MF_SYSMENU : 0);
  UINT id = view.HasSubmenu() ? static_cast<UINT>(item) : view.item.id;
  Notify(WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(levels_[level].menu));
}

bool MenuTracker::OpenSubmenu(size_t level, bool selectFirst) {
  int item = levels_[level].hilite;
  if (item < 0) return false;
  const ItemView view = levels_[level].items[item];
  if (!view.HasSubmenu() || view.Grayed()) return false;
  if (levels_.size() > level + 1 && levels_[level + 1].menu == view.item.submenu) {
    CloseFrom(level + 2);
  } else {
    CloseFrom(level + 1);
    Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view.item.submenu),
           MAKELPARAM(item, systemMenu_));
    Level child;
    child.menu = view.item.submenu;
    child.items = SnapshotItems(child.menu);
    child.layout = LayoutPopup(owner_, child.items);
    RECT at = PlaceSubmenu(levels_[level], view.rect, child.layout.size, &child.rightToLeft);
    if (view.item.type & MFT_RIGHTORDER) child.rightToLeft = true;
    levels_.push_back(std::move(child));
    if (!ShowPopupWindow(levels_.back(), at)) {
      levels_.pop_back();
      return false;
    }
  }
  if (selectFirst && levels_[level + 1].hilite < 0)
    Select(level + 1, Neighbour(levels_[level + 1], -1, 1), false);
  return true;
}

void MenuTracker::CloseFrom(size_t first) {
  while (levels_.size() > first) {
    Level closing = std::move(levels_.back());
    levels_.pop_back();
    if (closing.bar) {
      if (closing.hilite >= 0)
        HiliteMenuItem(owner_, closing.menu, closing.hilite, MF_BYPOSITION | MF_UNHILITE);
      DrawMenuBar(owner_);
      continue;
    }
    if (closing.window) DestroyWindow(closing.window);
    Notify(WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(closing.menu),
           MAKELPARAM(0, systemMenu_ ? MF_SYSMENU : 0));
  }
}

void MenuTracker::SwitchBarItem(int item, bool open, bool byMouse) {
  CloseFrom(1);
  Select(0, item, byMouse);
  if (open) OpenSubmenu(0, !byMouse);
}

void MenuTracker::Choose(size_t level, int item) {
  const ItemView& view = levels_[level].items[item];
  chosen_ = true;
  command_ = view.item.id;
  chosenMenu_ = levels_[level].menu;
  chosenPosition_ = item;
  ended_ = true;
}

void MenuTracker::Finish() {
  bool bar = !levels_.empty() && levels_[0].bar;
  Notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  CloseFrom(0);
  Notify(WM_EXITMENULOOP, bar ? FALSE : TRUE, 0);
}

void MenuTracker::PostChoice() {
  if (!chosen_ || !notify_ || (flags_ & TPM_RETURNCMD) || !IsWindow(owner_)) return;
  if (systemMenu_) {
    POINT cursor{};
    GetCursorPos(&cursor);
    PostMessageW(owner_, WM_SYSCOMMAND, command_, MAKELPARAM(cursor.x, cursor.y));
    return;
  }
  MENUINFO info{sizeof(MENUINFO), MIM_STYLE};
  if (GetMenuInfo(chosenMenu_, &info) && (info.dwStyle & MNS_NOTIFYBYPOS)) {
    PostMessageW(owner_, WM_MENUCOMMAND, static_cast<WPARAM>(chosenPosition_),
                 reinterpret_cast<LPARAM>(chosenMenu_));
    return;
  }
  PostMessageW(owner_, WM_COMMAND, MAKEWPARAM(command_, 0), 0);
}

UINT MenuTracker::Run() {
  if (!Ended()) {
    ModalLoop loop;
    loop.kind = host::ModalLoopKind::PopupMenu;
    loop.window = levels_[0].window;
    loop.filterCode = MSGF_MENU;
    loop.idleOwner = notify_ ? owner_ : nullptr;
    loop.Ended = [this] { return Ended(); };
    loop.Preprocess = [this](MSG& msg) { return HandleMessage(msg); };
    loop.EndsBefore = [this](const MSG& msg) { return EndsOutside(msg); };
    RunModalLoop(loop);
  }
  Finish();
  PostChoice();
  return chosen_ ? command_ : 0;
}

}  // namespace talix::user::menu
