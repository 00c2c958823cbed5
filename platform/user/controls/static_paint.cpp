// Painting of the "Static" class by type: text, image, solid rectangle or frame, etched
// line or frame, or WM_DRAWITEM to the owner for SS_OWNERDRAW.
#include "platform/user/controls/static.h"

#include "platform/user/controls/control_draw.h"

namespace talix::user::controls {
namespace {

struct StaticLook {
  HWND hwnd;
  HDC hdc;
  LONG style;
  RECT client;
};

void PaintText(const StaticLook& s) {
  auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(s.hwnd, kStaticFontOffset));
  ScopedFont selected(s.hdc, font);
  DrawControlText(s.hdc, WindowText(s.hwnd), s.client, StaticTextFormat(s.style),
                  IsWindowEnabled(s.hwnd) != FALSE);
}

void PaintImage(const StaticLook& s) {
  HANDLE image = reinterpret_cast<HANDLE>(GetWindowLongPtrW(s.hwnd, kStaticImageOffset));
  bool isIcon = StaticType(s.style) == SS_ICON;
  SIZE size = ImageSize(image, isIcon);
  int width = s.client.right - s.client.left, height = s.client.bottom - s.client.top;
  if (s.style & SS_REALSIZECONTROL) {
    DrawImage(s.hdc, image, isIcon, 0, 0, width, height);
    return;
  }
  int x = 0, y = 0;
  if (s.style & SS_CENTERIMAGE) {
    x = (width - size.cx) / 2;
    y = (height - size.cy) / 2;
  } else if (s.style & SS_RIGHTJUST) {
    x = width - size.cx;
    y = height - size.cy;
  }
  DrawImage(s.hdc, image, isIcon, x, y, size.cx, size.cy);
}

// The system colour of the SS_*RECT and SS_*FRAME types, or -1 for the other types.
int ShapeColour(UINT type) {
  switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME: return COLOR_WINDOWFRAME;
    case SS_GRAYRECT:
    case SS_GRAYFRAME: return COLOR_BACKGROUND;
    case SS_WHITERECT:
    case SS_WHITEFRAME: return COLOR_WINDOW;
    default: return -1;
  }
}

void PaintShape(const StaticLook& s, UINT type) {
  HBRUSH brush = GetSysColorBrush(ShapeColour(type));
  bool filled = type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT;
  if (filled) FillRect(s.hdc, &s.client, brush);
  else FrameRect(s.hdc, &s.client, brush);
}

void PaintEtched(const StaticLook& s, UINT type) {
  RECT rect = s.client;
  UINT sides = type == SS_ETCHEDHORZ ? BF_TOP : type == SS_ETCHEDVERT ? BF_LEFT : BF_RECT;
  DrawEdge(s.hdc, &rect, EDGE_ETCHED, sides);
}

void PaintOwnerDrawn(const StaticLook& s) {
  UINT state = IsWindowEnabled(s.hwnd) ? 0 : ODS_DISABLED;
  SendDrawItem(s.hwnd, s.hdc, ODT_STATIC, ODA_DRAWENTIRE, state);
}

}  // namespace

UINT StaticTextFormat(LONG style) {
  UINT format = DT_EXPANDTABS;
  switch (StaticType(style)) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFT: format |= DT_LEFT | DT_WORDBREAK; break;
    case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
    default: format |= DT_LEFT; break;  // SS_LEFTNOWORDWRAP
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;
  if (style & SS_CENTERIMAGE) format = (format & ~UINT(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: format |= DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: format |= DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: format |= DT_WORD_ELLIPSIS; break;
  }
  // Shortened text is one line: the ellipsis marks what did not fit on it.
  if (style & SS_ELLIPSISMASK) format &= ~UINT(DT_WORDBREAK);
  return format;
}

void PaintStatic(HWND hwnd, HDC hdc) {
  StaticLook s{hwnd, hdc, GetWindowLongW(hwnd, GWL_STYLE), {}};
  GetClientRect(hwnd, &s.client);
  UINT type = StaticType(s.style);
  if (type == SS_OWNERDRAW) {
    PaintOwnerDrawn(s);
    return;
  }
  int saved = SaveDC(hdc);
  HBRUSH background = ParentColorBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
  FillRect(hdc, &s.client, background);
  switch (type) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: PaintText(s); break;
    case SS_ICON:
    case SS_BITMAP: PaintImage(s); break;
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: PaintEtched(s, type); break;
    default:
      if (ShapeColour(type) >= 0) PaintShape(s, type);
      break;  // SS_USERITEM, SS_ENHMETAFILE: background only
  }
  RestoreDC(hdc, saved);
}

}  // namespace talix::user::controls
