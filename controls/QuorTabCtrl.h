// CQuorTabCtrl: the skinned tab control - a native "SysTabControl32" window (created here
// or subclassed from a dialog template) whose whole client area is painted from a back
// buffer that CQuorTabSkin draws. The native control keeps the items, the selection, the
// tab layout, hit-testing, the keyboard and the notifications.
//
//   CQuorTabSkin skin;  skin.SetSkinDef(def);  skin.Load();   // kept alive by the owner
//   CQuorTabCtrl tabs;
//   tabs.SetSkin(&skin);
//   RECT rc{10, 10, 310, 210};
//   tabs.Create(dialog, rc, IDC_TABS, WS_CHILD | WS_VISIBLE, 0);
//   TCITEMW item{TCIF_TEXT};  item.pszText = const_cast<WCHAR*>(u"General");
//   tabs.InsertItem(0, &item);
//
// Pages (child windows of the control) get their background from the control's buffer
// through UWM_REPAINT (skin/messages.h), like children of any skinned window.
//
// Painting: every WM_PAINT copies the whole client area from the buffer. When the
// selection changed since the last paint the buffer is rebuilt, and the parent is first
// asked (UWM_REPAINT) to paint its background over the tab strip. The buffer is also
// dropped on size and focus changes. An invalid skin leaves painting to the native
// control, and then children get no background from here.
//
// Message 0x0467 (QUOR_TAB_GETBKCLR) answers the skin's background colour as 0x00RRGGBB,
// 0 without a skin.
//
// Limits: one thread; TCS_OWNERDRAWFIXED is set on the window so that the native control
// never draws captions of its own.
#pragma once

#include "controls/QuorTabSkin.h"
#include "frame/talix_export.h"
#include "skin/QuorWindowImpl.h"

#include <win/commctrl.h>
#include <windows.h>

#define QUOR_TAB_GETBKCLR 0x0467

class TALIX_LIB_API CQuorTabCtrl : public CQuorWindowImpl<CQuorTabSkin> {
 public:
  CQuorTabCtrl();

  static LPCWSTR GetWndClassName() { return WC_TABCONTROLW; }

  // The general form is not offered for this control: always null.
  HWND Create(LPCWSTR className, HWND parent, RECT& rect, LPCWSTR windowName, UINT id,
              DWORD style, DWORD exStyle, void* param) override;
  // A "SysTabControl32" window without text, owner-drawn; null when it cannot be made.
  virtual HWND Create(HWND parent, RECT& rect, UINT id, DWORD style, DWORD exStyle);
  // Takes over a tab control of a template: owner-drawn, tabs at least 50 pixels wide and
  // 24 high.
  BOOL SubclassWindow(HWND hwnd) override;

  HIMAGELIST GetImageList();
  HIMAGELIST SetImageList(HIMAGELIST list);
  int GetItemCount();
  BOOL GetItem(int index, TCITEMW* item);
  BOOL SetItem(int index, TCITEMW* item);
  int InsertItem(int index, TCITEMW* item);
  BOOL DeleteItem(int index);
  BOOL DeleteAllItems();
  BOOL GetItemRect(int index, RECT* rect);
  int GetCurSel();
  int SetCurSel(int index);
  int GetCurFocus();
  void SetCurFocus(int index);
  SIZE SetItemSize(SIZE size);  // the previous size
  void SetPadding(SIZE size);
  int GetRowCount();
  BOOL SetItemExtra(int bytes);
  int SetMinTabWidth(int width);
  DWORD GetExtendedStyle();
  DWORD SetExtendedStyle(DWORD mask, DWORD style);
  BOOL GetUnicodeFormat();
  BOOL SetUnicodeFormat(BOOL unicode);
  void AdjustRect(BOOL larger, RECT* rect);
  void RemoveImage(int image);
  int HitTest(TCHITTESTINFO* info);
  void DeselectAll(BOOL excludeFocus);
  BOOL HighlightItem(int index, BOOL highlight);

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  using CQuorWindowImpl<CQuorTabSkin>::OnPaint;
  virtual LRESULT OnPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnGetBkclr(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Serves a page: the part of the buffer behind it, and that part of this window counts
  // as painted.
  virtual LRESULT OnRepaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnFocusChange(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // The selection seen at the last paint.
  int m_nLastSelection;

 private:
  void SetOwnerDrawn();
  // Asks the parent for its background over the tab strip, into this paint's DC.
  void RepaintStrip(const PAINTSTRUCT& ps, const RECT& client);
};
