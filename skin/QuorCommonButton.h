// CQuorCommonButtonCtrl: the icon-only skinned push button. Seven looks (disabled, normal,
// hot, pushed, focused, focused and hot, focused and pushed), each a theme background
// with an optional icon centred on it; three sizes. The window is sized to its focused
// background.
//
//   CQuorCommonButtonCtrl button;
//   RECT rc{10, 10, 0, 0};   // the size comes from the skin
//   button.Create(parent, rc, IDC_SAVE, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
//                 COMMON_BUTTON_MEDIUM);
//   button.SetButtonIcon(IDB_SAVE, IDB_SAVE_DISABLED);  // or (IDB_SAVE, UINT(-1))
//   button.SetTooltip(u"Save");
//
// The object owns the skin it makes; the window lives until the object or its parent
// destroys it.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorButtonImpl.h"
#include "skin/QuorCommonButtonSkin.h"

class TALIX_LIB_API CQuorCommonButtonCtrl : public CQuorButtonImpl<CQuorCommonButtonSkin> {
 public:
  CQuorCommonButtonCtrl() = default;
  ~CQuorCommonButtonCtrl() override;

  using CQuorButtonImpl<CQuorCommonButtonSkin>::Create;
  using CQuorButtonImpl<CQuorCommonButtonSkin>::SubclassWindow;

  // A "Button" window with no text, its skin loaded from the theme module in `size`
  // (any value but small, medium or large gives medium). Null when the window cannot be
  // made; no skin is made then.
  virtual HWND Create(HWND parent, RECT& rect, UINT id, DWORD style, DWORD exStyle,
                      ECommonButtonSize size);
  // Takes over a button of a dialog template: its type bits 0x1, 0x2 and 0x8 are
  // cleared, WS_CLIPSIBLINGS | WS_CLIPCHILDREN and WS_EX_NOPARENTNOTIFY added, and the
  // skin made and loaded as Create does.
  virtual BOOL SubclassWindow(HWND hwnd, ECommonButtonSize size);
  // `disabledIcon` of UINT(-1): the disabled look shows `icon` too.
  virtual void SetButtonIcon(UINT icon, UINT disabledIcon);
  // The look the last paint chose.
  virtual ECommonButtonState GetGraphicalState() { return m_eGraphicalState; }

  // The size of the focused background (0 x 0 when it did not load); no move, no redraw.
  void SizeToContent() override;
  LRESULT OnPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The look for the current flags, hover and enabled state.
  ECommonButtonState ComputeGraphicalState();

 private:
  // Makes, loads and sizes the skin; the caller has switched the resource instance.
  void MakeSkin(ECommonButtonSize size);

  ECommonButtonState m_eGraphicalState = COMMON_BUTTON_NORMAL;
};
