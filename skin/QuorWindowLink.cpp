#include "skin/QuorWindowLink.h"

#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"
#include "skin/messages.h"

using talix::draw::OwnedObject;
using talix::draw::SelectedDc;

namespace {

constexpr WCHAR kObjectProperty[] = u"__KelvaneQuorWindowObject";

WNDPROC CurrentProc(HWND hwnd) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

WNDPROC InstallProc(HWND hwnd, WNDPROC proc) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

}  // namespace

bool CQuorWindowLink::Attach(HWND hwnd, WNDPROC proc, void* object, WNDPROC* prevProc,
                             LONG_PTR* prevUserData) {
  if (!IsWindow(hwnd) || !proc || !object || GetPropW(hwnd, kObjectProperty)) return false;
  WNDPROC previous = InstallProc(hwnd, proc);
  if (!previous) return false;
  if (!SetPropW(hwnd, kObjectProperty, object)) {
    InstallProc(hwnd, previous);
    return false;
  }
  *prevProc = previous;
  *prevUserData = GetWindowLongPtrW(hwnd, GWLP_USERDATA);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  return true;
}

bool CQuorWindowLink::Detach(HWND hwnd, WNDPROC proc, WNDPROC prevProc, LONG_PTR prevUserData,
                             bool force) {
  if (!IsWindow(hwnd) || !proc) return false;
  if (!force && CurrentProc(hwnd) != proc) return false;
  if (!prevProc || !InstallProc(hwnd, prevProc)) return false;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, prevUserData);
  RemovePropW(hwnd, kObjectProperty);
  return true;
}

void* CQuorWindowLink::Object(HWND hwnd) { return GetPropW(hwnd, kObjectProperty); }

LRESULT CQuorWindowLink::CallPrevious(WNDPROC prevProc, HWND hwnd, UINT msg, WPARAM wParam,
                                      LPARAM lParam) {
  if (prevProc) return CallWindowProcW(prevProc, hwnd, msg, wParam, lParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

namespace {

// The child of `window` a WM_DRAWITEM is for, or null when it names none.
HWND DrawItemTarget(HWND window, const DRAWITEMSTRUCT& item, WPARAM wParam) {
  // Ids need not be unique among siblings, so the control's own handle decides; the id
  // is only a fallback for senders that leave the handle out.
  if (!item.hwndItem) return GetDlgItem(window, static_cast<int>(wParam));
  bool ownChild = IsWindow(item.hwndItem) && GetAncestor(item.hwndItem, GA_PARENT) == window;
  return ownChild ? item.hwndItem : nullptr;
}

}  // namespace

LRESULT CQuorWindowLink::ForwardDrawItem(HWND window, WNDPROC prevProc, UINT msg,
                                         WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  // Menu items are drawn by the menu's owner, not by a child; a request without its
  // record has nothing a child could draw from.
  bool forChild = item && item->CtlType != ODT_MENU;
  HWND child = forChild ? DrawItemTarget(window, *item, wParam) : nullptr;
  WNDPROC childProc = child ? CurrentProc(child) : nullptr;
  if (!childProc) return CallPrevious(prevProc, window, msg, wParam, lParam);
  return CallWindowProcW(childProc, child, WM_DRAWITEM, wParam, lParam);
}

bool CQuorWindowLink::IsRepaintRequest(WPARAM wParam, LPARAM lParam) {
  return lParam != 0 && IsWindow(reinterpret_cast<HWND>(wParam));
}

void CQuorWindowLink::MirrorRect(HDC dc, const RECT& rect) {
  const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
  if (!dc || cx <= 1 || cy <= 0) return;
  OwnedObject<HBITMAP> copy(CreateCompatibleBitmap(dc, cx, cy));
  if (!copy.get()) return;
  {
    SelectedDc memory(dc, copy.get());
    if (!memory.ok()) return;
    BitBlt(memory.get(), 0, 0, cx, cy, dc, rect.left, rect.top, SRCCOPY);
  }  // deselected, so that the mirror can select it
  if (!CQuorLib::MirrorBitmap(copy.get())) return;
  SelectedDc memory(dc, copy.get());
  if (memory.ok()) BitBlt(dc, rect.left, rect.top, cx, cy, memory.get(), 0, 0, SRCCOPY);
}

bool CQuorWindowLink::DrawsIntoMirroredBuffer(HDC dc) {
  return CQuorLib::GetLayout() == 1 && !(GetLayout(dc) & LAYOUT_RTL);
}

void CQuorWindowLink::DrawPlaceHolder(HWND hwnd, HDC hdc) {
  RECT rc;
  if (!hdc || !GetClientRect(hwnd, &rc) || rc.right <= 0 || rc.bottom <= 0) return;
  // Corners are inclusive, so that the right and bottom sides fall inside the window.
  const int right = rc.right - 1;
  const int bottom = rc.bottom - 1;
  MoveToEx(hdc, 0, 0, nullptr);
  LineTo(hdc, right, 0);
  LineTo(hdc, right, bottom);
  LineTo(hdc, 0, bottom);
  LineTo(hdc, 0, 0);
  LineTo(hdc, right, bottom);
}
