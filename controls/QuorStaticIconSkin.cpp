#include "controls/QuorStaticIconSkin.h"

#include "draw/QuorGraphics.h"

CQuorStaticIconSkinDef CQuorStaticIconSkin::m_DefaultSkinDef = {nullptr, nullptr};

CQuorStaticIconSkin::CQuorStaticIconSkin() : m_hIcon(nullptr) { m_SkinDef = m_DefaultSkinDef; }

// A copy takes the definition only; it makes its own icon copy when it loads.
CQuorStaticIconSkin::CQuorStaticIconSkin(const CQuorStaticIconSkin& other)
    : CQuorBaseSkinImpl(other), m_hIcon(nullptr) {
  m_nState = QUOR_SKIN_UNVALIDATED;
}

CQuorStaticIconSkin& CQuorStaticIconSkin::operator=(const CQuorStaticIconSkin& other) {
  if (this == &other) return *this;
  Unload();
  m_SkinDef = other.m_SkinDef;
  return *this;
}

CQuorStaticIconSkin::~CQuorStaticIconSkin() { Unload(); }

void CQuorStaticIconSkin::SetDefaultSkinDef(CQuorStaticIconSkinDef def) {
  m_DefaultSkinDef = def;
}

void CQuorStaticIconSkin::Load() {
  Unload();
  // LoadIconW answers a shared icon that must not be destroyed; the skin keeps a copy of
  // its own, which it may.
  if (m_SkinDef.lpszIcon) {
    if (HICON shared = LoadIconW(m_SkinDef.hModule, m_SkinDef.lpszIcon))
      m_hIcon = CopyIcon(shared);
  }
  Validate();
}

void CQuorStaticIconSkin::Unload() {
  if (m_hIcon) DestroyIcon(m_hIcon);
  m_hIcon = nullptr;
  m_nState = QUOR_SKIN_UNVALIDATED;
}

void CQuorStaticIconSkin::Validate() { m_nState = QUOR_SKIN_VALID; }

void CQuorStaticIconSkin::Draw(CQuorWindow*, CQuorGraphics* graphics, int, int) {
  if (!graphics || !m_hIcon) return;
  DrawIcon(*graphics, 0, 0, m_hIcon);
}
