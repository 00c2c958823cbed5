// Where the parts of a message box go, in client pixels, from the sizes of its parts.
//
// With h(n) = n * unitsX / 4 and v(n) = n * unitsY / 8 (dialog units of the message font):
// a margin of h(7) (v(7) above and below), the icon at the top left, the text h(7) to
// its right (vertically centred beside the icon when shorter than it), buttons h(50)
// wide (wider when a caption needs it: its text plus h(8)) and v(14) high, h(4) apart,
// centred in a row v(7) below the text or icon. The client is wide enough for the text
// row, the button row and the caption.
#pragma once

#include <win/types.h>

#include <vector>

namespace talix::user {

struct MessageBoxParts {
  SIZE units{};            // dialog base units of the message font
  SIZE text{};             // the text's DT_CALCRECT | DT_WORDBREAK size
  SIZE icon{};             // {0, 0} without an icon
  int widestButtonText = 0;
  int buttonCount = 1;
  int captionWidth = 0;    // the caption text and the caption buttons
};

struct MessageBoxLayout {
  SIZE client{};
  RECT icon{};
  RECT text{};
  std::vector<RECT> buttons;
};

TALIX_EXPORT MessageBoxLayout LayOutMessageBox(const MessageBoxParts& parts);

}  // namespace talix::user
