// CQuorTabSkin: the look of a skinned tab control (controls/QuorTabCtrl.h), drawn from 18
// pictures: a frame around the content panel, and for every tab a left piece, a stretched
// middle and a right piece chosen by the tab's state and its neighbours in the row.
//
//   CQuorTabSkin skin;
//   skin.SetSkinDef(def);  skin.Load();        // the owner keeps the skin alive
//   tabs.SetSkin(&skin);
//
// Picture roles (index into CQuorTabSkinDef::m_nBitmapIDs; * = required for IsValid):
//   0* not drawn            1* panel left edge        2* panel bottom-left corner
//   3* panel top-right corner, also the end of the selected tab when it is last in its row
//      and there are several rows
//   4* panel right edge     5* panel bottom-right     6* panel bottom edge
//   7  not drawn            8  panel top edge         9* selected tab, left end
//   10* selected middle     11* selected right end    12* tab left end
//   13* tab middle          14* tab right end         15* junction tab -> selected tab
//   16* junction selected tab -> tab                  17* junction tab -> tab
// Edges and middles are stretched; corners and ends keep their own size. Halves of the
// junction widths are shared by the two tabs they join.
//
// The tab rectangles, the selection and the texts come from the native control through
// TCM_* messages; rows are told apart by their bottoms. Several rows: every tab starts 3
// pixels higher and the tabs of rows without the selection are drawn 6 pixels taller.
//
// Right-to-left (CQuorLib layout 1): the native control's rectangles are mirrored, and so
// is the buffer this skin draws into; every piece and caption is therefore placed at the
// mirrored position, so that the tabs show where the control hit-tests them (the pictures
// themselves were flipped when they loaded).
//
// Limits: the default definition is all zeros and is not applied by the constructor, so a
// skin draws nothing until SetSkinDef gave it one. Without a selection (TCM_GETCURSEL -1)
// no row counts as the selected row. The panel top edge (8) is optional: without it
// nothing is drawn there. Texts are cut to 255 characters.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"

#include <windows.h>

#include <list>
#include <string>

class CQuorBitmap;

constexpr int QUOR_TAB_BITMAPS = 18;

struct CQuorTabSkinDef {
  UINT m_nBitmapIDs[QUOR_TAB_BITMAPS];
  COLORREF m_crText;          // captions of the unselected tabs
  HFONT m_hFont;              // captions of the unselected tabs
  COLORREF m_crSelectedText;  // caption of the selected tab
  HFONT m_hSelectedFont;      // caption of the selected tab
  DWORD m_dwReserved[2];      // carried, never read
};

// One tab as seen during one Draw.
class TALIX_LIB_API CTabItem {
 public:
  virtual ~CTabItem() = default;
  bool m_bSelected = false;
  bool m_bFirstInRow = false;
  bool m_bLastInRow = false;
  bool m_bInSelectedRow = false;  // same row (bottom) as the selected tab
  int m_nIndex = 0;
  RECT m_rcItem{};                // TCM_GETITEMRECT
  std::u16string m_strText;
};

class TALIX_LIB_API CQuorTabSkin : public CQuorBaseSkinImpl<CQuorTabSkin, CQuorTabSkinDef> {
 public:
  CQuorTabSkin();
  // A copy shares no pictures: it starts unloaded and loads its own.
  CQuorTabSkin(const CQuorTabSkin& other);
  CQuorTabSkin& operator=(const CQuorTabSkin& other);
  ~CQuorTabSkin() override;

  // Unload(), then every picture of the definition from CQuorLib's resource module; the
  // next IsValid judges the new pictures.
  void Load() override;
  void Unload() override;
  // Valid when every required picture is loaded.
  void Validate() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  // The colour the panel's inside has: 0 once the selected middle (10) is loaded or the
  // skin has drawn, RGB(230, 230, 240) before.
  COLORREF GetBackgroundColor();
  CQuorBitmap* GetBitmap(int index) const;

  static CQuorTabSkinDef m_DefaultSkinDef;

 protected:
  CQuorBitmap* m_pBitmaps[QUOR_TAB_BITMAPS] = {};
  COLORREF m_crBackground;

 private:
  struct Frame;  // the figures the drawing steps share
  int W(int index) const;
  int H(int index) const;
  void Piece(CQuorGraphics* g, const Frame& frame, int index, int left, int top, int right,
             int bottom);
  void PieceAt(CQuorGraphics* g, const Frame& frame, int index, int x, int y);
  std::list<CTabItem> ReadTabs(HWND tabs, Frame* frame) const;
  void DrawPanel(CQuorGraphics* g, HWND tabs, const Frame& frame);
  void DrawUnselectedTab(CQuorGraphics* g, const CTabItem& tab, const Frame& frame);
  void DrawSelectedTab(CQuorGraphics* g, const CTabItem& tab, const Frame& frame);
  void DrawCaptions(HDC dc, HWND tabs, const Frame& frame);
};
