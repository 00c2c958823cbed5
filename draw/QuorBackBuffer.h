// CQuorBackBuffer and CQuorBackBufferClient: the double buffer of a skinned window.
// The client's whole content is drawn once into an off-screen bitmap over the matching part
// of the nearest ancestor's buffer (window property "PROP_BACKBUFFER"), mirrored in
// right-to-left layout, published on the client's window, and copied to the screen for
// every paint until DeleteBackBuffer drops it.
//
// Ownership: the buffer bitmap is the object's; the property on the client's window is only a
// name for it, set while the buffer exists and removed when it goes.
//
// Right-to-left (CQuorLib layout 1): the client's drawing is flipped once, so the copy to the
// mirrored window shows it the right way; the ancestor's part behind it is kept in line
// with the ancestor's own picture.
//
// Limits:
//  - One thread (the windows' owner). A background window that (directly or through its
//    own background) asks this object's buffer while it is being built gets nothing copied,
//    instead of recursing.
//  - Ancestors are searched through child windows only: a top-level window's owner is not
//    behind it, so its buffer is never copied.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class CQuorGraphics;

// What a back buffer draws: implemented by every skinned window.
class TALIX_LIB_API CQuorBackBufferClient {
 public:
  virtual HWND GetHWND() = 0;
  // Draws the whole client content into graphics at size cx x cy.
  virtual void Draw(CQuorGraphics* graphics, int cx, int cy) = 0;

 protected:
  ~CQuorBackBufferClient() = default;  // never deleted through this interface
};

class TALIX_LIB_API CQuorBackBuffer {
 public:
  explicit CQuorBackBuffer(CQuorBackBufferClient* client);
  virtual ~CQuorBackBuffer();
  CQuorBackBuffer(const CQuorBackBuffer&) = delete;
  CQuorBackBuffer& operator=(const CQuorBackBuffer&) = delete;

  // The window whose buffer this one copies its background from; NULL searches ancestors.
  void SetBackground(HWND window) { m_hWndBackground = window; }

  // Builds the cx x cy buffer (compatible with graphics' DC) and draws the client into it.
  virtual void CreateBackBuffer(int cx, int cy, CQuorGraphics* graphics);
  // Deletes the buffer and removes "PROP_BACKBUFFER" from the client's window.
  virtual void DeleteBackBuffer();
  // Copies the update rectangle from the buffer (built first if missing) into dc.
  virtual void DrawBackBuffer(HDC dc, RECT client, RECT update);
  // Copies src of the buffer into dst of dc, HALFTONE-stretched when the sizes differ.
  virtual void DrawBackBufferPart(HDC dc, RECT client, RECT src, RECT dst);
  // Fills rect of dc with the part of the ancestor's (or background window's) buffer
  // behind it; dc is left alone when there is none.
  virtual void DrawParentBackBuffer(HDC dc, RECT rect);

 protected:
  CQuorBackBufferClient* m_pClient;  // not owned
  HBITMAP m_hBackBuffer;             // owned; NULL until first needed
  HWND m_hWndBackground;

 private:
  HWND ClientWindow() const;
  // Builds the buffer for the client rectangle when there is none; true when one exists.
  bool EnsureBackBuffer(HDC dc, const RECT& client);
  // The ancestor's (or background window's) buffer and the window that carries it.
  HBITMAP FindParentBuffer(HWND* source);
  // Takes "PROP_BACKBUFFER" off the window it was published on, if it still names ours.
  void Unpublish();

  // The window that carries this buffer's property. Kept so the property is removed from
  // the right window even when the client is gone (destructor) or now names another.
  HWND m_hWndPublished = nullptr;
};
