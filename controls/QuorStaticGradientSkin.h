// CQuorStaticGradientSkin: a static control's look as a horizontal colour gradient, one
// solid column per pixel, from colour 1 at the left edge toward colour 2 (the last column
// stops one step short of it). Holds no resources and is always valid.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"

#include <windows.h>

struct CQuorStaticGradientSkinDef {
  COLORREF crColor1;  // left edge
  COLORREF crColor2;  // approached at the right edge
};

class TALIX_LIB_API CQuorStaticGradientSkin
    : public CQuorBaseSkinImpl<CQuorStaticGradientSkin, CQuorStaticGradientSkinDef> {
 public:
  CQuorStaticGradientSkin();
  ~CQuorStaticGradientSkin() override;

  void Load() override;
  void Unload() override;
  void Validate() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  static void SetDefaultSkinDef(CQuorStaticGradientSkinDef def);
  static CQuorStaticGradientSkinDef m_DefaultSkinDef;  // {0xFFF0E6, 0x231400}
};
