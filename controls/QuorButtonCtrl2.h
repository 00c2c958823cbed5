// CQuorButtonCtrl2: the skinned push button without a focus rectangle, sized from its
// caption (see QuorButtonCtrlBase.h for use and messages).
#pragma once

#include "controls/QuorButtonCtrlBase.h"

// SizeToContent flags.
enum : UINT {
  QUOR_SIZE_HEIGHT = 1,      // height of the normal state's pictures
  QUOR_SIZE_WIDTH = 2,       // width of the caption plus the left piece
  QUOR_SIZE_KEEP_RIGHT = 4,  // with QUOR_SIZE_WIDTH: the right edge stays
};

class TALIX_LIB_API CQuorButtonCtrl2 : public CQuorButtonCtrlBase {
 public:
  CQuorButtonCtrl2() = default;

  // Height of the first loaded picture of the normal state (left, middle, right, image);
  // 0 without a window or pictures.
  int GetMinHeight();
  // Width of the caption (up to 256 characters) in the normal state's font plus the
  // width and the height of the normal left piece; 0 without a window.
  int GetMinWidth();
  // `flags` of QUOR_SIZE_*; `maxWidth` caps the width unless -1.
  virtual void SizeToContent(UINT flags, int maxWidth);
};
