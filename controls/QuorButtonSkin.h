// CQuorButtonSkin: the look of a skinned push button, one CQuorButtonStateSkin for each
// EButtonState. Draw asks the window (a CQuorButtonCtrl or CQuorButtonCtrl2) which state
// it shows and delegates to that state.
//
// Every new skin starts from the shared default definition (caption only, pressed
// caption shifted by 2,2, disabled caption in COLOR_GRAYTEXT), which SetDefaultSkinDef
// replaces for the skins made afterwards.
//
// Limits: IsValid looks at the normal and pressed states only; a hot or disabled state
// whose pictures did not load draws what did load. Skins are not copyable.
#pragma once

#include "controls/QuorButtonStateSkin.h"

struct CQuorButtonSkinDef {
  CQuorButtonStateSkinDef m_Normal;
  CQuorButtonStateSkinDef m_Pressed;
  CQuorButtonStateSkinDef m_Hot;
  CQuorButtonStateSkinDef m_Disabled;
};

class TALIX_LIB_API CQuorButtonSkin
    : public CQuorBaseSkinImpl<CQuorButtonSkin, CQuorButtonSkinDef> {
 public:
  CQuorButtonSkin();
  ~CQuorButtonSkin() override;
  CQuorButtonSkin(const CQuorButtonSkin&) = delete;
  CQuorButtonSkin& operator=(const CQuorButtonSkin&) = delete;

  void Load() override;
  void Unload() override;
  // True when the normal and the pressed states are valid.
  bool IsValid() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;
  void Validate() override;
  // Stores `def` and hands each state its record; pictures change at the next Load.
  void SetSkinDef(CQuorButtonSkinDef def) override;

  CQuorButtonStateSkin& GetStateSkin(EButtonState state) { return m_States[state & 3]; }

  static void SetDefaultSkinDef(CQuorButtonSkinDef def);
  static CQuorButtonSkinDef GetDefaultSkinDef();
  // The built-in default (system text colours, DEFAULT_GUI_FONT); used at library start.
  static CQuorButtonSkinDef MakeBuiltInDefault();

  static CQuorButtonSkinDef m_DefaultSkinDef;

 private:
  CQuorButtonStateSkin m_States[4];
};
