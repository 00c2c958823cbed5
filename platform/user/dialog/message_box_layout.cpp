// The message box's geometry.
#include "platform/user/dialog/message_box_layout.h"

#include <algorithm>

namespace talix::user {
namespace {

int Scale(int value, int numerator, int denominator) {
  return (value * numerator + denominator / 2) / denominator;
}

}  // namespace

MessageBoxLayout LayOutMessageBox(const MessageBoxParts& parts) {
  auto h = [&](int n) { return Scale(n, parts.units.cx, 4); };
  auto v = [&](int n) { return Scale(n, parts.units.cy, 8); };
  MessageBoxLayout out;
  int marginX = h(7), marginY = v(7);
  bool hasIcon = parts.icon.cx > 0;
  out.icon = hasIcon ? RECT{marginX, marginY, marginX + parts.icon.cx, marginY + parts.icon.cy}
                     : RECT{};
  int textX = hasIcon ? out.icon.right + h(7) : marginX;
  int textY = marginY;
  if (hasIcon && parts.text.cy < parts.icon.cy) textY += (parts.icon.cy - parts.text.cy) / 2;
  out.text = RECT{textX, textY, textX + parts.text.cx, textY + parts.text.cy};
  int contentBottom = std::max<int>(out.text.bottom, hasIcon ? out.icon.bottom : 0);

  int count = std::max(parts.buttonCount, 1);
  int buttonWidth = std::max(h(50), parts.widestButtonText + h(8));
  int buttonHeight = v(14), gap = h(4);
  int row = count * buttonWidth + (count - 1) * gap;
  out.client.cx = std::max({static_cast<int>(out.text.right) + marginX, row + 2 * marginX,
                            parts.captionWidth});
  int buttonTop = contentBottom + marginY;
  out.client.cy = buttonTop + buttonHeight + marginY;
  int x = (out.client.cx - row) / 2;
  for (int i = 0; i < count; ++i, x += buttonWidth + gap)
    out.buttons.push_back(RECT{x, buttonTop, x + buttonWidth, buttonTop + buttonHeight});
  return out;
}

}  // namespace talix::user
