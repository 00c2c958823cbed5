#include "skin/QuorCommonButtonSkin.h"

#include "draw/QuorBitmap.h"
#include "draw/QuorGraphics.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "resources/theme/theme_ids.h"
#include "skin/QuorCommonButton.h"

namespace {

const WCHAR kPngType[] = u"PNG";

// Backgrounds first..first+6; no icon; pushed states move the icon one pixel right and
// down.
constexpr CQuorCommonButtonSkinDef DefaultDef(UINT first) {
  CQuorCommonButtonSkinDef def{};
  for (int i = 0; i < kCommonButtonStateCount; ++i) {
    const bool pushed = i == COMMON_BUTTON_PUSHED || i == COMMON_BUTTON_FOCUSED_PUSHED;
    def.States[i] = {first + UINT(i), 0, pushed ? 1 : 0, pushed ? 1 : 0};
  }
  return def;
}

void LoadPicture(CQuorBitmap** picture, UINT id) {
  if (id) CQuorResourceManager::LoadBitmapW(picture, CQuorLib::GetResourceInstance(), id, kPngType);
}

void ReleasePicture(CQuorBitmap** picture) {
  if (*picture) CQuorResourceManager::UnloadBitmap(picture);
}

}  // namespace

CQuorCommonButtonSkinDef CQuorCommonButtonSkin::m_DefaultSmallSkinDef =
    DefaultDef(IDB_COMMON_BUTTON_SMALL_DISABLED);
CQuorCommonButtonSkinDef CQuorCommonButtonSkin::m_DefaultMediumSkinDef =
    DefaultDef(IDB_COMMON_BUTTON_MEDIUM_DISABLED);
CQuorCommonButtonSkinDef CQuorCommonButtonSkin::m_DefaultLargeSkinDef =
    DefaultDef(IDB_COMMON_BUTTON_LARGE_DISABLED);

// ---- one state ----

// Pictures are counted per holder: a copy takes the definition only and loads its own.
CQuorCommonButtonStateSkin::CQuorCommonButtonStateSkin(const CQuorCommonButtonStateSkin& other)
    : CQuorBaseSkinImpl(other) {
  m_nState = QUOR_SKIN_UNVALIDATED;
}

CQuorCommonButtonStateSkin& CQuorCommonButtonStateSkin::operator=(
    const CQuorCommonButtonStateSkin& other) {
  if (this == &other) return *this;
  Unload();
  UnloadIcon();
  CQuorBaseSkinImpl::operator=(other);
  m_nState = QUOR_SKIN_UNVALIDATED;
  return *this;
}

CQuorCommonButtonStateSkin::~CQuorCommonButtonStateSkin() {
  ReleasePicture(&m_pBackground);
  ReleasePicture(&m_pIcon);
}

void CQuorCommonButtonStateSkin::Load() {
  Unload();
  LoadPicture(&m_pBackground, m_SkinDef.nBackgroundID);
  Validate();
}

void CQuorCommonButtonStateSkin::Unload() { ReleasePicture(&m_pBackground); }

void CQuorCommonButtonStateSkin::SetIconDef(UINT iconId) { m_SkinDef.nIconID = iconId; }

void CQuorCommonButtonStateSkin::LoadIconW() {
  UnloadIcon();
  LoadPicture(&m_pIcon, m_SkinDef.nIconID);
  Validate();
}

void CQuorCommonButtonStateSkin::UnloadIcon() { ReleasePicture(&m_pIcon); }

void CQuorCommonButtonStateSkin::Validate() {
  const bool backgroundMissing = m_SkinDef.nBackgroundID && !m_pBackground;
  const bool iconMissing = m_SkinDef.nIconID && !m_pIcon;
  m_nState = backgroundMissing || iconMissing ? QUOR_SKIN_INVALID : QUOR_SKIN_VALID;
}

void CQuorCommonButtonStateSkin::Draw(CQuorWindow*, CQuorGraphics* graphics, int cx, int cy) {
  DrawBackground(graphics);
  DrawIcon(graphics, cx, cy);
}

void CQuorCommonButtonStateSkin::DrawBackground(CQuorGraphics* graphics) {
  if (m_pBackground) graphics->DrawImage(m_pBackground, 0, 0);
}

void CQuorCommonButtonStateSkin::DrawIcon(CQuorGraphics* graphics, int cx, int cy) {
  if (!m_pIcon) return;
  const int x = cx / 2 + m_SkinDef.nIconOffsetX - m_pIcon->GetWidth() / 2;
  const int y = cy / 2 + m_SkinDef.nIconOffsetY - m_pIcon->GetHeight() / 2;
  graphics->DrawImage(m_pIcon, x, y);
}

// ---- the seven states ----

CQuorCommonButtonSkin::CQuorCommonButtonSkin() { SetSkinDef(m_DefaultMediumSkinDef); }

void CQuorCommonButtonSkin::SetSkinDef(CQuorCommonButtonSkinDef def) {
  m_SkinDef = def;
  for (int i = 0; i < kCommonButtonStateCount; ++i) m_States[i].SetSkinDef(def.States[i]);
}

void CQuorCommonButtonSkin::Load() {
  for (auto& state : m_States) state.Load();
  m_nState = QUOR_SKIN_UNVALIDATED;
}

void CQuorCommonButtonSkin::Unload() {
  for (auto& state : m_States) state.Unload();
  m_nState = QUOR_SKIN_UNVALIDATED;
}

void CQuorCommonButtonSkin::Validate() {
  for (auto& state : m_States) state.Validate();
  m_nState = QUOR_SKIN_UNVALIDATED;
}

bool CQuorCommonButtonSkin::IsValid() {
  for (auto& state : m_States)
    if (!state.IsValid()) return false;
  return true;
}

void CQuorCommonButtonSkin::Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) {
  if (!window) return;
  const int index = static_cast<CQuorCommonButtonCtrl*>(window)->GetGraphicalState();
  if (index < 0 || index >= kCommonButtonStateCount) return;
  m_States[index].Draw(window, graphics, cx, cy);
}

void CQuorCommonButtonSkin::SetButtonIcon(UINT icon, UINT disabledIcon) {
  m_States[COMMON_BUTTON_DISABLED].SetIconDef(disabledIcon);
  for (int i = COMMON_BUTTON_NORMAL; i < kCommonButtonStateCount; ++i) m_States[i].SetIconDef(icon);
  for (auto& state : m_States) state.LoadIconW();
}
