// CQuorButtonImpl<Skin>: a native "Button" window that behaves as a skinned push, check or
// radio button.
//
// The object keeps the button state itself (check, indeterminate, pushed, focus: the
// BST_* bits answered by BM_GETSTATE), follows the mouse for the hover look, handles the
// left button and the space bar, posts WM_COMMAND (BN_CLICKED, low word = control id) to
// the parent and keeps automatic radio groups exclusive. The native button never sees
// clicks, focus changes, painting or BM_* messages; it stores the text and does the rest.
// Every look change drops the back buffer and invalidates the window ("refresh"), so the
// next WM_PAINT rebuilds the picture from the skin.
//
// Button types, from the low bits of the style: types with both low bits set (3, the
// automatic check box) toggle on a click; types with bit 0x4 (radio, 3-state...) or bits
// 0x9 (automatic radio) are checked by a click; the space bar toggles all of those. BM_SETCHECK 1 on an automatic radio
// button unchecks the radio-style buttons of its dialog group.
//
// A derived control supplies SizeToContent and OnPaint, a Create with button parameters
// (which calls CQuorWindowImpl<Skin>::Create; the generic eight-argument Create creates
// nothing here) and sets m_nCtrlID from GetDlgCtrlID.
//
// Limits:
//  - the group walk of BM_SETCHECK stops when it comes back to this button, to the first
//    button it reached, or after as many steps as the parent has children, so a hidden or
//    disabled button (which the walk itself never reaches) cannot make it loop;
//  - BM_SETCHECK keeps only the check bits (BST_CHECKED | BST_INDETERMINATE) of wParam.
//  - WM_MOVE is passed on; OnMove is there for derived controls to call.
#pragma once

#include "chrome/QuorTooltip.h"
#include "skin/QuorWindowImpl.h"

#include <windows.h>

// Sent by the window manager when the focus and accelerator cues of a window change.
#ifndef WM_UPDATEUISTATE
#define WM_UPDATEUISTATE 0x0128
#endif

template <class Skin>
class CQuorButtonImpl : public CQuorWindowImpl<Skin> {
  using Base = CQuorWindowImpl<Skin>;

 public:
  CQuorButtonImpl() { this->m_pfnWndProc = &CQuorButtonImpl::WindowProc; }

  // Destroys a window that is still there (its WM_DESTROY unregisters the tooltip); the
  // window template then drops the buffer and its property.
  ~CQuorButtonImpl() override {
    if (this->m_hWnd && IsWindow(this->m_hWnd)) DestroyWindow(this->m_hWnd);
  }

  // Buttons are made through their own Create; this one makes nothing.
  HWND Create(LPCWSTR, HWND, RECT&, LPCWSTR, UINT, DWORD, DWORD, void*) override {
    return nullptr;
  }

  virtual void SizeToContent() = 0;

  // Sets all bits of `flags` when `set` and one is missing; clears them all when not
  // `set` and all are there.
  virtual void SetStateFlag(long flags, BOOL set) {
    const bool all = (m_lStateFlags & flags) == flags;
    if (all && !set) m_lStateFlags &= ~flags;
    if (!all && set) m_lStateFlags |= flags;
  }

  virtual LRESULT OnPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

  // The parent paints its own background into the button's DC.
  virtual LRESULT OnEraseBkgnd(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    this->DeleteBackBuffer();
    HWND parent = GetParent(hwnd);
    if (!IsWindow(parent)) return 1;
    PAINTSTRUCT ps{};
    ps.hdc = reinterpret_cast<HDC>(wParam);
    GetClientRect(hwnd, &ps.rcPaint);
    SendMessageW(parent, UWM_REPAINT, reinterpret_cast<WPARAM>(hwnd),
                 reinterpret_cast<LPARAM>(&ps));
    return 1;
  }

  virtual LRESULT OnLButtonUp(HWND hwnd, UINT, WPARAM, LPARAM) {
    if (GetCapture() != hwnd) return 0;
    ReleaseCapture();
    if (m_bTracking && RequestLeave(hwnd, TME_CANCEL | TME_LEAVE)) m_bTracking = false;
    m_bHot = false;
    if (CursorIsOver(hwnd)) {
      const DWORD type = Style(hwnd) & 0xF;
      if ((type & 3) == 3) {
        ToggleCheck(hwnd);
      } else if ((type & 4) || (type & 9) == 9) {
        SendMessageW(hwnd, BM_GETCHECK, 0, 0);
        SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
      }
      PostClick(hwnd);
    }
    SendMessageW(hwnd, BM_SETSTATE, 0, 0);
    return 0;
  }

  virtual LRESULT OnLButtonDown(HWND hwnd, UINT, WPARAM, LPARAM) {
    SetCapture(hwnd);
    SendMessageW(hwnd, BM_SETSTATE, 1, 0);
    SetFocus(hwnd);
    return 0;
  }

