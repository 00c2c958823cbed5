// CQuorWindowLink: the non-template half of CQuorWindowImpl - how an object is tied to a
// native window (its procedure installed, its pointer in GWLP_USERDATA and in a window
// property), how the tie is undone, and the message helpers that do not depend on the
// skin type.
//
// The property "__KelvaneQuorWindowObject" is the authority on which object owns a
// window: a second skinned object cannot subclass a window that already carries one
// (both would share the one user-data slot, and the lower object's procedure would
// then find the upper object and recurse for ever), and a procedure whose object has
// gone finds no property and falls back to DefWindowProcW.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class TALIX_LIB_API CQuorWindowLink {
 public:
  // Installs `proc` on `hwnd` and links `object` to it. Fills the replaced procedure and
  // user data. False, with the window unchanged, when `hwnd` is not a window, already
  // carries a skinned object, or refuses the procedure.
  static bool Attach(HWND hwnd, WNDPROC proc, void* object, WNDPROC* prevProc,
                     LONG_PTR* prevUserData);
  // Puts `prevProc` and `prevUserData` back and unlinks the object. Unless `force`, false
  // (nothing changed) when another procedure was installed over `proc` since.
  static bool Detach(HWND hwnd, WNDPROC proc, WNDPROC prevProc, LONG_PTR prevUserData,
                     bool force);
  // The object linked to `hwnd`, or null.
  static void* Object(HWND hwnd);

  // Passes a message on to `prevProc`, or to DefWindowProcW when there is none.
  static LRESULT CallPrevious(WNDPROC prevProc, HWND hwnd, UINT msg, WPARAM wParam,
                              LPARAM lParam);
  // WM_DRAWITEM / OCM_DRAWITEM: sends WM_DRAWITEM to the child control named by
  // DRAWITEMSTRUCT::hwndItem (by the id in wParam when hwndItem is null) and returns its
  // result. Menu items, requests without a DRAWITEMSTRUCT and items that name no child of
  // `window` go to `prevProc` instead.
  static LRESULT ForwardDrawItem(HWND window, WNDPROC prevProc, UINT msg, WPARAM wParam,
                                 LPARAM lParam);
  // True when a UWM_REPAINT request names a live child window and carries a PAINTSTRUCT.
  static bool IsRepaintRequest(WPARAM wParam, LPARAM lParam);
  // Flips `rect` of `dc` left to right in place. A right-to-left back buffer is mirrored
  // once it is drawn; an ancestor's picture painted into it must be flipped beforehand,
  // so that after that mirror it still lines up with what the ancestor shows around the
  // window.
  static void MirrorRect(HDC dc, const RECT& rect);
  // True when drawing into `dc` will be mirrored afterwards: the library's layout is
  // right-to-left and `dc` is not itself mirrored, so it is a back buffer being built.
  static bool DrawsIntoMirroredBuffer(HDC dc);
  // Outline of the client rectangle and its diagonal from top-left to bottom-right,
  // drawn with the DC's current pen.
  static void DrawPlaceHolder(HWND hwnd, HDC hdc);
};
