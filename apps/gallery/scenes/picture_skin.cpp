#include "apps/gallery/scenes/picture_skin.h"

#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "frame/ResourceLoaders.h"

namespace talix::gallery {

void PictureSkin::Load() {
  Unload();
  HINSTANCE theme = CQuorLib::GetResourceInstance();
  if (m_SkinDef.pictureId)
    CQuorResourceManager::LoadBitmapW(&m_picture, theme, m_SkinDef.pictureId, nullptr);
  if (m_SkinDef.colorId) m_fill = KvnLoadColor(theme, m_SkinDef.colorId);
  Validate();
}

void PictureSkin::Unload() {
  if (m_picture) CQuorResourceManager::UnloadBitmap(&m_picture);
  m_fill = 0;
  m_nState = QUOR_SKIN_UNVALIDATED;
}

void PictureSkin::Validate() {
  const bool pictureOk = !m_SkinDef.pictureId || m_picture;
  m_nState = pictureOk ? QUOR_SKIN_VALID : QUOR_SKIN_INVALID;
}

void PictureSkin::Draw(CQuorWindow*, CQuorGraphics* graphics, int cx, int cy) {
  if (m_SkinDef.colorId) {
    HBRUSH brush = CreateSolidBrush(m_fill);
    RECT all{0, 0, cx, cy};
    FillRect(*graphics, &all, brush);
    DeleteObject(brush);
  }
  if (!m_picture) return;
  const int mx = int(m_SkinDef.margin * CQuorLib::GetScaleX());
  const int my = int(m_SkinDef.margin * CQuorLib::GetScaleY());
  if (!m_SkinDef.stretch) {
    graphics->DrawImage(m_picture, mx, my);
    return;
  }
  if (cx - 2 * mx <= 0 || cy - 2 * my <= 0) return;
  graphics->DrawImage(m_picture, RECT{mx, my, cx - mx, cy - my});
}

}  // namespace talix::gallery
