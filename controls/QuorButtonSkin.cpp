// The push-button skin: four state skins and the shared default definition.
#include "controls/QuorButtonSkin.h"

#include "controls/QuorButtonCtrlBase.h"

namespace {

CQuorButtonStateSkinDef CaptionOnly(int offset, int textColor) {
  CQuorButtonStateSkinDef def{};
  def.m_nImagePos = IMAGEPOS_NONE;
  def.m_nOffsetX = offset;
  def.m_nOffsetY = offset;
  def.m_crText = GetSysColor(textColor);
  def.m_hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return def;
}

}  // namespace

CQuorButtonSkinDef CQuorButtonSkin::MakeBuiltInDefault() {
  return CQuorButtonSkinDef{CaptionOnly(0, COLOR_BTNTEXT), CaptionOnly(2, COLOR_BTNTEXT),
                            CaptionOnly(0, COLOR_BTNTEXT), CaptionOnly(0, COLOR_GRAYTEXT)};
}

CQuorButtonSkinDef CQuorButtonSkin::m_DefaultSkinDef = CQuorButtonSkin::MakeBuiltInDefault();

void CQuorButtonSkin::SetDefaultSkinDef(CQuorButtonSkinDef def) { m_DefaultSkinDef = def; }
CQuorButtonSkinDef CQuorButtonSkin::GetDefaultSkinDef() { return m_DefaultSkinDef; }

CQuorButtonSkin::CQuorButtonSkin() { SetSkinDef(m_DefaultSkinDef); }

CQuorButtonSkin::~CQuorButtonSkin() { Unload(); }

void CQuorButtonSkin::SetSkinDef(CQuorButtonSkinDef def) {
  m_SkinDef = def;
  m_States[eButtonNormal].SetSkinDef(def.m_Normal);
  m_States[eButtonPressed].SetSkinDef(def.m_Pressed);
  m_States[eButtonHot].SetSkinDef(def.m_Hot);
  m_States[eButtonDisabled].SetSkinDef(def.m_Disabled);
}

void CQuorButtonSkin::Load() {
  for (CQuorButtonStateSkin& state : m_States) state.Load();
}

void CQuorButtonSkin::Unload() {
  for (CQuorButtonStateSkin& state : m_States) state.Unload();
}

void CQuorButtonSkin::Validate() {
  for (CQuorButtonStateSkin& state : m_States) state.Validate();
}

bool CQuorButtonSkin::IsValid() {
  return m_States[eButtonNormal].IsValid() && m_States[eButtonPressed].IsValid();
}

void CQuorButtonSkin::Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) {
  auto* button = dynamic_cast<CQuorButtonCtrlBase*>(window);
  const EButtonState state = button ? button->GetState() : eButtonNormal;
  GetStateSkin(state).Draw(window, graphics, cx, cy);
}
