// CreateDialogParamW, CreateDialogIndirectParamW and the creation steps they share.
//
// A template's menu is loaded from the template's module and becomes the dialog's menu
// bar (destroyed with the dialog); the window grows by the bar so the client area keeps
// the template's size.
//
// Limits: the dialog's position keeps a top-level dialog inside the work area of the one
// virtual monitor.
#include "platform/user/dialog/create_dialog.h"

#include "platform/gdi/font/dialog_units.h"
#include "platform/user/dialog/dialog_controls.h"
#include "platform/user/dialog/dialog_state.h"

#include <talix/host_screen.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace talix::user {
namespace {

int Scale(int value, int numerator, int denominator) {
  int64_t product = int64_t(value) * numerator;
  int64_t half = denominator / 2;
  return int(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

struct DialogFont {
  HFONT font = nullptr;  // what WM_SETFONT carries; null: the system font
  bool owned = false;
  SIZE units{};
};

DialogFont MakeDialogFont(const DialogTemplate& t) {
  DialogFont out;
  if (t.hasFont) {
    LOGFONTW lf{};
    if (t.pointSize == 0x7FFF) {  // the message box font
      NONCLIENTMETRICSW metrics{};
      metrics.cbSize = sizeof(metrics);
      SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
      lf = metrics.lfMessageFont;
    } else {
      lf.lfHeight = -Scale(t.pointSize, host::GetScreenParams().dpi, 72);
      lf.lfWeight = t.extended ? t.weight : FW_NORMAL;
      lf.lfItalic = t.extended ? t.italic : 0;
      lf.lfCharSet = t.extended ? t.charset : DEFAULT_CHARSET;
      std::u16string face = t.face;
      if ((t.style & DS_SHELLFONT) == DS_SHELLFONT && lstrcmpiW(face.c_str(), u"MS Shell Dlg") == 0)
        face = u"MS Shell Dlg 2";
      lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    }
    out.font = CreateFontIndirectW(&lf);
    out.owned = out.font != nullptr;
  } else if (t.style & DS_FIXEDSYS) {
    out.font = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
  }
  out.units = gdi::DialogBaseUnitsForFont(
      out.font ? out.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  return out;
}

void AdjustStyles(DWORD* style, DWORD* exStyle) {
  if (*style & DS_MODALFRAME) *exStyle |= WS_EX_DLGMODALFRAME;
  if (*style & DS_CONTROL) {
    *style &= ~(WS_CAPTION | WS_SYSMENU);
    *exStyle |= WS_EX_CONTROLPARENT;
  }
  *style &= ~WS_VISIBLE;  // shown once its controls exist and WM_INITDIALOG has run
}

RECT WorkArea() {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

void Shift(RECT* r, int dx, int dy) {
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
}

void CentreIn(RECT* window, POINT centre) {
  int w = window->right - window->left, h = window->bottom - window->top;
  window->left = centre.x - w / 2;
  window->top = centre.y - h / 2;
  window->right = window->left + w;
  window->bottom = window->top + h;
}

void KeepInside(RECT* window, const RECT& area) {
  int dx = 0, dy = 0;
  if (window->right > area.right) dx = area.right - window->right;
  if (window->left + dx < area.left) dx = area.left - window->left;
  if (window->bottom > area.bottom) dy = area.bottom - window->bottom;
  if (window->top + dy < area.top) dy = area.top - window->top;
  Shift(window, dx, dy);
}

// The dialog's window rectangle: the template gives the client area in dialog units.
RECT DialogWindowRect(const DialogTemplate& t, DWORD style, DWORD exStyle, SIZE units,
                      HWND parent, bool menu) {
  RECT r{Scale(t.x, units.cx, 4), Scale(t.y, units.cy, 8), 0, 0};
  r.right = r.left + Scale(t.cx, units.cx, 4);
  r.bottom = r.top + Scale(t.cy, units.cy, 8);
  AdjustWindowRectEx(&r, style, menu && !(style & WS_CHILD), exStyle);
  if (style & WS_CHILD) return r;
  if (parent && !(style & DS_ABSALIGN)) {
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    Shift(&r, origin.x, origin.y);
  }
  RECT work = WorkArea();
  if (style & DS_CENTERMOUSE) {
    POINT cursor;
    GetCursorPos(&cursor);
    CentreIn(&r, cursor);
  } else if (style & DS_CENTER) {
    CentreIn(&r, POINT{(work.left + work.right) / 2, (work.top + work.bottom) / 2});
  }
  KeepInside(&r, work);
  return r;
}

// An ordinal title ("\xFFFF" n) in the form controls such as icon statics read.
struct ItemTitle {
  WCHAR ordinal[3] = {0xFFFF, 0, 0};
  LPCWSTR Of(const NameOrOrdinal& title) {
    if (title.kind == NameOrOrdinal::Kind::Ordinal) {
      ordinal[1] = title.ordinal;
      return ordinal;
    }
    return title.kind == NameOrOrdinal::Kind::Text ? title.text.c_str() : u"";
  }
};

HWND CreateItem(HWND dialog, const DialogItem& item, const DialogFont& font, HINSTANCE instance) {
  LPCWSTR cls = item.windowClass.kind == NameOrOrdinal::Kind::Ordinal
                    ? ItemClassName(item.windowClass.ordinal)
                    : item.windowClass.AsResourceName();
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  ItemTitle title;
  int x = Scale(item.x, font.units.cx, 4), y = Scale(item.y, font.units.cy, 8);
  int cx = Scale(item.cx, font.units.cx, 4), cy = Scale(item.cy, font.units.cy, 8);
  HWND control = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, cls, title.Of(item.title),
                                 (item.style | WS_CHILD) & ~WS_POPUP, x, y, cx, cy, dialog,
                                 reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id)),
                                 instance, const_cast<BYTE*>(item.creationData));
  if (!control) return nullptr;
  // Controls keep the template's order, which is also the tab order.
  SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  if (font.font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.font), FALSE);
  return control;
}

bool CreateItems(HWND dialog, const DialogTemplate& t, const DialogFont& font,
                 HINSTANCE instance, DialogState& state) {
  for (const DialogItem& item : t.items) {
    HWND control = CreateItem(dialog, item, font, instance);
    if (!control) {
      if (t.style & DS_NOFAILCREATE) continue;
      return false;
    }
    if (!state.defaultId && (DialogCode(control) & DLGC_DEFPUSHBUTTON))
      state.defaultId = static_cast<WORD>(item.id);
  }
  return true;
}

HWND CreateDialogWindow(const DialogTemplate& t, const DialogRequest& request,
                        const DialogFont& font) {
  DWORD style = t.style, exStyle = t.exStyle;
  AdjustStyles(&style, &exStyle);
  // A child dialog has no menu bar; its template's menu is not loaded.
  HMENU menu = t.menu.kind == NameOrOrdinal::Kind::None || (style & WS_CHILD)
                   ? nullptr
                   : LoadMenuW(request.instance, t.menu.AsResourceName());
  RECT r = DialogWindowRect(t, style, exStyle, font.units, request.parent, menu != nullptr);
  LPCWSTR cls = t.windowClass.kind == NameOrOrdinal::Kind::None ? u"#32770"
                                                                 : t.windowClass.AsResourceName();
  HWND dialog = CreateWindowExW(exStyle, cls, t.title.c_str(), style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, request.parent, menu,
                                request.instance, reinterpret_cast<LPVOID>(request.param));
  if (!dialog && menu) DestroyMenu(menu);
  return dialog;
}

// WM_INITDIALOG and the focus it asks for; the dialog is still hidden.
void InitialiseDialog(HWND dialog, const DialogRequest& request, DialogState& state) {
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  LRESULT setFocus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first),
                                  request.param);
  if (!IsWindow(dialog)) return;
  if (setFocus) {
    HWND target = IsWindow(first) ? first : GetNextDlgTabItem(dialog, nullptr, FALSE);
    state.savedFocus = target;
  } else {
    HWND focus = GetFocus();  // the dialog procedure chose
    if (focus && IsChild(dialog, focus)) state.savedFocus = focus;
  }
}

}  // namespace

