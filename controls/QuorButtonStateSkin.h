// CQuorButtonStateSkin: the look of a skinned push button in one of its states.
//
// A state draws a three-piece background (left end piece at its own size, the middle
// picture tiled - never stretched - between the ends, right end piece), then an optional
// image placed by m_nImagePos, then the window text as caption. When both end pieces
// carry masks the window is cut to their outlines joined by the middle band; in
// right-to-left layout that region is flipped as a whole, as the back buffer is (the
// region of a mirrored window counts from its upper-right corner). A state
// with a run of frames (m_nFirstFrameID..m_nLastFrameID) animates them over the image
// rectangle; the owning control drives the frames from a timer (DrawFrame).
//
// A state with none of the three background pictures asks the parent to paint behind
// it (UWM_REPAINT with the back-buffer DC), so a caption-only button shows its parent.
//
// Limits: frame ids above 0xFFFF are not integer resources and are not loaded; a run
// of frames stops after 512 ids. The
// region given to the window (SetWindowRgn) belongs to the window: m_hRgn is a record of
// the last one built, never deleted here. State skins are not copyable (they hold
// counted pictures).
#pragma once

#include "draw/QuorBitmap.h"
#include "draw/QuorGraphics.h"
#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"
#include "skin/QuorWindow.h"

#include <windows.h>

#include <list>

// Where a state's image stands relative to its caption.
enum : DWORD {
  IMAGEPOS_NONE = 1,    // caption only; the image still loads (and must, to be valid)
  IMAGEPOS_CENTER = 2,  // image only, centred; no caption
  IMAGEPOS_LEFT = 4,
  IMAGEPOS_TOP = 8,
  IMAGEPOS_RIGHT = 16,
  IMAGEPOS_BOTTOM = 32,
};

// The states of a push button; the value indexes the state skins and the definitions.
enum EButtonState {
  eButtonNormal = 0,
  eButtonPressed = 1,  // pressed, or checked for the check and radio kinds
  eButtonHot = 2,      // mouse over
  eButtonDisabled = 3,
};

struct CQuorButtonStateSkinDef {
  DWORD m_nImagePos;       // IMAGEPOS_*
  int m_nOffsetX;          // added to the image and caption rectangles
  int m_nOffsetY;
  UINT m_nLeftID;          // "PNG" resource ids; 0 = none
  UINT m_nMiddleID;        // tiled horizontally
  UINT m_nRightID;
  COLORREF m_crText;
  HFONT m_hFont;           // null: DEFAULT_GUI_FONT, written back at the first drawing
  UINT m_nImageID;
  UINT m_nFirstFrameID;    // run of animation frames, both ends included; 0 = none
  UINT m_nLastFrameID;
  int m_nFrameInterval;    // milliseconds between frames; above 0 when frames are set
};

class TALIX_LIB_API CQuorButtonStateSkin
    : public CQuorBaseSkinImpl<CQuorButtonStateSkin, CQuorButtonStateSkinDef> {
 public:
  CQuorButtonStateSkin();
  ~CQuorButtonStateSkin() override;
  CQuorButtonStateSkin(const CQuorButtonStateSkin&) = delete;
  CQuorButtonStateSkin& operator=(const CQuorButtonStateSkin&) = delete;

  // Unload, then counted loads of every non-zero id and of the frame run, then Validate.
  void Load() override;
  void Unload() override;
  // Paints the state for `window` into a cx x cy back buffer and cuts the window.
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;
  // Valid unless a non-zero picture id did not load, or frames are configured and none
  // loaded or the interval is not positive.
  void Validate() override;

  RECT GetCaptionRect() const { return m_rcCaption; }
  RECT GetImageRect() const { return m_rcImage; }
  DWORD GetFrameCount() const { return static_cast<DWORD>(m_Frames.size()); }
  // Frame `index` at its own size at the top-left of the image rectangle; nothing when
  // `index` is not below the frame count.
  void DrawFrame(CQuorWindow* window, CQuorGraphics* graphics, DWORD index);

  const CQuorButtonStateSkinDef& GetDef() const { return m_SkinDef; }
  CQuorBitmap* GetLeft() const { return m_pLeft; }
  CQuorBitmap* GetMiddle() const { return m_pMiddle; }
  CQuorBitmap* GetRight() const { return m_pRight; }
  CQuorBitmap* GetImage() const { return m_pImage; }
  // The caption font, DEFAULT_GUI_FONT when the definition has none.
  HFONT GetFont() const;

 protected:
  void DrawBackground(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy);
  void DrawImage(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy);
  void DrawCaption(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy);
  void SetupRegion(HWND hwnd, RECT rect, CQuorGraphics* graphics);

  CQuorBitmap* m_pLeft;
  CQuorBitmap* m_pMiddle;
  CQuorBitmap* m_pRight;
  CQuorBitmap* m_pImage;
  DWORD m_dwReserved;
  HRGN m_hRgn;  // the last region given to the window; the window owns it
  RECT m_rcCaption;
  RECT m_rcImage;
  std::list<CQuorBitmap*> m_Frames;
};
