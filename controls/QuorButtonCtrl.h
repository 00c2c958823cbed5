// CQuorButtonCtrl: the skinned push button (see QuorButtonCtrlBase.h for use and
// messages). Draws a focus rectangle while focused unless SetFocusReactive(false);
// SizeToContent takes the height of the background pictures or the image's size.
#pragma once

#include "controls/QuorButtonCtrlBase.h"

class TALIX_LIB_API CQuorButtonCtrl : public CQuorButtonCtrlBase {
 public:
  CQuorButtonCtrl();

  // With background pictures in the normal state: the height of the first of left,
  // middle, right; else with an image: the image's size; else nothing changes.
  virtual void SizeToContent();
  // Drops the back buffer and repaints.
  virtual void SetFocusReactive(bool reactive);
  virtual bool GetFocusReactive() const { return m_bFocusReactive; }
  bool DrawsFocusRect() const override { return m_bFocusReactive; }

 protected:
  bool m_bFocusReactive;
};
