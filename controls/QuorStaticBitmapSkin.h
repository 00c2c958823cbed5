// CQuorStaticBitmapSkin: a static control's look as one picture of the theme, either
// stretched over the whole control or at its natural size in the top-left corner (the
// rest of the control then shows what lies behind it).
//
// Limits: the picture is shared through CQuorResourceManager; copies of a skin start
// without a picture and must Load before they draw.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"

#include <windows.h>

class CQuorBitmap;

struct CQuorStaticBitmapSkinDef {
  UINT nBitmapID;  // "PNG" resource of the resource instance; 0 = none
  BOOL bStretch;   // TRUE: stretched to the control; FALSE: natural size at (0, 0)
};

class TALIX_LIB_API CQuorStaticBitmapSkin
    : public CQuorBaseSkinImpl<CQuorStaticBitmapSkin, CQuorStaticBitmapSkinDef> {
 public:
  CQuorStaticBitmapSkin();
  CQuorStaticBitmapSkin(const CQuorStaticBitmapSkin& other);
  CQuorStaticBitmapSkin& operator=(const CQuorStaticBitmapSkin& other);
  ~CQuorStaticBitmapSkin() override;

  void Load() override;
  void Unload() override;
  // Valid when the picture loaded.
  void Validate() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  CQuorBitmap* GetBitmap() const { return m_pBitmap; }

  static void SetDefaultSkinDef(CQuorStaticBitmapSkinDef def);
  static CQuorStaticBitmapSkinDef m_DefaultSkinDef;  // {0, TRUE}

 private:
  CQuorBitmap* m_pBitmap;  // counted hold through CQuorResourceManager
};