HWND CreateDialogFromTemplate(const void* data, size_t size, const DialogRequest& request) {
  DialogTemplate t;
  if (!ParseDialogTemplate(data, size, &t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DialogFont font = MakeDialogFont(t);
  HWND dialog = CreateDialogWindow(t, request, font);
  auto state = dialog ? DialogStateOf(dialog) : nullptr;
  if (!state) {
    if (font.owned) DeleteObject(font.font);
    return nullptr;
  }
  state->font = font.font;
  state->ownsFont = font.owned;
  SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(request.proc));
  if (font.font) SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font.font), FALSE);
  if (!CreateItems(dialog, t, font, request.instance, *state)) {
    DWORD error = GetLastError();
    DestroyWindow(dialog);
    SetLastError(error ? error : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  InitialiseDialog(dialog, request, *state);
  if (!IsWindow(dialog)) return nullptr;
  if ((t.style & WS_VISIBLE) && !request.modal) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

bool FindDialogResource(HINSTANCE instance, LPCWSTR name, const void** data, size_t* size) {
  HRSRC found = FindResourceW(instance, name, RT_DIALOG);
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
  }
  *data = bytes;
  *size = SizeofResource(instance, found);
  return true;
}

size_t KnownTemplateSize(const void* data) {
  DWORD error = GetLastError();
  HGLOBAL block = GlobalHandle(data);  // only the start of a block has one
  size_t size = block ? GlobalSize(block) : 0;
  SetLastError(error);
  return size ? size : kTemplateSizeUnknown;
}

}  // namespace talix::user

using namespace talix::user;

HWND CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate,
                                HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (!lpTemplate) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DialogRequest request{hInstance, hWndParent, lpDialogFunc, dwInitParam, false};
  return CreateDialogFromTemplate(lpTemplate, KnownTemplateSize(lpTemplate), request);
}

HWND CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                        DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  const void* data;
  size_t size;
  if (!FindDialogResource(hInstance, lpTemplateName, &data, &size)) return nullptr;
  DialogRequest request{hInstance, hWndParent, lpDialogFunc, dwInitParam, false};
  return CreateDialogFromTemplate(data, size, request);
}
