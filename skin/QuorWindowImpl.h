// CQuorWindowImpl<Skin>: a native window painted by a skin through a back buffer.
//
// How a host makes a skinned window:
//
//   CQuorLib::Init(hInstance, themeModule);          // once, before any skinned window
//   MySkin skin;  skin.Load();                       // the owner keeps the skin alive
//   CQuorWindowImpl<MySkin> window;
//   window.SetSkin(&skin);                           // borrowed, never deleted here
//   RECT rc{10, 10, 110, 40};
//   window.Create(u"Button", parent, rc, u"", id, WS_CHILD | WS_VISIBLE, 0, nullptr);
//   // ... or window.SubclassWindow(GetDlgItem(dialog, id)) for a control of a template.
//
// The object either creates its window (Create) or subclasses an existing one
// (SubclassWindow); it installs its own procedure (the static WindowProc, or a derived
// control's procedure set into m_pfnWndProc by its constructor) and finds itself again
// on every message. On WM_PAINT it paints from its back buffer (CQuorBackBuffer),
// building it when missing: the part of the nearest ancestor's buffer behind the window,
// the skin drawn over it, mirrored when CQuorLib::GetLayout() is 1. WM_ERASEBKGND paints
// nothing. Owner-draw requests (WM_DRAWITEM, OCM_DRAWITEM) go to the child control they
// name. UWM_INVALIDATEBACKBUFFER drops the buffer; UWM_REPAINT paints the part of the
// buffer behind a child into the child's DC (skin/messages.h). Every other message goes
// to the procedure that was there before.
//
// Right-to-left (CQuorLib::GetLayout() == 1, windows with WS_EX_LAYOUTRTL): skins draw
// as in left-to-right (their pictures were flipped when they loaded) and the buffer is
// mirrored for the mirrored window. The ancestor's picture copied into a buffer being
// built is flipped before the skin draws over it (CQuorBackBuffer), and so is what
// UWM_REPAINT paints into such a buffer (OnRepaint), so that after the mirror
// transparent parts line up with the ancestor.
//
// A look change: DeleteBackBuffer() and InvalidateRect(m_hWnd, nullptr, FALSE); the next
// paint rebuilds the buffer.
//
// A control with messages of its own sets its static procedure into m_pfnWndProc in its
// constructor; that procedure finds its object with FromHandle and passes what it does
// not handle to CQuorWindowImpl<Skin>::WindowProc.
//
// Lifetime: the destructor frees the back buffer and, when the window still carries this
// object, gives the window back its previous procedure and user data; the window itself
// lives on until its creator or parent destroys it. When the window is destroyed first
// the object forgets it (m_hWnd becomes null) and frees its buffer.
//
// Limits: one skinned object per window (a second SubclassWindow is refused). Objects are
// not copyable. Windows are used only from the thread that created them.
#pragma once

#include "draw/QuorBackBuffer.h"
#include "draw/QuorGraphics.h"
#include "skin/QuorWindow.h"
#include "skin/QuorWindowLink.h"
#include "skin/messages.h"