  // A double click counts as a second click.
  virtual LRESULT OnLButtonDblClick(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
    SendMessageW(hwnd, WM_LBUTTONDOWN, wParam, lParam);
    SendMessageW(hwnd, WM_LBUTTONUP, wParam, lParam);
    return 0;
  }

  // While the button holds the capture it pops up when the pointer leaves it and goes
  // down again when the pointer comes back.
  virtual LRESULT OnMouseMove(HWND hwnd, UINT, WPARAM, LPARAM) {
    if (GetCapture() == hwnd) {
      const bool over = CursorIsOver(hwnd);
      if (over != m_bHot) {
        m_bHot = over;
        SendMessageW(hwnd, BM_SETSTATE, over ? 1 : 0, 0);
      }
      return 0;
    }
    if (m_bHot) return 0;
    m_bHot = true;
    if (!m_bTracking && RequestLeave(hwnd, TME_LEAVE)) m_bTracking = true;
    Refresh();
    return 0;
  }

  virtual LRESULT OnMouseLeave(HWND, UINT, WPARAM, LPARAM) {
    m_bHot = false;
    m_bTracking = false;
    Refresh();
    return 0;
  }

  virtual LRESULT OnSize(HWND, UINT, WPARAM, LPARAM) { return Refresh(); }
  virtual LRESULT OnMove(HWND, UINT, WPARAM, LPARAM) { return Refresh(); }

  // wParam: the window losing the focus.
  virtual LRESULT OnSetFocus(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    if (reinterpret_cast<HWND>(wParam) == hwnd) return 0;
    SetStateFlag(BST_FOCUS, TRUE);
    return Refresh();
  }
  // wParam: the window gaining the focus.
  virtual LRESULT OnKillFocus(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    if (reinterpret_cast<HWND>(wParam) == hwnd) return 0;
    SetStateFlag(BST_FOCUS, FALSE);
    return Refresh();
  }

  // Non-zero: the key is not the button's and goes on to the native button.
  virtual LRESULT OnKeyDown(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    if (wParam != VK_SPACE) return 1;
    SendMessageW(hwnd, BM_SETSTATE, 1, 0);
    return 0;
  }
  // The space bar notifies first and then toggles the check of check and radio types.
  virtual LRESULT OnKeyUp(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    if (wParam != VK_SPACE) return 1;
    PostClick(hwnd);
    const DWORD type = Style(hwnd) & 0xF;
    if ((type & 3) == 3 || (type & 4) || (type & 9) == 9) ToggleCheck(hwnd);
    SendMessageW(hwnd, BM_SETSTATE, 0, 0);
    return 0;
  }

  virtual LRESULT OnEnable(HWND, UINT, WPARAM, LPARAM) { return Refresh(); }

  virtual LRESULT OnSetText(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = this->CallPrevious(hwnd, msg, wParam, lParam);
    SizeToContent();
    Refresh();
    return result;
  }

  virtual LRESULT OnUpdateUIState(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = this->CallPrevious(hwnd, msg, wParam, lParam);
    this->DeleteBackBuffer();
    InvalidateRect(hwnd, nullptr, FALSE);
    return result;
  }

  virtual LRESULT OnSetCheck(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    m_lStateFlags &= ~long(BST_CHECKED | BST_INDETERMINATE);
    const long check = long(wParam & (BST_CHECKED | BST_INDETERMINATE));
    if (check) SetStateFlag(check, TRUE);
    if ((Style(hwnd) & BS_AUTORADIOBUTTON) == BS_AUTORADIOBUTTON && check == BST_CHECKED)
      UncheckGroup(hwnd);
    return Refresh();
  }
  virtual LRESULT OnGetCheck(HWND, UINT, WPARAM, LPARAM) {
    return m_lStateFlags & (BST_CHECKED | BST_INDETERMINATE);
  }
  virtual LRESULT OnSetState(HWND, UINT, WPARAM wParam, LPARAM) {
    SetStateFlag(BST_PUSHED, wParam != 0);
    return Refresh();
  }
  virtual LRESULT OnGetState(HWND, UINT, WPARAM, LPARAM) { return m_lStateFlags; }

  virtual LRESULT OnDestroy(HWND hwnd, UINT, WPARAM, LPARAM) {
    m_Tooltip.UnregisterToolWindow(hwnd);
    return 0;
  }

  // Gives the button a tooltip text (null removes it).
  void SetTooltip(const WCHAR* text) { m_Tooltip.SetTooltip(this->m_hWnd, text); }

