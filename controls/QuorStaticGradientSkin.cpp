#include "controls/QuorStaticGradientSkin.h"

#include "draw/QuorGraphics.h"

#include <algorithm>

CQuorStaticGradientSkinDef CQuorStaticGradientSkin::m_DefaultSkinDef = {0xFFF0E6, 0x231400};

CQuorStaticGradientSkin::CQuorStaticGradientSkin() { m_SkinDef = m_DefaultSkinDef; }
CQuorStaticGradientSkin::~CQuorStaticGradientSkin() { Unload(); }

void CQuorStaticGradientSkin::SetDefaultSkinDef(CQuorStaticGradientSkinDef def) {
  m_DefaultSkinDef = def;
}

void CQuorStaticGradientSkin::Load() { Validate(); }
void CQuorStaticGradientSkin::Unload() {}
void CQuorStaticGradientSkin::Validate() { m_nState = QUOR_SKIN_VALID; }

namespace {

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  LOGBRUSH lb{BS_SOLID, color, 0};
  HBRUSH brush = CreateBrushIndirect(&lb);
  if (!brush) return;
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

}  // namespace

void CQuorStaticGradientSkin::Draw(CQuorWindow*, CQuorGraphics* graphics, int cx, int cy) {
  if (!graphics || cx < 1 || cy < 1) return;
  const COLORREF c1 = m_SkinDef.crColor1 & 0xFFFFFF;
  const COLORREF c2 = m_SkinDef.crColor2 & 0xFFFFFF;
  if (c1 == c2) {
    FillSolid(*graphics, RECT{0, 0, cx, cy}, c1);
    return;
  }
  const double step[3] = {double(int(GetRValue(c2)) - GetRValue(c1)) / cx,
                          double(int(GetGValue(c2)) - GetGValue(c1)) / cx,
                          double(int(GetBValue(c2)) - GetBValue(c1)) / cx};
  // Always from colour 1 toward colour 2, whichever is numerically larger: the running
  // values then stay between the two channel values; the clamp only guards rounding.
  double value[3] = {double(GetRValue(c1)), double(GetGValue(c1)), double(GetBValue(c1))};
  for (int x = 0; x < cx; ++x) {
    const COLORREF color = RGB(std::clamp(int(value[0]), 0, 255),
                               std::clamp(int(value[1]), 0, 255),
                               std::clamp(int(value[2]), 0, 255));
    FillSolid(*graphics, RECT{x, 0, x + 1, cy}, color);
    for (int c = 0; c < 3; ++c) value[c] += step[c];
  }
}
