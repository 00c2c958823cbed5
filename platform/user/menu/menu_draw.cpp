#include "platform/user/menu/menu_draw.h"

#include <win/sysmetrics.h>
#include <win/text.h>

namespace talix::user::menu {
namespace {

int MidOf(const RECT& r) { return r.top + (r.bottom - r.top) / 2; }

UINT OwnerDrawState(const ItemView& view, bool selected) {
  UINT state = selected ? ODS_SELECTED : 0;
  if (view.item.state & MF_GRAYED) state |= ODS_GRAYED;
  if (view.item.state & MF_DISABLED) state |= ODS_DISABLED;
  if (view.Checked()) state |= ODS_CHECKED;
  if (view.Default()) state |= ODS_DEFAULT;
  return state;
}

void SendDrawItem(HDC hdc, HWND owner, HMENU menu, const ItemView& view, bool selected) {
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = view.item.id;
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = OwnerDrawState(view, selected);
  draw.hwndItem = reinterpret_cast<HWND>(menu);
  draw.hDC = hdc;
  draw.rcItem = view.rect;
  draw.itemData = view.item.data;
  if (owner) SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

// A DrawFrameControl menu glyph in `color` on `background`, through a monochrome mask
// (its 0 bits take the text colour, its 1 bits the background colour).
void DrawGlyph(HDC hdc, const RECT& box, UINT glyph, COLORREF color, COLORREF background) {
  int w = box.right - box.left, h = box.bottom - box.top;
  HDC mem = CreateCompatibleDC(hdc);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  if (mem && mask) {
    HGDIOBJ old = SelectObject(mem, mask);
    RECT all{0, 0, w, h};
    DrawFrameControl(mem, &all, DFC_MENU, glyph);
    COLORREF oldText = SetTextColor(hdc, color), oldBack = SetBkColor(hdc, background);
    BitBlt(hdc, box.left, box.top, w, h, mem, 0, 0, SRCCOPY);
    SetTextColor(hdc, oldText);
    SetBkColor(hdc, oldBack);
    SelectObject(mem, old);
  }
  if (mask) DeleteObject(mask);
  if (mem) DeleteDC(mem);
}

void DrawBitmap(HDC hdc, HBITMAP bitmap, int x, int y) {
  BITMAP info{};
  if (reinterpret_cast<uintptr_t>(bitmap) <= 11 || !GetObjectW(bitmap, sizeof(info), &info)) return;
  HDC mem = CreateCompatibleDC(hdc);
  if (!mem) return;
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(hdc, x, y - info.bmHeight / 2, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

// A triangle pointing away from the text: right, or left for mirrored items.
void DrawArrow(HDC hdc, int x, int mid, bool left, COLORREF color) {
  POINT points[3] = {{x, mid - 4}, {x, mid + 4}, {x + 4, mid}};
  if (left) points[2].x = x - 4;
  HBRUSH brush = CreateSolidBrush(color);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ oldBrush = SelectObject(hdc, brush), oldPen = SelectObject(hdc, pen);
  Polygon(hdc, points, 3);
  SelectObject(hdc, oldBrush);
  SelectObject(hdc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void DrawSeparator(HDC hdc, const RECT& r) {
  int y = MidOf(r) - 1;
  RECT shadow{r.left + 1, y, r.right - 1, y + 1};
  RECT light{r.left + 1, y + 1, r.right - 1, y + 2};
  FillRect(hdc, &shadow, GetSysColorBrush(COLOR_3DSHADOW));
  FillRect(hdc, &light, GetSysColorBrush(COLOR_3DHILIGHT));
}

struct TextItemLook {
  COLORREF text, background;
  bool mirrored;
};

void DrawMark(HDC hdc, const ItemView& view, const TextItemLook& look) {
  const RECT& r = view.rect;
  int size = GetSystemMetrics(SM_CXMENUCHECK);
  int left = look.mirrored ? r.right - 3 - size : r.left + 3;
  int top = MidOf(r) - size / 2;
  HBITMAP custom = view.Checked() ? view.item.checkedMark : view.item.uncheckedMark;
  if (custom) {
    DrawBitmap(hdc, custom, left, MidOf(r));
  } else if (view.Checked()) {
    UINT glyph = (view.item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK;
    DrawGlyph(hdc, RECT{left, top, left + size, top + size}, glyph, look.text, look.background);
  }
}

void DrawTextItem(HDC hdc, const ItemView& view, const PopupLayout& layout, int acceleratorLeft,
                  bool selected) {
  const RECT& r = view.rect;
  TextItemLook look{GetSysColor(view.Grayed() ? COLOR_GRAYTEXT
                                : selected     ? COLOR_HIGHLIGHTTEXT
                                               : COLOR_MENUTEXT),
                    GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU),
                    (view.item.type & MFT_RIGHTORDER) != 0};
  HBRUSH background = CreateSolidBrush(look.background);
  FillRect(hdc, &r, background);
  DeleteObject(background);
  DrawMark(hdc, view, look);

  HFONT font = CreateMenuFont(view.Default());
  HGDIOBJ oldFont = SelectObject(hdc, font);
  int oldMode = SetBkMode(hdc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(hdc, look.text);
  RECT text = look.mirrored ? RECT{r.left + layout.arrowWidth, r.top, r.right - layout.checkWidth, r.bottom}
                            : RECT{r.left + layout.checkWidth, r.top, r.right - layout.arrowWidth, r.bottom};
  UINT align = DT_SINGLELINE | DT_VCENTER | (look.mirrored ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
  if (view.item.bitmap) {
    DrawBitmap(hdc, view.item.bitmap, look.mirrored ? text.right : text.left, MidOf(r));
  }
  std::u16string label = view.Label(), accelerator = view.Accelerator();
  DrawTextW(hdc, label.c_str(), static_cast<int>(label.size()), &text, align);
  if (!accelerator.empty()) {
    int offset = acceleratorLeft - r.left;
    RECT column = look.mirrored ? RECT{text.left, r.top, r.right - offset, r.bottom}
                                : RECT{r.left + offset, r.top, text.right, r.bottom};
    DrawTextW(hdc, accelerator.c_str(), static_cast<int>(accelerator.size()), &column, align);
  }
  SetTextColor(hdc, oldColor);
  SetBkMode(hdc, oldMode);
  SelectObject(hdc, oldFont);
  DeleteObject(font);
  if (view.HasSubmenu()) {
    int x = look.mirrored ? r.left + layout.arrowWidth / 2 + 2 : r.right - layout.arrowWidth / 2 - 2;
    DrawArrow(hdc, x, MidOf(r), look.mirrored, look.text);
  }
}

}  // namespace

void DrawPopup(HDC hdc, const RECT& client, const PopupPaint& paint) {
  FillRect(hdc, &client, GetSysColorBrush(COLOR_MENU));
  RECT edge = client;
  DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT);
  const std::vector<ItemView>& items = *paint.items;
  for (size_t i = 0; i < items.size(); ++i) {
    const ItemView& view = items[i];
    bool selected = static_cast<int>(i) == paint.hilite;
    if (view.OwnerDrawn()) {
      SendDrawItem(hdc, paint.owner, paint.menu, view, selected);
      if (view.HasSubmenu()) {
        bool mirrored = (view.item.type & MFT_RIGHTORDER) != 0;
        int x = mirrored ? view.rect.left + 8 : view.rect.right - 8;
        DrawArrow(hdc, x, MidOf(view.rect), mirrored, GetSysColor(COLOR_MENUTEXT));
      }
    } else if (view.Separator()) {
      DrawSeparator(hdc, view.rect);
    } else {
      DrawTextItem(hdc, view, *paint.layout, paint.layout->acceleratorLeft[i], selected);
    }
  }
}

void DrawBarItems(HDC hdc, HWND owner, HMENU menu, const RECT& band,
                  const std::vector<ItemView>& items) {
  FillRect(hdc, &band, GetSysColorBrush(COLOR_MENU));
  HFONT font = CreateMenuFont(false);
  HGDIOBJ oldFont = SelectObject(hdc, font);
  int oldMode = SetBkMode(hdc, TRANSPARENT);
  for (const ItemView& view : items) {
    bool hilite = (view.item.state & MFS_HILITE) != 0;
    if (view.OwnerDrawn()) {
      SendDrawItem(hdc, owner, menu, view, hilite);
      continue;
    }
    if (hilite) FillRect(hdc, &view.rect, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, GetSysColor(view.Grayed() ? COLOR_GRAYTEXT
                                  : hilite      ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_MENUTEXT));
    std::u16string label = view.Label();
    RECT text = view.rect;
    DrawTextW(hdc, label.c_str(), static_cast<int>(label.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  SetBkMode(hdc, oldMode);
  SelectObject(hdc, oldFont);
  DeleteObject(font);
}

}  // namespace talix::user::menu
