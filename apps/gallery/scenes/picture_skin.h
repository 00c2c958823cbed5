// PictureSkin: the gallery's own small skin, to show the skin pipeline before any control
// of the toolkit is in it. It fills the window with a theme colour (when it names one) and
// draws a theme picture stretched over it, with a margin; the picture's transparent parts
// show what lies under the window.
#pragma once

#include "draw/QuorBitmap.h"
#include "draw/QuorGraphics.h"
#include "skin/QuorBaseSkin.h"

#include <windows.h>

namespace talix::gallery {

struct PictureSkinDef {
  UINT pictureId = 0;  // theme picture; 0 = none
  UINT colorId = 0;    // theme colour ("R,G,B" text); 0 = no fill
  int margin = 0;      // unscaled pixels left around the picture
  bool stretch = true; // false: natural size at the margin's corner
};

class PictureSkin : public CQuorBaseSkinImpl<PictureSkin, PictureSkinDef> {
 public:
  explicit PictureSkin(const PictureSkinDef& def) { SetSkinDef(def); }
  ~PictureSkin() override { Unload(); }

  void Load() override;
  void Unload() override;
  void Validate() override;
  void Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) override;

 private:
  CQuorBitmap* m_picture = nullptr;  // shared through the resource manager
  COLORREF m_fill = 0;  // black when the theme lacks the colour
};

}  // namespace talix::gallery
