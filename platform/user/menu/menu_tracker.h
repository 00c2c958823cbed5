// The menu loop's state: the open levels (the menu bar, then popups), the highlighted
// item of each, and how the loop ends. One tracker at most per thread.
//
// Notifications to the owner (none with TPM_NONOTIFY): WM_ENTERMENULOOP, WM_INITMENU
// (menu bar only), WM_INITMENUPOPUP before each popup opens, WM_MENUSELECT on every
// highlight change, and at the end WM_MENUSELECT (0xFFFF, null), WM_UNINITMENUPOPUP for
// each open popup (deepest first), WM_EXITMENULOOP; then the chosen command is posted
// (WM_COMMAND, WM_SYSCOMMAND for the window menu, WM_MENUCOMMAND for MNS_NOTIFYBYPOS
// menus) unless TPM_RETURNCMD asked for it as the result.
#pragma once

#include "platform/user/menu/menu_layout.h"

#include <win/input.h>

#include <vector>

namespace talix::user::menu {

struct Level {
  HMENU menu = nullptr;
  HWND window = nullptr;  // the popup window, or the frame for the bar
  bool bar = false;
  std::vector<ItemView> items;
  PopupLayout layout;
  POINT origin{};    // screen position of the items' coordinate origin
  int hilite = -1;
  bool rightToLeft = false;  // cascades to the left
};

class MenuTracker {
 public:
  MenuTracker(HWND owner, UINT flags, bool systemMenu);
  ~MenuTracker();
  MenuTracker(const MenuTracker&) = delete;
  MenuTracker& operator=(const MenuTracker&) = delete;

  static MenuTracker* Current();

  // Opening: the bar of `owner` (its frame is the level's window) or a popup at a
  // screen rectangle's corner chosen by the flags, kept on the work area.
  bool OpenBar(HMENU bar);
  bool OpenPopup(HMENU menu, int x, int y, const RECT* exclude);
  // Runs the loop; the command chosen, 0 when cancelled.
  UINT Run();

  void End() { ended_ = true; }
  bool Ended() const;
  // The level a popup window shows (null for another window).
  const Level* LevelOfWindow(HWND popup) const;
  HWND Owner() const { return owner_; }
  int BarHilite() const { return !levels_.empty() && levels_[0].bar ? levels_[0].hilite : -1; }

  // Input (tracker_input.cpp). True when the message was the menu's.
  bool HandleMessage(MSG& msg);
  // Whether a message must end the menu and stay in the queue for the caller's loop
  // (a press outside every menu).
  bool EndsOutside(const MSG& msg);

 private:
  // Input handling (tracker_input.cpp).
  void OnKey(MSG& msg);
  void OnChar(WCHAR character);
  void OnMouse(const MSG& msg);
  // The deepest level under a screen point and its item there (-1 over none).
  bool HitTest(POINT screen, size_t* level, int* item) const;
  // Acts on an item as its mnemonic asks: opens its submenu or chooses it.
  void Execute(size_t level, int item);
  int Neighbour(const Level& level, int from, int step) const;

  void Notify(UINT msg, WPARAM wParam, LPARAM lParam);
  // Highlights an item of a level (-1: none) and says so with WM_MENUSELECT.
  void Select(size_t level, int item, bool byMouse);
  // Opens the highlighted item's submenu of a level as the next level.
  bool OpenSubmenu(size_t level, bool selectFirst);
  // Closes the levels from `first` on, deepest first.
  void CloseFrom(size_t first);
  void Choose(size_t level, int item);
  void RedrawItem(size_t level, int item);
  size_t FirstPopupLevel() const { return !levels_.empty() && levels_[0].bar ? 1 : 0; }
  // The bar switching to another item, with its popup opened when `open`.
  void SwitchBarItem(int item, bool open, bool byMouse);
  RECT PlaceSubmenu(const Level& parent, const RECT& item, SIZE size, bool* leftward) const;
  HWND ShowPopupWindow(Level& level, RECT at);
  void Finish();
  void PostChoice();

  HWND owner_;
  UINT flags_;
  bool systemMenu_;
  bool notify_;
  std::vector<Level> levels_;
  bool ended_ = false;
  bool chosen_ = false;
  UINT command_ = 0;
  HMENU chosenMenu_ = nullptr;
  int chosenPosition_ = 0;
  MenuTracker* previous_ = nullptr;
};

// The popup window class's procedure ("#32768").
LRESULT CALLBACK PopupMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Runs the bar of `hwnd` from DefWindowProcW's SC_MOUSEMENU (at a screen point) or
// SC_KEYMENU (a mnemonic character, or 0 for the bar with its first item highlighted).
void TrackMenuBarByMouse(HWND hwnd, POINT screen);
void TrackMenuBarByKey(HWND hwnd, WCHAR character);

}  // namespace talix::user::menu
