// CQuorTooltip: the toolkit's tooltip for a control window, drawn as a light grey vertical
// gradient (0xF8F8F8 at the top to 0xE7E7E7 at the bottom) with the text centred in a
// 14-pixel font, sized to the text plus a 10-pixel margin on each side.
//
// How a control uses it:
//
//   CQuorTooltip tip;                          // usually a member of the control's object
//   tip.SetTooltip(button, u"Save the file");  // registers `button` as a tool
//   tip.SetTooltip(button, u"Saved");          // a new text for the next showing
//   tip.SetTooltip(button, nullptr);           // or UnregisterToolWindow(button)
//
// One native tooltip window ("tooltips_class32") serves every tool under one top-level
// window. The first SetTooltip under a top-level window creates it (owned by that window,
// topmost, TTS_NOPREFIX); the top-level window keeps its handle and a count of registered
// tool windows in two window properties; the last UnregisterToolWindow destroys it. The
// text is not handed to the tooltip window: the tool window is subclassed with
// TooltipNotificationProc, which answers the tooltip's TTN_GETDISPINFOW, TTN_SHOW (resize
// to the text) and NM_CUSTOMDRAW (the toolkit's look) through the virtual handlers.
//
// Lifetime: the destructor frees the text and the font but does not unregister the tool
// window; its owner calls UnregisterToolWindow (buttons do so on WM_DESTROY) before the
// object goes away. A tool window destroyed while registered unregisters itself (on
// WM_NCDESTROY), so the top-level window's count and properties never outlive their tools.
// A copy carries its own copy of the text and its own font, and serves no tool window
// until it registers one. When the shared window dies (with its owner, or destroyed by
// someone else), the next SetTooltip makes a new one with a fresh count, and a window
// registered with the old one is added to the new one on its next SetTooltip with text.
//
// Limits: user-interface thread only. The tool's rectangle is the window's client
// rectangle when it was registered; it does not follow later resizing. The gradient is
// drawn row by row with solid brushes, each row sampled at its middle; the text colour is
// COLOR_BTNTEXT as it was when the first tooltip was drawn. A window subclassed again by
// someone else after registering gets the procedure it had at registration back when it
// is unregistered.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class TALIX_LIB_API CQuorTooltip {
 public:
  CQuorTooltip();
  CQuorTooltip(const CQuorTooltip& other);
  CQuorTooltip& operator=(const CQuorTooltip& other);
  virtual ~CQuorTooltip();

  // Gives `window` the tooltip `text` (copied), or removes its tooltip when `text` is
  // null. When no shared tooltip window can be made nothing changes; the next call tries
  // again.
  void SetTooltip(HWND window, const WCHAR* text);
  // Restores `window`'s procedure, deletes its tool and, when it was the last tool under
  // the top-level window, destroys the shared tooltip window. Nothing happens for a
  // window that is not registered.
  void UnregisterToolWindow(HWND window);

  // The procedure installed on tool windows: routes the tooltip's notifications to the
  // object serving the window and everything else to the window's previous procedure.
  static LRESULT CALLBACK TooltipNotificationProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                  LPARAM lParam);

  // Names of the window properties (top-level window: shared window and count; tool
  // window: serving object and previous procedure).
  static const WCHAR kWindowProperty[];
  static const WCHAR kCountProperty[];
  static const WCHAR kObjectProperty[];
  static const WCHAR kProcedureProperty[];

  // The stored text (null when none); the top-level window of the last SetTooltip.
  const WCHAR* GetText() const { return m_pszText; }
  HWND GetTopLevelWindow() const { return m_hWndTop; }

 protected:
  // NM_CUSTOMDRAW (NMTTCUSTOMDRAW*): hides the control's own painting at CDDS_PREPAINT and
  // draws the gradient and the centred text at CDDS_POSTPAINT.
  virtual LRESULT OnTTNCustomDraw(WPARAM wParam, LPARAM lParam);
  // TTN_SHOW (NMHDR*): sizes the tooltip window to the text plus the margins; returns 1.
  virtual LRESULT OnTTNShow(WPARAM wParam, LPARAM lParam);
  // TTN_GETDISPINFOW (NMTTDISPINFOW*): points lpszText at the stored text; returns 0.
  virtual LRESULT OnTTNGetDispInfo(WPARAM wParam, LPARAM lParam);

 private:
  bool InitializeTooltipManager(HWND window);
  void DestroyTooltipManager();
  void RegisterToolWindow(HWND window);
  void ReplaceText(const WCHAR* text);

  HWND m_hWndTop;
  HINSTANCE m_hInstance;
  HFONT m_hFont;
  WCHAR* m_pszText;
};
