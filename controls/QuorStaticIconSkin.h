// CQuorStaticIconSkin: a static control's look as an icon at the system icon size in the
// top-left corner, over what lies behind the control. Always valid: without an icon it
// draws nothing.
//
// Limits: copies of a skin start without an icon and must Load before they draw.
#pragma once

#include "frame/talix_export.h"
#include "skin/QuorBaseSkin.h"

#include <windows.h>

struct CQuorStaticIconSkinDef {
  HINSTANCE hModule;  // module holding the icon; NULL: the system icons (IDI_*)
  LPCWSTR lpszIcon;   // name or MAKEINTRESOURCEW id, as LoadIconW takes it
};

class TALIX_LIB_API CQuorStaticIconSkin
    : public CQuorBaseSkinImpl<CQuorStaticIconSkin, CQuorStaticIconSkinDef> {
 public:
  CQuorStaticIconSkin();
  CQuorStaticIconSkin(const CQuorStaticIconSkin& other);
  CQuorStaticIconSkin& operator=(const CQuorStaticIconSkin& other);
  ~CQuorStaticIconSkin() override;

  void Load() override;
  void Unload() override;
  void Validate() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

  HICON GetIcon() const { return m_hIcon; }

  static void SetDefaultSkinDef(CQuorStaticIconSkinDef def);
  static CQuorStaticIconSkinDef m_DefaultSkinDef;  // {NULL, NULL}

 private:
  HICON m_hIcon;  // own copy, destroyed by Unload
};
