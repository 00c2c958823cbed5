// The frame, from the outside in (the same thicknesses WM_NCCALCSIZE takes off):
//   WS_THICKFRAME   a raised edge, then the sizing band in COLOR_ACTIVEBORDER /
//                   COLOR_INACTIVEBORDER, SM_CXFRAME x SM_CYFRAME in all;
//   WS_DLGFRAME     a raised edge, then COLOR_3DFACE, SM_CXDLGFRAME x SM_CYDLGFRAME;
//   WS_BORDER       one line of COLOR_WINDOWFRAME;
//   caption         (WS_CAPTION) SM_CYCAPTION rows (SM_CYSMCAPTION for tool windows): the
//                   bar in COLOR_ACTIVECAPTION / COLOR_INACTIVECAPTION, its last row
//                   COLOR_3DFACE, the text in COLOR_CAPTIONTEXT / COLOR_INACTIVECAPTIONTEXT
//                   with the caption font (the GUI font in bold), 2 pixels in, one line,
//                   ending in an ellipsis when it does not fit;
//   menu bar        the band of a top-level window with a menu and its items
//                   (platform/user/menu/menu_bar.h);
//   client edges    WS_EX_CLIENTEDGE sunken, WS_EX_STATICEDGE a single sunken line.
//
// Limits: no caption buttons, icon or system menu box are drawn.
#include "platform/user/paint/frame_paint.h"

#include "platform/gdi/region_object.h"
#include "platform/user/menu/menu_bar.h"
#include "platform/user/paint/paint_geometry.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/window_dc.h"

#include <win/sysmetrics.h>
#include <win/text.h>

#include <algorithm>
#include <string>

namespace talix::user {
namespace {

struct FrameLook {
  DWORD style = 0;
  DWORD exStyle = 0;
  bool hasMenu = false;
  bool active = false;
  RECT window{};  // window coordinates
  std::u16string text;
};

HBRUSH SysBrush(int index) { return GetSysColorBrush(index); }

// Fills a band of thickness (tx, ty) inside r and shrinks r by it.
void FillBand(HDC hdc, RECT* r, int tx, int ty, HBRUSH brush) {
  if (tx <= 0 && ty <= 0) return;
  RECT strips[4] = {{r->left, r->top, r->right, r->top + ty},
                    {r->left, r->bottom - ty, r->right, r->bottom},
                    {r->left, r->top + ty, r->left + tx, r->bottom - ty},
                    {r->right - tx, r->top + ty, r->right, r->bottom - ty}};
  for (RECT& strip : strips) FillRect(hdc, &strip, brush);
  *r = RECT{r->left + tx, r->top + ty, r->right - tx, r->bottom - ty};
}

void DrawOuterFrame(HDC hdc, const FrameLook& look, RECT* r) {
  bool dialog = (look.style & WS_DLGFRAME) || (look.exStyle & WS_EX_DLGMODALFRAME);
  if (look.style & WS_THICKFRAME) {
    DrawEdge(hdc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FillBand(hdc, r, GetSystemMetrics(SM_CXFRAME) - 2, GetSystemMetrics(SM_CYFRAME) - 2,
             SysBrush(look.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
  } else if (dialog) {
    DrawEdge(hdc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FillBand(hdc, r, GetSystemMetrics(SM_CXDLGFRAME) - 2, GetSystemMetrics(SM_CYDLGFRAME) - 2,
             SysBrush(COLOR_3DFACE));
  } else if (look.style & WS_BORDER) {
    FillBand(hdc, r, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER),
             SysBrush(COLOR_WINDOWFRAME));
  }
}

HFONT CreateCaptionFont() {
  LOGFONTW lf{};
  if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) return nullptr;
  lf.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&lf);
}

void DrawCaption(HDC hdc, const FrameLook& look, RECT* r) {
  int height = GetSystemMetrics((look.exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  RECT bar{r->left, r->top, r->right, r->top + height - 1};
  RECT line{r->left, bar.bottom, r->right, r->top + height};
  FillRect(hdc, &bar, SysBrush(look.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  FillRect(hdc, &line, SysBrush(COLOR_3DFACE));
  r->top += height;
  if (look.text.empty()) return;
  HFONT font = CreateCaptionFont();
  HGDIOBJ old = font ? SelectObject(hdc, font) : nullptr;
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(look.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT textRect{bar.left + 2, bar.top, bar.right - 2, bar.bottom};
  DrawTextW(hdc, look.text.c_str(), static_cast<int>(look.text.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
  if (font) {
    SelectObject(hdc, old);
    DeleteObject(font);
  }
}

void DrawInnerParts(HWND hwnd, HDC hdc, const FrameLook& look, RECT* r) {
  if (look.hasMenu) {
    RECT band{r->left, r->top, r->right, r->top + GetSystemMetrics(SM_CYMENU)};
    menu::DrawMenuBarBand(hwnd, hdc, band);
    r->top = band.bottom;
  }
  if (look.exStyle & WS_EX_CLIENTEDGE) DrawEdge(hdc, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (look.exStyle & WS_EX_STATICEDGE) DrawEdge(hdc, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

// The window's look and a window DC that leaves the client area out; null DC when the
// window has no frame to draw.
HDC PrepareFrame(HWND hwnd, HRGN limit, FrameLook* look) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window || !TopLevelLocked(*window)) return nullptr;
  look->style = window->style;
  look->exStyle = window->exStyle;
  look->hasMenu = !(window->style & WS_CHILD) && window->id != 0;
  look->active = PaintStateLocked(*window).captionActive;
  look->window = RECT{0, 0, RectWidth(window->rect), RectHeight(window->rect)};
  look->text = window->text;
  WindowDcRequest request;
  request.clip = StyleClipLocked(*window, true);
  request.exclude = gdi::Region32(window->client);
  gdi::RegionObject* region = limit ? gdi::PeekRegion(limit) : nullptr;
  if (region) {
    gdi::Region32 inWindow(&region->region);
    POINT origin = ClientOriginLocked(*window);
    inWindow.Translate(-(origin.x - window->client.left), -(origin.y - window->client.top));
    request.intersect = inWindow;
  }
  return MakeWindowDcLocked(*window, request);
}

}  // namespace

void DrawFrame(HWND hwnd, HRGN limit) {
  FrameLook look;
  HDC hdc = PrepareFrame(hwnd, limit, &look);
  if (!hdc) return;
  RECT r = look.window;
  DrawOuterFrame(hdc, look, &r);
  if ((look.style & WS_CAPTION) == WS_CAPTION) DrawCaption(hdc, look, &r);
  DrawInnerParts(hwnd, hdc, look, &r);
  ReleaseDC(hwnd, hdc);
}

}  // namespace talix::user
