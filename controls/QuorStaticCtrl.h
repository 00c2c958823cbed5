// CQuorStaticCtrl: the skinned static control - a native "Static" window, created here or
// subclassed from a dialog template, showing one of the static skins (bitmap, gradient,
// nine-part frame, icon; controls/QuorStatic*Skin.h) over its parent's background.
//
//   CQuorStaticGradientSkin skin;  skin.Load();     // the owner keeps the skin alive
//   CQuorStaticCtrl header;
//   header.SetSkin(&skin);
//   RECT rc{0, 0, 300, 40};
//   header.Create(dialog, rc, IDC_HEADER, WS_CHILD | WS_VISIBLE, 0);
//
// With a valid skin the control paints its back buffer (the parent's picture with the
// skin drawn over it) and never its text. Without one it draws its window text
// transparently over the parent's background: in the control's text colour (SetTextColor;
// grey 205 when none or 0 was set), grey 206 when disabled, aligned by its SS_LEFT /
// SS_CENTER / SS_RIGHT style (SS_LEFTNOWORDWRAP: one line; SS_NOPREFIX: '&' shown).
// The background is asked of the parent with UWM_REPAINT at WM_ERASEBKGND.
//
// The skin pointer is typed CQuorBaseSkin*, so any of the four static skins (or any other
// skin) can be given to SetSkin; the control uses only IsValid and Draw.
//
// Text colours live in one library-wide table keyed by the control; the destructor drops
// the control's entry, so a later control at the same address starts with the default.
//
// Right-to-left (CQuorLib::GetLayout() == 1, mirrored windows): skins draw as in
// left-to-right through the mirrored back buffer, their pictures flipped when they loaded;
// text is drawn into the mirrored window DC, so SS_LEFT text starts at the right edge.
//
// Limits: one thread; black text cannot be set (0 means "default", grey 205). Vertical
// centring applies to single-line text only (SS_LEFTNOWORDWRAP): DrawTextW ignores
// DT_VCENTER for wrapping text, which therefore starts at the top.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"
#include "skin/QuorWindowImpl.h"

#include <windows.h>

// The reflected form of WM_CTLCOLORSTATIC a parent may send back to the control.
#ifndef OCM_CTLCOLORSTATIC
#define OCM_CTLCOLORSTATIC 0x2138  // WM_USER + 0x1C00 + WM_CTLCOLORSTATIC
#endif

class TALIX_LIB_API CQuorStaticCtrl : public CQuorWindowImpl<CQuorBaseSkin> {
 public:
  static constexpr COLORREF kDefaultTextColor = RGB(205, 205, 205);
  static constexpr COLORREF kDisabledTextColor = RGB(206, 206, 206);

  CQuorStaticCtrl();
  ~CQuorStaticCtrl() override;

  using CQuorWindowImpl<CQuorBaseSkin>::Create;
  // A "Static" window without text, child id `id`; null when the window manager refuses
  // or this object already has a live window.
  virtual HWND Create(HWND parent, RECT& rect, unsigned int id, unsigned long style,
                      unsigned long exStyle);
  BOOL SubclassWindow(HWND hwnd) override;

  // Text colour of this control when it draws its text; nothing is repainted. 0 gives
  // back the default, grey 205.
  void SetTextColor(unsigned long color);
  // The colour the text is drawn in while the control is enabled.
  COLORREF GetTextColor() const;
  // Replaces the alignment bits (0 and 1) of the style: SS_LEFT, SS_CENTER or SS_RIGHT.
  // The value is added to the cleared style as it is; nothing is repainted.
  void SetTextAlignment(DWORD alignment);

  // DrawTextW format for a static style (alignment, single line, prefix).
  static UINT TextFormatForStyle(DWORD style);

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  virtual LRESULT OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Has the parent paint its background into the erase DC; answers 1.
  virtual LRESULT OnEraseBkgnd(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnRepaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Transparent text in the control's colour over a hollow brush.
  virtual LRESULT OnCtlColor(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // The skin's back buffer, or the window text when there is no valid skin.
  void OnPaint(PAINTSTRUCT* ps) override;
  void DrawWindowText(HDC dc, const RECT& client);

  HBRUSH m_hHollowBrush;  // made at the first WM_CTLCOLORSTATIC, deleted at WM_DESTROY
};