template <class Skin>
class CQuorWindowImpl : public CQuorWindow,
                        public CQuorBackBuffer,
                        public CQuorBackBufferClient {
 public:
  CQuorWindowImpl()
      : CQuorBackBuffer(static_cast<CQuorBackBufferClient*>(this)),
        m_pfnPrevWndProc(nullptr),
        m_lPrevUserData(0),
        m_pfnWndProc(&CQuorWindowImpl::WindowProc),
        m_pSkin(nullptr) {}
  CQuorWindowImpl(const CQuorWindowImpl&) = delete;
  CQuorWindowImpl& operator=(const CQuorWindowImpl&) = delete;

  ~CQuorWindowImpl() override {
    DeleteBackBuffer();
    if (m_hWnd && CQuorWindowLink::Object(m_hWnd) == this)
      CQuorWindowLink::Detach(m_hWnd, m_pfnWndProc, m_pfnPrevWndProc, m_lPrevUserData, true);
  }

  // Creates the window and installs the own procedure; null (nothing left behind) when
  // this object already has a live window, there is no own procedure, or it cannot be
  // installed.
  HWND Create(LPCWSTR className, HWND parent, RECT& rect, LPCWSTR windowName, UINT id,
              DWORD style, DWORD exStyle, void* param) override {
    if (!m_pfnWndProc || (m_hWnd && IsWindow(m_hWnd))) return nullptr;
    HWND hwnd = CQuorWindow::Create(className, parent, rect, windowName, id, style, exStyle,
                                    param);
    if (!hwnd) return nullptr;
    if (!CQuorWindowLink::Attach(hwnd, m_pfnWndProc, this, &m_pfnPrevWndProc,
                                 &m_lPrevUserData)) {
      DestroyWindow(hwnd);
      m_hWnd = nullptr;
    }
    return m_hWnd;
  }

  // Borrows `skin`; nothing is loaded and nothing repainted.
  virtual void SetSkin(Skin* skin) { m_pSkin = skin; }
  virtual bool SkinIsValid() { return m_pSkin && m_pSkin->IsValid(); }

  // Takes over an existing window (a control of a dialog template). FALSE when this
  // object already has a live window, `hwnd` is no window or carries another skinned
  // object, or the procedure cannot be installed. The window is not repainted.
  virtual BOOL SubclassWindow(HWND hwnd) {
    if (m_hWnd && IsWindow(m_hWnd)) return FALSE;
    if (!m_pfnWndProc || !CQuorWindowLink::Attach(hwnd, m_pfnWndProc, this, &m_pfnPrevWndProc,
                                                  &m_lPrevUserData))
      return FALSE;
    m_hWnd = hwnd;
    return TRUE;
  }

  // Gives the window back its previous procedure and user data and returns its handle.
  // Null, with nothing changed, when another procedure was installed over this one since
  // (unless `force`). The buffer is dropped first, so that the window no longer
  // advertises a bitmap this object is about to free.
  virtual HWND UnsubclassWindow(BOOL force = FALSE) {
    if (!m_hWnd || !m_pfnWndProc) return nullptr;
    if (!force && GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) !=
                      reinterpret_cast<LONG_PTR>(m_pfnWndProc))
      return nullptr;
    DeleteBackBuffer();
    if (!CQuorWindowLink::Detach(m_hWnd, m_pfnWndProc, m_pfnPrevWndProc, m_lPrevUserData,
                                 force != FALSE))
      return nullptr;
    m_pfnPrevWndProc = &DefWindowProcW;
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
  }

  // Copies the paint rectangle from the back buffer (built when missing). An invalid
  // skin paints nothing; derived controls draw DrawPlaceHolder instead.
  virtual void OnPaint(PAINTSTRUCT* ps) {
    RECT client;
    if (!GetClientRect(m_hWnd, &client)) return;
    if (SkinIsValid()) DrawBackBuffer(ps->hdc, client, ps->rcPaint);
  }

  // CQuorBackBufferClient.
  HWND GetHWND() override { return m_hWnd; }
  // Called while the back buffer is built, over the ancestor's picture.
  void Draw(CQuorGraphics* graphics, int cx, int cy) override {
    if (m_pSkin) m_pSkin->Draw(this, graphics, cx, cy);
  }

  // The object attached to `hwnd` by Create or SubclassWindow, or null.
  static CQuorWindowImpl* FromHandle(HWND hwnd) {
    return static_cast<CQuorWindowImpl*>(CQuorWindowLink::Object(hwnd));
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CQuorWindowImpl* self = FromHandle(hwnd);
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
      case WM_PAINT:
        return self->OnPaint(hwnd, msg, wParam, lParam);
      case WM_ERASEBKGND:
        return self->OnEraseBkgnd(hwnd, msg, wParam, lParam);
      case WM_DRAWITEM:
      case OCM_DRAWITEM:
        return self->OnDrawItem(hwnd, msg, wParam, lParam);
      case UWM_INVALIDATEBACKBUFFER:
        return self->OnInvalidateBackBuffer(hwnd, msg, wParam, lParam);
      case UWM_REPAINT:
        return self->OnRepaint(hwnd, msg, wParam, lParam);
      case WM_NCDESTROY:
        return self->OnNcDestroy(hwnd, msg, wParam, lParam);
      default:
        return self->CallPrevious(hwnd, msg, wParam, lParam);
    }
  }

  LRESULT OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    if (BeginPaint(hwnd, &ps)) OnPaint(&ps);
    EndPaint(hwnd, &ps);
    return 0;
  }
  // The back buffer covers the whole client area: nothing to erase.
  LRESULT OnEraseBkgnd(HWND, UINT, WPARAM, LPARAM) { return 1; }
  LRESULT OnDrawItem(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CQuorWindowLink::ForwardDrawItem(hwnd, m_pfnPrevWndProc, msg, wParam, lParam);
  }
  // Paints the part of this window's buffer behind the asking child (wParam) into the
  // child's DC (lParam, a PAINTSTRUCT*). A child building its own right-to-left buffer
  // gets the part that will lie there once its buffer is mirrored, flipped.
  LRESULT OnRepaint(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
    if (!CQuorWindowLink::IsRepaintRequest(wParam, lParam) || !SkinIsValid()) return 0;
    auto* ps = reinterpret_cast<PAINTSTRUCT*>(lParam);
    const HWND child = reinterpret_cast<HWND>(wParam);
    const bool intoBuffer = CQuorWindowLink::DrawsIntoMirroredBuffer(ps->hdc);
    RECT source = ps->rcPaint;
    if (intoBuffer) {
      RECT childClient;
      GetClientRect(child, &childClient);
      source.left = childClient.right - ps->rcPaint.right;
      source.right = childClient.right - ps->rcPaint.left;
    }
    MapWindowPoints(child, hwnd, reinterpret_cast<POINT*>(&source), 2);
    RECT client;
    GetClientRect(hwnd, &client);
    DrawBackBufferPart(ps->hdc, client, source, ps->rcPaint);
    if (intoBuffer) CQuorWindowLink::MirrorRect(ps->hdc, ps->rcPaint);
    return 0;
  }
  LRESULT OnInvalidateBackBuffer(HWND, UINT, WPARAM, LPARAM) {
    DeleteBackBuffer();
    return 0;
  }

  void DrawPlaceHolder(HDC hdc) { CQuorWindowLink::DrawPlaceHolder(m_hWnd, hdc); }
  HBITMAP GetBackBuffer() { return m_hBackBuffer; }
  Skin* GetSkin() { return m_pSkin; }

 protected:
  LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CQuorWindowLink::CallPrevious(m_pfnPrevWndProc, hwnd, msg, wParam, lParam);
  }
  // The window is going away before this object: drop the buffer while the window can
  // still lose its property, let the previous procedure finish, and forget the window.
  LRESULT OnNcDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DeleteBackBuffer();
    WNDPROC previous = m_pfnPrevWndProc;
    CQuorWindowLink::Detach(hwnd, m_pfnWndProc, previous, m_lPrevUserData, true);
    m_hWnd = nullptr;
    m_pfnPrevWndProc = nullptr;
    return CQuorWindowLink::CallPrevious(previous, hwnd, msg, wParam, lParam);
  }

  WNDPROC m_pfnPrevWndProc;  // receives every message the window does not handle here
  LONG_PTR m_lPrevUserData;  // GWLP_USERDATA before this object took it
  WNDPROC m_pfnWndProc;      // installed on the window; derived controls may set their own
  Skin* m_pSkin;             // borrowed
};
