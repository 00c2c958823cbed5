// Skins: the look of one kind of control, kept apart from the windows that show it.
//
// A skin pairs a plain definition record (resource ids, colours, fonts, offsets, flags;
// copied by value) with the resources loaded from it and a validity state. Windows
// borrow a skin (CQuorWindowImpl::SetSkin) and call Draw when they rebuild their back
// buffer; a skin keeps no per-window state, so one skin object serves any number of
// windows of its kind.
//
// Writing a concrete skin:
//
//   struct CQuorFooSkinDef { UINT nBackgroundID; COLORREF crText; };
//   class CQuorFooSkin : public CQuorBaseSkinImpl<CQuorFooSkin, CQuorFooSkinDef> {
//    public:
//     CQuorFooSkin() { m_SkinDef = m_DefaultSkinDef; }
//     void Load() override;      // Unload(); counted loads of each non-zero id; Validate()
//     void Unload() override;    // CQuorResourceManager::UnloadBitmap on each member
//     void Validate() override;  // 1, or 2 when a non-zero id did not load
//     void Draw(CQuorWindow*, CQuorGraphics*, int cx, int cy) override;
//     static CQuorFooSkinDef m_DefaultSkinDef;
//    private:
//     CQuorBitmap* m_pBackground = nullptr;
//   };
//
// Limits: the template copies the definition and the state only. A concrete skin that
// holds counted resources must not copy its resource pointers as they are: its copy
// either takes references of its own through the cache or starts with none (and loads
// before it draws); otherwise one copy's Unload frees what the other still draws.
#pragma once

#include "frame/talix_export.h"

class CQuorWindow;
class CQuorGraphics;

// The operations every skin offers; owners delete skins through CQuorBaseSkinImpl's
// virtual destructor.
class TALIX_LIB_API CQuorBaseSkin {
 public:
  virtual void Load() = 0;
  virtual void Unload() = 0;
  virtual bool IsValid() = 0;
  // Paints the look for `window` into `graphics`, a surface of cx x cy pixels whose
  // origin is the window's top-left corner.
  virtual void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) = 0;
  virtual void Validate() = 0;

 protected:
  CQuorBaseSkin() = default;
  CQuorBaseSkin(const CQuorBaseSkin&) = default;
  CQuorBaseSkin& operator=(const CQuorBaseSkin&) = default;
  ~CQuorBaseSkin() = default;
};

// Validity states of a skin.
enum : int {
  QUOR_SKIN_UNVALIDATED = 0,
  QUOR_SKIN_VALID = 1,
  QUOR_SKIN_INVALID = 2,
};

// Default behaviour of a skin over its definition record `SkinDef`.
template <class Skin, class SkinDef>
class CQuorBaseSkinImpl : public CQuorBaseSkin {
 public:
  CQuorBaseSkinImpl() : m_nState(QUOR_SKIN_UNVALIDATED), m_SkinDef() {}
  CQuorBaseSkinImpl(const CQuorBaseSkinImpl& other)
      : CQuorBaseSkin(other), m_nState(other.m_nState), m_SkinDef(other.m_SkinDef) {}
  CQuorBaseSkinImpl& operator=(const CQuorBaseSkinImpl& other) {
    m_nState = other.m_nState;
    m_SkinDef = other.m_SkinDef;
    return *this;
  }

  void Load() override {}
  void Unload() override {}
  void Draw(CQuorWindow*, CQuorGraphics*, int, int) override {}
  // A skin that does not say how to validate itself is invalid.
  void Validate() override { m_nState = QUOR_SKIN_INVALID; }
  bool IsValid() override {
    if (m_nState == QUOR_SKIN_UNVALIDATED) Validate();
    return m_nState == QUOR_SKIN_VALID;
  }

  virtual ~CQuorBaseSkinImpl() {}
  // Replaces the definition; loaded resources stay until the next Load.
  virtual void SetSkinDef(SkinDef def) { m_SkinDef = def; }

  operator SkinDef() const { return m_SkinDef; }

 protected:
  int m_nState;
  SkinDef m_SkinDef;
};
