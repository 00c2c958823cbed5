// Tab sizes from the font and the image list, the cached layout, and the questions asked
// of it: item rectangles, hit-testing, the display area.
#include "platform/comctl/tab/tab_control.h"

#include "platform/user/controls/control_draw.h"

#include <algorithm>

namespace talix::comctl::tab {
namespace {

constexpr int kDefaultFixedWidth = 96;
constexpr int kDefaultMinWidth = 0;

// Whether every tab takes the TCM_SETITEMSIZE width.
bool FixedWidth(LONG style, int itemWidth) {
  return (style & TCS_FIXEDWIDTH) || ((style & TCS_OWNERDRAWFIXED) && itemWidth > 0);
}

}  // namespace

void TabControl::Changed(bool redraw) {
  measured_ = false;
  layoutValid_ = false;
  if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TabControl::Measure() {
  textWidths_.assign(items_.size(), 0);
  iconCx_ = iconCy_ = 0;
  if (images && !ImageList_GetIconSize(images, &iconCx_, &iconCy_)) iconCx_ = iconCy_ = 0;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  {
    user::controls::ScopedFont scoped(dc, font);  // deselected before the DC goes
    TEXTMETRICW tm{};
    textHeight_ = GetTextMetricsW(dc, &tm) ? tm.tmHeight : 0;
    for (size_t i = 0; i < items_.size(); ++i) {
      SIZE size{};
      const std::u16string& text = items_[i].text;
      if (!text.empty() && GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size))
        textWidths_[i] = size.cx;
    }
  }
  DeleteDC(dc);
  measured_ = true;
}

const Layout& TabControl::CurrentLayout() {
  if (!measured_) Measure();
  LONG style = Style();
  RECT client{};
  GetClientRect(hwnd_, &client);
  LayoutInput in;
  in.style = style;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.itemHeight = itemHeight_ > 0 ? itemHeight_ : std::max(textHeight_, iconCy_) + 2 * padY_;
  in.selected = selected;
  in.firstVisible = firstVisible_;
  const bool fixed = FixedWidth(style, itemWidth_);
  const int minWidth = minWidth_ >= 0 ? minWidth_ : kDefaultMinWidth;
  for (int i = 0; i < Count(); ++i) {
    int w = fixed ? (itemWidth_ > 0 ? itemWidth_ : kDefaultFixedWidth) : 2 * padX_;
    if (!fixed && Item(i).image >= 0 && iconCx_ > 0) w += iconCx_ + padX_;
    if (!fixed) w += textWidths_[size_t(i)];
    in.widths.push_back(std::max(w, minWidth));
  }
  if (!layoutValid_ || in.style != layoutInput_.style ||
      in.clientWidth != layoutInput_.clientWidth ||
      in.clientHeight != layoutInput_.clientHeight || in.itemHeight != layoutInput_.itemHeight ||
      in.selected != layoutInput_.selected || in.firstVisible != layoutInput_.firstVisible ||
      in.widths != layoutInput_.widths) {
    layout_ = ComputeLayout(in);
    layoutInput_ = std::move(in);
    layoutValid_ = true;
  }
  return layout_;
}

bool TabControl::ItemRect(int index, RECT* rect) {
  if (!rect || !Valid(index)) return false;
  *rect = CurrentLayout().rects[size_t(index)];
  return true;
}

// The icon and label inside the tab: as a group centred in the tab, or with
// TCS_FIXEDWIDTH and TCS_FORCEICONLEFT the icon at the left edge and the label centred in
// the rest, or with TCS_FORCELABELLEFT both at the left edge.
TabContent TabControl::ContentOf(int index) {
  TabContent content;
  RECT r{};
  if (!ItemRect(index, &r)) return content;
  LONG style = Style();
  const TabItem& item = Item(index);
  bool hasIcon = item.image >= 0 && iconCx_ > 0 && images;
  int textWidth = textWidths_[size_t(index)];
  int iconWidth = hasIcon ? iconCx_ : 0;
  int gap = hasIcon && textWidth > 0 ? padX_ : 0;
  bool fixed = (style & TCS_FIXEDWIDTH) != 0;
  bool labelLeft = fixed && (style & TCS_FORCELABELLEFT);
  bool iconLeft = fixed && (style & (TCS_FORCEICONLEFT | TCS_FORCELABELLEFT));
  int x = r.left + (r.right - r.left - (iconWidth + gap + textWidth)) / 2;
  if (iconLeft) x = r.left + padX_;
  int midY = (r.top + r.bottom) / 2;
  int iconTop = midY - iconCy_ / 2;
  if (hasIcon) content.icon = RECT{x, iconTop, x + iconCx_, iconTop + iconCy_};
  int labelX = x + iconWidth + gap;
  if (iconLeft && !labelLeft) {
    int spaceLeft = labelX, spaceRight = r.right - padX_;
    labelX = spaceLeft + std::max(0, (spaceRight - spaceLeft - textWidth) / 2);
  }
  int labelRight = std::min<int>(labelX + textWidth, r.right - padX_);
  content.label = RECT{labelX, midY - textHeight_ / 2, std::max(labelX, labelRight),
                       midY - textHeight_ / 2 + textHeight_};
  return content;
}

int TabControl::HitTest(POINT pt, UINT* flags) {
  const Layout& layout = CurrentLayout();
  for (int i = 0; i < Count() && !Contains(layout.arrows, pt); ++i) {
    if (!Contains(layout.rects[size_t(i)], pt)) continue;
    if (flags) {
      TabContent content = ContentOf(i);
      *flags = TCHT_ONITEM;
      if (!(Style() & TCS_OWNERDRAWFIXED)) {
        if (Contains(content.icon, pt)) *flags = TCHT_ONITEMICON;
        else if (Contains(content.label, pt)) *flags = TCHT_ONITEMLABEL;
      }
    }
    return i;
  }
  if (flags) *flags = TCHT_NOWHERE;
  return -1;
}

void TabControl::Adjust(bool toWindow, RECT* rect) {
  if (rect) AdjustDisplayRect(Style(), CurrentLayout().bandHeight, toWindow, rect);
}

LRESULT TabControl::SetItemSize(int cx, int cy) {
  CurrentLayout();  // the height in use now, measured or set
  int oldWidth = itemWidth_ > 0 ? itemWidth_ : kDefaultFixedWidth;
  int oldHeight = layoutInput_.itemHeight;
  itemWidth_ = std::max(0, cx);
  itemHeight_ = std::max(0, cy);
  Changed();
  return MAKELRESULT(oldWidth, oldHeight);
}

void TabControl::SetPadding(int cx, int cy) {
  padX_ = std::max(0, cx);
  padY_ = std::max(0, cy);
  Changed();
}

int TabControl::SetMinTabWidth(int width) {
  int old = minWidth_ >= 0 ? minWidth_ : kDefaultMinWidth;
  minWidth_ = width < 0 ? -1 : width;
  Changed();
  return old;
}

// Single line: makes `index` the first visible tab when it lies before the view, or
// moves the view on until the tab's right edge is clear of the scroll arrows.
void TabControl::ScrollIntoView(int index) {
  if (IsMultiLine(Style()) || !Valid(index)) return;
  if (index < firstVisible_) {
    firstVisible_ = index;
    return;
  }
  while (firstVisible_ < index) {
    const Layout& layout = CurrentLayout();
    RECT client{};
    GetClientRect(hwnd_, &client);
    LONG visibleRight = HasArrows(layout) ? layout.arrows.left : client.right;
    if (layout.rects[size_t(index)].right <= visibleRight) break;
    ++firstVisible_;
  }
}

// The arrows scroll by whole tabs: left while tabs are hidden before the view, right
// while the last tab still ends under or past the arrows.
void TabControl::ScrollBy(int tabs) {
  const Layout& layout = CurrentLayout();
  if (!HasArrows(layout)) return;
  if (tabs < 0 && firstVisible_ > 0) --firstVisible_;
  if (tabs > 0 && layout.rects.back().right > layout.arrows.left) ++firstVisible_;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace talix::comctl::tab
