// Push-button skin definitions over the test pictures of data/ (left, middle per state,
// right): the push-button tests and the message-box tests draw their buttons with them.
#pragma once

#include "controls/QuorButtonSkin.h"
#include "tests/controls/button/data/button_ids.h"

// A state with the three pieces (middle `middleId`) and a white caption.
inline CQuorButtonStateSkinDef PiecesState(UINT middleId) {
  CQuorButtonStateSkinDef def{};
  def.m_nImagePos = IMAGEPOS_NONE;
  def.m_nLeftID = IDP_LEFT;
  def.m_nMiddleID = middleId;
  def.m_nRightID = IDP_RIGHT;
  def.m_crText = RGB(255, 255, 255);
  return def;
}

// Every state with pieces; the middles tell the states apart.
inline CQuorButtonSkinDef PiecesSkin() {
  return CQuorButtonSkinDef{PiecesState(IDP_MIDDLE), PiecesState(IDP_MIDDLE_PRESSED),
                            PiecesState(IDP_MIDDLE_HOT), PiecesState(IDP_MIDDLE_DISABLED)};
}
