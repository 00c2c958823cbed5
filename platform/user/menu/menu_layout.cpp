#include "platform/user/menu/menu_layout.h"

#include "platform/user/window/frame_metrics.h"

#include <win/sysmetrics.h>
#include <win/sysparams.h>
#include <win/text.h>

#include <algorithm>

namespace talix::user::menu {

HFONT CreateMenuFont(bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW font{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    font = metrics.lfMenuFont;
  else
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  if (bold) font.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&font);
}

namespace {

// A screen DC with the menu fonts, for measuring.
class MeasureDc {
 public:
  MeasureDc() : dc_(GetDC(nullptr)), normal_(CreateMenuFont(false)), bold_(CreateMenuFont(true)) {
    old_ = SelectObject(dc_, normal_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    cellHeight_ = tm.tmHeight;
  }
  ~MeasureDc() {
    SelectObject(dc_, old_);
    ReleaseDC(nullptr, dc_);
    DeleteObject(normal_);
    DeleteObject(bold_);
  }
  int Width(const std::u16string& text, bool bold) {
    if (text.empty()) return 0;
    SelectObject(dc_, bold ? bold_ : normal_);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
  }
  int CellHeight() const { return cellHeight_; }

 private:
  HDC dc_;
  HFONT normal_, bold_;
  HGDIOBJ old_ = nullptr;
  int cellHeight_ = 0;
};

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  // The predefined HBMMENU_* values are small integers, not bitmaps.
  if (reinterpret_cast<uintptr_t>(bitmap) <= 11 || !GetObjectW(bitmap, sizeof(info), &info))
    return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

SIZE MeasureOwnerDrawn(HWND owner, const ItemView& view, int textHeight) {
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = view.item.id;
  measure.itemHeight = static_cast<UINT>(textHeight);
  measure.itemData = view.item.data;
  if (owner) SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  return SIZE{static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
}

struct Column {
  size_t first = 0, end = 0;
  int labelWidth = 0, acceleratorWidth = 0, ownerWidth = 0;
};

}  // namespace

PopupLayout LayoutPopup(HWND owner, std::vector<ItemView>& items) {
  MeasureDc measure;
  PopupLayout layout;
  layout.checkWidth = GetSystemMetrics(SM_CXMENUCHECK) + 6;
  layout.arrowWidth = GetSystemMetrics(SM_CXMENUCHECK) + 4;
  layout.acceleratorLeft.assign(items.size(), 0);
  int textHeight = std::max(measure.CellHeight() + 4, GetSystemMetrics(SM_CYMENUCHECK) + 4);
  int separatorHeight = GetSystemMetrics(SM_CYMENU) / 2;

  std::vector<SIZE> sizes(items.size());
  std::vector<Column> columns(1);
  for (size_t i = 0; i < items.size(); ++i) {
    const ItemView& view = items[i];
    if (i > 0 && (view.item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
      columns.back().end = i;
      columns.push_back(Column{i, i});
    }
    Column& column = columns.back();
    if (view.OwnerDrawn()) {
      sizes[i] = MeasureOwnerDrawn(owner, view, textHeight);
      column.ownerWidth = std::max(column.ownerWidth, static_cast<int>(sizes[i].cx));
    } else if (view.Separator()) {
      sizes[i] = SIZE{0, separatorHeight};
    } else {
      SIZE bitmap = BitmapSize(view.item.bitmap);
      column.labelWidth = std::max(column.labelWidth,
                                   measure.Width(view.Label(), view.Default()) +
                                       static_cast<int>(bitmap.cx));
      column.acceleratorWidth = std::max(column.acceleratorWidth,
                                         measure.Width(view.Accelerator(), view.Default()));
      sizes[i] = SIZE{0, std::max(textHeight, static_cast<int>(bitmap.cy) + 4)};
    }
  }
  columns.back().end = items.size();

  int x = kPopupBorder, bottom = 0;
  for (const Column& column : columns) {
    int accelerators = column.acceleratorWidth ? kAcceleratorGap + column.acceleratorWidth : 0;
    int width = std::max(layout.checkWidth + column.labelWidth + accelerators + layout.arrowWidth,
                         column.ownerWidth);
    int y = kPopupBorder;
    for (size_t i = column.first; i < column.end; ++i) {
      items[i].rect = RECT{x, y, x + width, y + sizes[i].cy};
      layout.acceleratorLeft[i] = x + layout.checkWidth + column.labelWidth + kAcceleratorGap;
      y += sizes[i].cy;
    }
    bottom = std::max(bottom, y);
    x += width;
  }
  layout.size = SIZE{x + kPopupBorder, bottom + kPopupBorder};
  return layout;
}

RECT MenuBarBand(HWND hwnd) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  if ((style & WS_CHILD) || !GetMenu(hwnd)) return RECT{0, 0, 0, 0};
  RECT window{};
  GetWindowRect(hwnd, &window);
  RECT outer = FrameInsets(style, exStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE),
                           false);
  int width = window.right - window.left;
  return RECT{outer.left, outer.top, width - outer.right, outer.top + GetSystemMetrics(SM_CYMENU)};
}

void LayoutBar(HWND owner, const RECT& band, std::vector<ItemView>& items) {
  MeasureDc measure;
  std::vector<int> widths(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const ItemView& view = items[i];
    if (view.OwnerDrawn()) {
      widths[i] = static_cast<int>(MeasureOwnerDrawn(owner, view, band.bottom - band.top).cx);
    } else {
      widths[i] = measure.Width(view.Label(), view.Default()) +
                  static_cast<int>(BitmapSize(view.item.bitmap).cx) + 2 * kBarItemPadding;
    }
  }
  size_t split = items.size();
  for (size_t i = 0; i < items.size() && split == items.size(); ++i)
    if (items[i].item.type & MFT_RIGHTJUSTIFY) split = i;
  int x = band.left;
  for (size_t i = 0; i < split; ++i) {
    items[i].rect = RECT{x, band.top, x + widths[i], band.bottom};
    x += widths[i];
  }
  int right = band.right;
  for (size_t i = items.size(); i-- > split;) {
    right = std::max(right - widths[i], x);
    items[i].rect = RECT{right, band.top, right + widths[i], band.bottom};
  }
}

}  // namespace talix::user::menu
