// CQuorButtonCtrlBase: what the two skinned push buttons (CQuorButtonCtrl,
// CQuorButtonCtrl2) share - a native "Button" turned owner-drawn and painted by a
// CQuorButtonSkin, with hot tracking, check box and radio emulation, frame animation and
// an optional tooltip.
//
// Use:
//
//   CQuorButtonSkin skin;  skin.SetSkinDef(def);  skin.Load();   // shared, not owned
//   CQuorButtonCtrl button;
//   button.SetSkin(&skin);
//   RECT rc{10, 10, 90, 34};
//   button.Create(parent, rc, IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0);
//   SetWindowTextW(button.m_hWnd, u"OK");
//
// The button is owner-drawn: its parent must hand WM_DRAWITEM (or the reflected
// OCM_DRAWITEM) back to the button's window - the skinned windows do so, a plain parent
// sends it on to DRAWITEMSTRUCT::hwndItem itself. BS_AUTOCHECKBOX and BS_AUTORADIOBUTTON
// styles make a check box or a radio button that shows "checked" with the pressed state;
// any other type is a push button. Clicks reach the parent as WM_COMMAND/BN_CLICKED from
// the native button.
//
// Messages: UWM_BUTTONFOCUS goes to the parent (wParam = control id) after the button
// gains focus; UWM_RADIOINFO is posted to the other members of an auto radio button's
// group when it becomes checked.
//
// Limits: the window type is replaced by BS_OWNERDRAW (the other style bits stay);
// animation frames are drawn over the back buffer on a timer (id 1000) only while the
// state they belong to is shown.
#pragma once

#include "controls/QuorButtonSkin.h"
#include "skin/QuorWindowImpl.h"

// Kinds of push button derived from the window style.
enum : int {
  BUTTONKIND_PUSH = 0,
  BUTTONKIND_CHECK = 2,
  BUTTONKIND_RADIO = 4,
};

// Sent to the parent after the button gains focus; wParam = control id, lParam 0.
#define UWM_BUTTONFOCUS (WM_USER + 1)
// Posted to the other buttons of a radio group: uncheck yourself.
#define UWM_RADIOINFO 0x0500
// Sent to the button itself on focus changes; bit 0x10000 of the answer means "focused".
#define UWM_QUERYFOCUSSTATE (WM_USER + 57)

// Timer that steps the animation frames.
#define QUOR_BUTTON_ANIMATION_TIMER 1000

class TALIX_LIB_API CQuorButtonCtrlBase : public CQuorWindowImpl<CQuorButtonSkin> {
 public:
  CQuorButtonCtrlBase();
  // Destroys the tooltip and a still existing window.
  ~CQuorButtonCtrlBase() override;

  // Only the five-argument Create makes a button.
  HWND Create(LPCWSTR, HWND, RECT&, LPCWSTR, UINT, DWORD, DWORD, void*) override {
    return nullptr;
  }
  // A "Button" window without text; the type becomes BS_OWNERDRAW. Null on failure.
  virtual HWND Create(HWND parent, RECT& rect, UINT id, DWORD style, DWORD exStyle);
  // Takes over an existing "Button"; 0 when the base subclassing fails.
  BOOL SubclassWindow(HWND hwnd) override;
  // Draws the place holder when the skin is not valid (the skin draws through
  // WM_DRAWITEM otherwise).
  void OnPaint(PAINTSTRUCT* ps) override;
  // Creates the tooltip on the first call, updates its text afterwards.
  virtual void SetToolTipText(LPCWSTR text);

  // What the skin asks while drawing.
  EButtonState GetState() const { return m_nState; }
  int GetKind() const { return m_nKind; }
  bool IsChecked() const { return m_bChecked; }
  bool IsHot() const { return m_bHot; }
  HWND GetToolTip() const { return m_hToolTip; }
  // True when the focused state gets a focus rectangle.
  virtual bool DrawsFocusRect() const { return false; }

  // Message handlers (hwnd, message, wParam, lParam).
  virtual LRESULT OnCreate(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnDestroy(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnEraseBkgnd(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnDrawItem(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnMouseMove(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnMouseLeave(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnSetFocus(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnKillFocus(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnKeyDown(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnLButtonDblClick(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnLButtonDown(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnLButtonUp(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnRadioInfo(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnSetCheck(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnGetCheck(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnTimer(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT OnSize(HWND, UINT, WPARAM, LPARAM);

  static LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  // Sends the tooltip TTM_RELAYEVENT with the message when there is a tooltip.
  void RelayEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The button kind a window style asks for.
  static int KindFromStyle(DWORD style);
  // Step 1 of a drawing: corrects the pushed state while the mouse is held down; true
  // when it did (the native button redraws).
  bool CorrectPushedState(HWND hwnd);
  void StartAnimation(HWND hwnd);
  void StopAnimation(HWND hwnd);
  void UncheckGroup(HWND hwnd);
  bool CursorIsOver(HWND hwnd, LPARAM clientPoint) const;
  LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  EButtonState m_nState;
  EButtonState m_nPrevState;
  int m_nKind;
  HWND m_hToolTip;
  bool m_bChecked;
  bool m_bHot;
  bool m_bTracking;
  bool m_bFocus;
  DWORD m_nFrame;
  UINT_PTR m_nTimerID;
  EButtonState m_nAnimState;
};
