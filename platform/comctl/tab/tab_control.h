// The state of one tab control window: its tabs, selection, focus tab, sizes and the
// layout computed from them. The object lives in the window's extra bytes from
// WM_NCCREATE to WM_NCDESTROY.
//
// The parent may do anything while it handles a notification, even destroy the control;
// code that goes on after notifying looks the object up again with FromWindow.
#pragma once

#include "platform/comctl/tab/tab_layout.h"
#include "platform/comctl/tab/tab_proc.h"

#include <cstdint>
#include <string>
#include <vector>

namespace talix::comctl::tab {

struct TabItem {
  std::u16string text;
  int image = -1;
  DWORD state = 0;                // TCIS_* bits
  bool rtlReading = false;
  std::vector<uint8_t> data;      // the application's bytes (TCM_SETITEMEXTRA long)
};

// Where a tab's icon and label are drawn.
struct TabContent {
  RECT icon{};                    // empty when the tab shows no icon
  RECT label{};
};

class TabControl {
 public:
  explicit TabControl(HWND hwnd) : hwnd_(hwnd) {}

  // The object of tab control `hwnd`, null once it is destroyed.
  static TabControl* FromWindow(HWND hwnd);

  HWND hwnd() const { return hwnd_; }
  LONG Style() const { return GetWindowLongW(hwnd_, GWL_STYLE); }
  int Count() const { return int(items_.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  const TabItem& Item(int index) const { return items_[size_t(index)]; }

  // Items (tab_items.cpp).
  int Insert(int index, const TCITEMW* item);
  bool Delete(int index);
  void DeleteAll();
  bool GetItem(int index, TCITEMW* item) const;
  bool SetItem(int index, const TCITEMW* item);
  bool SetItemExtra(WPARAM bytes);
  LPARAM ItemData(int index) const;  // for DRAWITEMSTRUCT::itemData
  bool Highlight(int index, bool on);
  void DeselectAll(bool keepFocused);
  void RemoveImage(int image);

  // Settings kept as the messages give them (the image list and the tool tip window stay
  // their owner's).
  HFONT font = nullptr;
  HIMAGELIST images = nullptr;
  HWND tooltips = nullptr;
  DWORD extendedStyle = 0;
  BOOL unicode = TRUE;

  // Sizes and geometry (tab_geometry.cpp).
  LRESULT SetItemSize(int cx, int cy);
  void SetPadding(int cx, int cy);
  int SetMinTabWidth(int width);
  const Layout& CurrentLayout();
  bool ItemRect(int index, RECT* rect);
  TabContent ContentOf(int index);
  int HitTest(POINT pt, UINT* flags);
  void Adjust(bool toWindow, RECT* rect);
  int Rows() { return CurrentLayout().rows; }
  void Changed(bool redraw = true);  // items or sizes changed: new layout, repaint

  // Selection, focus and input (tab_input.cpp).
  int selected = -1;
  int focused = -1;        // the focus tab: the selection, or apart from it for buttons
  bool tracking = false;   // the left button went down on the control
  int SetSelection(int index);   // TCM_SETCURSEL, no notifications
  void SetFocusItem(int index);  // TCM_SETCURFOCUS
  void ScrollBy(int tabs);       // single line: moves the first visible tab
  void KeyDown(WPARAM key, LPARAM flags);
  void MouseDown(LPARAM point);
  void MouseUp(UINT code);

 private:
  void Measure();
  void ScrollIntoView(int index);

  HWND hwnd_;
  std::vector<TabItem> items_;
  size_t extraBytes_ = sizeof(LPARAM);
  int itemWidth_ = 0, itemHeight_ = 0;  // TCM_SETITEMSIZE; 0 = from the contents
  int padX_ = 6, padY_ = 3;
  int minWidth_ = -1;                    // -1 = the default
  int firstVisible_ = 0;

  // Measured sizes and the cached layout, with what it was computed for.
  bool measured_ = false;
  std::vector<int> textWidths_;
  int textHeight_ = 0, iconCx_ = 0, iconCy_ = 0;
  bool layoutValid_ = false;
  LayoutInput layoutInput_;
  Layout layout_;
};

// Sends TCN_* / NM_* `code` to the parent as WM_NOTIFY; the parent's answer.
LRESULT NotifyParent(HWND hwnd, UINT code);

// Asks the parent (TCN_SELCHANGING) and selects `index` with TCN_SELCHANGE; false when
// vetoed or the control went away.
bool SelectWithNotify(TabControl* control, int index);

// Paints the control into `hdc` (tab_paint.cpp).
void PaintTabControl(TabControl* control, HDC hdc);

}  // namespace talix::comctl::tab
