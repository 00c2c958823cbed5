#include "controls/QuorStaticChromeSkin.h"

#include "draw/QuorBitmap.h"
#include "draw/QuorGraphics.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"

CQuorStaticChromeSkinDef CQuorStaticChromeSkin::m_DefaultSkinDef = {};

CQuorStaticChromeSkin::CQuorStaticChromeSkin() : m_pPiece{} { m_SkinDef = m_DefaultSkinDef; }

// A copy takes the definition only (see CQuorStaticBitmapSkin).
CQuorStaticChromeSkin::CQuorStaticChromeSkin(const CQuorStaticChromeSkin& other)
    : CQuorBaseSkinImpl(other), m_pPiece{} {
  m_nState = QUOR_SKIN_UNVALIDATED;
}

CQuorStaticChromeSkin& CQuorStaticChromeSkin::operator=(const CQuorStaticChromeSkin& other) {
  if (this == &other) return *this;
  Unload();
  m_SkinDef = other.m_SkinDef;
  return *this;
}

CQuorStaticChromeSkin::~CQuorStaticChromeSkin() { Unload(); }

void CQuorStaticChromeSkin::SetDefaultSkinDef(CQuorStaticChromeSkinDef def) {
  m_DefaultSkinDef = def;
}

CQuorBitmap* CQuorStaticChromeSkin::GetPiece(int piece) const {
  return piece >= 0 && piece < QSC_PIECES ? m_pPiece[piece] : nullptr;
}

void CQuorStaticChromeSkin::Load() {
  Unload();
  HINSTANCE theme = CQuorLib::GetResourceInstance();
  for (int i = 0; i < QSC_PIECES; ++i)
    CQuorResourceManager::LoadBitmapW(&m_pPiece[i], theme, m_SkinDef.nPieceID[i], u"PNG");
  Validate();
}

void CQuorStaticChromeSkin::Unload() {
  for (CQuorBitmap*& piece : m_pPiece) {
    if (piece) CQuorResourceManager::UnloadBitmap(&piece);
    piece = nullptr;
  }
  m_nState = QUOR_SKIN_UNVALIDATED;
}

void CQuorStaticChromeSkin::Validate() {
  m_nState = QUOR_SKIN_VALID;
  for (CQuorBitmap* piece : m_pPiece)
    if (!piece) m_nState = QUOR_SKIN_INVALID;
}

void CQuorStaticChromeSkin::Draw(CQuorWindow*, CQuorGraphics* graphics, int cx, int cy) {
  if (!graphics || !IsValid()) return;
  auto w = [this](int piece) { return m_pPiece[piece]->GetWidth(); };
  auto h = [this](int piece) { return m_pPiece[piece]->GetHeight(); };
  // Stretched pieces only where they have room; DrawImage is not asked for empty areas.
  auto stretch = [&](int piece, int x, int y, int width, int height) {
    if (width > 0 && height > 0) graphics->DrawImage(m_pPiece[piece], x, y, width, height);
  };
  graphics->DrawImage(m_pPiece[QSC_TOPLEFT], 0, 0);
  stretch(QSC_TOP, w(QSC_TOPLEFT), 0, cx - w(QSC_TOPRIGHT) - w(QSC_TOPLEFT), h(QSC_TOP));
  graphics->DrawImage(m_pPiece[QSC_TOPRIGHT], cx - w(QSC_TOPRIGHT), 0);
  stretch(QSC_LEFT, 0, h(QSC_TOPLEFT), w(QSC_LEFT), cy - h(QSC_BOTTOMLEFT) - h(QSC_TOPLEFT));
  stretch(QSC_CENTER, w(QSC_LEFT), h(QSC_TOP), cx - w(QSC_RIGHT) - w(QSC_LEFT),
          cy - h(QSC_BOTTOMLEFT) - h(QSC_TOP));
  stretch(QSC_RIGHT, cx - w(QSC_RIGHT), h(QSC_TOPRIGHT), w(QSC_RIGHT),
          cy - h(QSC_BOTTOMRIGHT) - h(QSC_TOPRIGHT));
  graphics->DrawImage(m_pPiece[QSC_BOTTOMLEFT], 0, cy - h(QSC_BOTTOMLEFT));
  stretch(QSC_BOTTOM, w(QSC_BOTTOMLEFT), cy - h(QSC_BOTTOMLEFT),
          cx - w(QSC_BOTTOMRIGHT) - w(QSC_BOTTOMLEFT), h(QSC_BOTTOM));
  graphics->DrawImage(m_pPiece[QSC_BOTTOMRIGHT], cx - w(QSC_BOTTOMRIGHT),
                      cy - h(QSC_BOTTOMRIGHT));
}
