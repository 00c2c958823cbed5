// The look of the common (icon-only) button: seven graphical states, each a background
// picture of the theme plus an optional icon centred on it, in three sizes.
//
// CQuorCommonButtonStateSkin draws one state; CQuorCommonButtonSkin holds the seven and
// draws the one the button reports (CQuorCommonButtonCtrl::GetGraphicalState).
// Backgrounds load from the current resource instance (the control switches it to the
// theme module while it loads); icons load from the current resource instance of the
// SetButtonIcon call.
//
// Limits: a skin is invalid while any state misses its background or its icon; the
// button then paints the placeholder. Copies of the state skin start with no pictures.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"

#include <windows.h>

class CQuorBitmap;

// The graphical states, in the order of the skin's state array.
enum ECommonButtonState {
  COMMON_BUTTON_DISABLED = 0,
  COMMON_BUTTON_NORMAL = 1,
  COMMON_BUTTON_HOT = 2,
  COMMON_BUTTON_PUSHED = 3,
  COMMON_BUTTON_FOCUSED = 4,
  COMMON_BUTTON_FOCUSED_HOT = 5,
  COMMON_BUTTON_FOCUSED_PUSHED = 6,
};
constexpr int kCommonButtonStateCount = 7;

enum ECommonButtonSize {
  COMMON_BUTTON_SMALL = 0,
  COMMON_BUTTON_MEDIUM = 1,
  COMMON_BUTTON_LARGE = 2,
};

struct CQuorCommonButtonStateSkinDef {
  UINT nBackgroundID;  // theme picture; 0 = none
  UINT nIconID;        // icon picture; 0 = none
  int nIconOffsetX;    // added to the centred icon position
  int nIconOffsetY;
};

struct CQuorCommonButtonSkinDef {
  CQuorCommonButtonStateSkinDef States[kCommonButtonStateCount];
};

class TALIX_LIB_API CQuorCommonButtonStateSkin
    : public CQuorBaseSkinImpl<CQuorCommonButtonStateSkin, CQuorCommonButtonStateSkinDef> {
 public:
  CQuorCommonButtonStateSkin() = default;
  CQuorCommonButtonStateSkin(const CQuorCommonButtonStateSkin& other);
  CQuorCommonButtonStateSkin& operator=(const CQuorCommonButtonStateSkin& other);
  ~CQuorCommonButtonStateSkin() override;

  // Loads the background (the icon has its own pair below) and validates.
  void Load() override;
  void Unload() override;
  void Validate() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  virtual void SetIconDef(UINT iconId);
  virtual void LoadIconW();
  virtual void UnloadIcon();

  CQuorBitmap* GetBackground() const { return m_pBackground; }
  CQuorBitmap* GetIcon() const { return m_pIcon; }

 protected:
  void DrawBackground(CQuorGraphics* graphics);
  // Centred in cx x cy, moved by the definition's offsets.
  void DrawIcon(CQuorGraphics* graphics, int cx, int cy);

  CQuorBitmap* m_pBackground = nullptr;  // shared through the resource manager
  CQuorBitmap* m_pIcon = nullptr;
};

class TALIX_LIB_API CQuorCommonButtonSkin
    : public CQuorBaseSkinImpl<CQuorCommonButtonSkin, CQuorCommonButtonSkinDef> {
 public:
  CQuorCommonButtonSkin();

  void SetSkinDef(CQuorCommonButtonSkinDef def) override;
  void Load() override;
  void Unload() override;
  void Validate() override;
  bool IsValid() override;
  // Draws the state `window` (a CQuorCommonButtonCtrl) reports.
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  // `disabledIcon` for the disabled state, `icon` for the others; both loaded at once.
  virtual void SetButtonIcon(UINT icon, UINT disabledIcon);

  CQuorCommonButtonStateSkin& State(int index) { return m_States[index]; }

  static CQuorCommonButtonSkinDef m_DefaultSmallSkinDef;
  static CQuorCommonButtonSkinDef m_DefaultMediumSkinDef;
  static CQuorCommonButtonSkinDef m_DefaultLargeSkinDef;

 protected:
  CQuorCommonButtonStateSkin m_States[kCommonButtonStateCount];
};
