// CQuorStaticChromeSkin: a static control's look as a nine-part frame: four corners at
// their natural size, four edges and the centre stretched (HALFTONE, masks blended) to
// fill any size.
//
// Limits: a control smaller than its corners gets overlapping corners and no edges.
// Copies of a skin start without pictures and must Load before they draw.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"

#include <windows.h>

class CQuorBitmap;

// Positions of the pieces in the definition and in the skin.
enum CQuorStaticChromePiece {
  QSC_TOPLEFT = 0,
  QSC_TOP,
  QSC_TOPRIGHT,
  QSC_BOTTOMLEFT,
  QSC_BOTTOM,
  QSC_BOTTOMRIGHT,
  QSC_LEFT,
  QSC_CENTER,
  QSC_RIGHT,
  QSC_PIECES
};

struct CQuorStaticChromeSkinDef {
  UINT nPieceID[QSC_PIECES];  // "PNG" resources of the resource instance, in piece order
};

class TALIX_LIB_API CQuorStaticChromeSkin
    : public CQuorBaseSkinImpl<CQuorStaticChromeSkin, CQuorStaticChromeSkinDef> {
 public:
  CQuorStaticChromeSkin();
  CQuorStaticChromeSkin(const CQuorStaticChromeSkin& other);
  CQuorStaticChromeSkin& operator=(const CQuorStaticChromeSkin& other);
  ~CQuorStaticChromeSkin() override;

  void Load() override;
  void Unload() override;
  // Valid only when all nine pieces loaded.
  void Validate() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  CQuorBitmap* GetPiece(int piece) const;

  static void SetDefaultSkinDef(CQuorStaticChromeSkinDef def);
  static CQuorStaticChromeSkinDef m_DefaultSkinDef;  // all 0

 private:
  CQuorBitmap* m_pPiece[QSC_PIECES];  // counted holds through CQuorResourceManager
};