  long GetStateFlags() const { return m_lStateFlags; }
  bool IsHot() const { return m_bHot; }
  UINT GetCtrlID() const { return m_nCtrlID; }
  const CQuorTooltip& GetTooltip() const { return m_Tooltip; }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CQuorButtonImpl*>(Base::FromHandle(hwnd));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
      case WM_DESTROY: return self->OnDestroy(hwnd, msg, wParam, lParam);
      case WM_SIZE: return self->OnSize(hwnd, msg, wParam, lParam), 0;
      case WM_SETFOCUS: return self->OnSetFocus(hwnd, msg, wParam, lParam), 0;
      case WM_KILLFOCUS: return self->OnKillFocus(hwnd, msg, wParam, lParam), 0;
      case WM_ENABLE: return self->OnEnable(hwnd, msg, wParam, lParam), 0;
      case WM_SETTEXT: return self->OnSetText(hwnd, msg, wParam, lParam);
      case WM_PAINT: return self->OnPaint(hwnd, msg, wParam, lParam), 0;
      case WM_ERASEBKGND: return self->OnEraseBkgnd(hwnd, msg, wParam, lParam), 1;
      case BM_GETCHECK: return self->OnGetCheck(hwnd, msg, wParam, lParam);
      case BM_SETCHECK: return self->OnSetCheck(hwnd, msg, wParam, lParam), 0;
      case BM_GETSTATE: return self->OnGetState(hwnd, msg, wParam, lParam);
      case BM_SETSTATE: return self->OnSetState(hwnd, msg, wParam, lParam), 0;
      case WM_KEYDOWN:
        if (!self->OnKeyDown(hwnd, msg, wParam, lParam)) return 0;
        return self->CallPrevious(hwnd, msg, wParam, lParam);
      case WM_KEYUP:
        if (!self->OnKeyUp(hwnd, msg, wParam, lParam)) return 0;
        return self->CallPrevious(hwnd, msg, wParam, lParam);
      case UWM_INVALIDATEBACKBUFFER:
      case UWM_REPAINT: return 0;
      case WM_UPDATEUISTATE: return self->OnUpdateUIState(hwnd, msg, wParam, lParam);
      case WM_MOUSEMOVE: return self->OnMouseMove(hwnd, msg, wParam, lParam), 0;
      case WM_LBUTTONDOWN: return self->OnLButtonDown(hwnd, msg, wParam, lParam), 0;
      case WM_LBUTTONUP: return self->OnLButtonUp(hwnd, msg, wParam, lParam), 0;
      case WM_LBUTTONDBLCLK: return self->OnLButtonDblClick(hwnd, msg, wParam, lParam), 0;
      case WM_MOUSELEAVE: return self->OnMouseLeave(hwnd, msg, wParam, lParam), 0;
      default:
        // The window template still sees WM_NCDESTROY (it forgets the window) and
        // passes everything else on to the native button.
        return Base::WindowProc(hwnd, msg, wParam, lParam);
    }
  }

 protected:
  // Drops the picture and asks for a repaint with erase; returns 0 for the handlers.
  LRESULT Refresh() {
    this->DeleteBackBuffer();
    if (this->m_hWnd) InvalidateRect(this->m_hWnd, nullptr, TRUE);
    return 0;
  }

  static DWORD Style(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }

  static bool CursorIsOver(HWND hwnd) {
    POINT cursor{};
    return GetCursorPos(&cursor) && WindowFromPoint(cursor) == hwnd;
  }

  static bool RequestLeave(HWND hwnd, DWORD flags) {
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof(request);
    request.dwFlags = flags;
    request.hwndTrack = hwnd;
    return TrackMouseEvent(&request) != FALSE;
  }

  static void ToggleCheck(HWND hwnd) {
    const LRESULT checked = SendMessageW(hwnd, BM_GETCHECK, 0, 0) & BST_CHECKED;
    SendMessageW(hwnd, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
  }

  void PostClick(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    if (!IsWindow(parent)) return;
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(LOWORD(m_nCtrlID), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
  }

  // Unchecks the radio-style buttons of this button's dialog group.
  static void UncheckGroup(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    if (!IsWindow(parent)) return;
    int steps = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      ++steps;
    HWND first = nullptr;
    HWND item = hwnd;
    while (steps-- > 0) {
      item = GetNextDlgGroupItem(parent, item, FALSE);
      if (!item || item == hwnd || item == first) break;
      if (!first) first = item;
      const DWORD type = Style(item) & 0xF;
      if ((type & 4) || (type & 9) == 9) SendMessageW(item, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }

  long m_lStateFlags = 0;  // BST_CHECKED | BST_INDETERMINATE | BST_PUSHED | BST_FOCUS
  UINT m_nCtrlID = 0;      // low word of the WM_COMMAND posted on a click
  bool m_bHot = false;     // the cursor is over the button
  bool m_bTracking = false;  // a TME_LEAVE request is active
  CQuorTooltip m_Tooltip;
};
