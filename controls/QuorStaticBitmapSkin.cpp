#include "controls/QuorStaticBitmapSkin.h"

#include "draw/QuorBitmap.h"
#include "draw/QuorGraphics.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"

CQuorStaticBitmapSkinDef CQuorStaticBitmapSkin::m_DefaultSkinDef = {0, TRUE};

CQuorStaticBitmapSkin::CQuorStaticBitmapSkin() : m_pBitmap(nullptr) {
  m_SkinDef = m_DefaultSkinDef;
}

// A copy takes the definition only: sharing the picture pointer would let one copy's
// Unload free what the other still draws.
CQuorStaticBitmapSkin::CQuorStaticBitmapSkin(const CQuorStaticBitmapSkin& other)
    : CQuorBaseSkinImpl(other), m_pBitmap(nullptr) {
  m_nState = QUOR_SKIN_UNVALIDATED;
}

CQuorStaticBitmapSkin& CQuorStaticBitmapSkin::operator=(const CQuorStaticBitmapSkin& other) {
  if (this == &other) return *this;
  Unload();
  m_SkinDef = other.m_SkinDef;
  return *this;
}

CQuorStaticBitmapSkin::~CQuorStaticBitmapSkin() { Unload(); }

void CQuorStaticBitmapSkin::SetDefaultSkinDef(CQuorStaticBitmapSkinDef def) {
  m_DefaultSkinDef = def;
}

void CQuorStaticBitmapSkin::Load() {
  Unload();
  CQuorResourceManager::LoadBitmapW(&m_pBitmap, CQuorLib::GetResourceInstance(),
                                    m_SkinDef.nBitmapID, u"PNG");
  Validate();
}

void CQuorStaticBitmapSkin::Unload() {
  if (m_pBitmap) CQuorResourceManager::UnloadBitmap(&m_pBitmap);
  m_pBitmap = nullptr;
  m_nState = QUOR_SKIN_UNVALIDATED;
}

void CQuorStaticBitmapSkin::Validate() {
  m_nState = m_pBitmap ? QUOR_SKIN_VALID : QUOR_SKIN_INVALID;
}

void CQuorStaticBitmapSkin::Draw(CQuorWindow*, CQuorGraphics* graphics, int cx, int cy) {
  if (!graphics || !m_pBitmap) return;
  if (!m_SkinDef.bStretch) {
    graphics->DrawImage(m_pBitmap, 0, 0);
    return;
  }
  if (cx <= 0 || cy <= 0) return;
  graphics->DrawImage(m_pBitmap, RECT{0, 0, cx, cy}, 0, 0, m_pBitmap->GetWidth(),
                      m_pBitmap->GetHeight());
}
