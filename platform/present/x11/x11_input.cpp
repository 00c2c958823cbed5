#include "platform/present/x11/x11_input.h"

#include "platform/present/x11/x11_keys.h"

#include <X11/Xutil.h>

namespace talix::present {
namespace {

constexpr int kWheelNotch = 120;

}  // namespace

void X11InputTranslator::Translate(XEvent& event) {
  switch (event.type) {
    case MotionNotify:
      MoveTo(event.xmotion.x, event.xmotion.y);
      break;
    case ButtonPress:
      Button(event.xbutton, true);
      break;
    case ButtonRelease:
      Button(event.xbutton, false);
      break;
    case KeyPress:
      Key(event.xkey, true);
      break;
    case KeyRelease:
      Key(event.xkey, false);
      break;
    default:
      break;
  }
}

// Only real moves are forwarded: a click at the pointer's current place is no move.
void X11InputTranslator::MoveTo(int x, int y) {
  if (x == lastX_ && y == lastY_) return;
  lastX_ = x;
  lastY_ = y;
  sink_.MouseMove(x, y);
}

void X11InputTranslator::Button(const XButtonEvent& event, bool down) {
  MoveTo(event.x, event.y);
  switch (event.button) {
    case Button1: sink_.MouseButton(present::Button::Left, down); break;
    case Button2: sink_.MouseButton(present::Button::Middle, down); break;
    case Button3: sink_.MouseButton(present::Button::Right, down); break;
    // The wheel is buttons 4 (away from the user) and 5; each notch is one press and
    // one release, counted once.
    case Button4: if (down) sink_.Wheel(kWheelNotch); break;
    case Button5: if (down) sink_.Wheel(-kWheelNotch); break;
    default: break;
  }
}

void X11InputTranslator::Key(XKeyEvent& event, bool down) {
  char bytes[8];
  KeySym effective = NoSymbol;
  int length = XLookupString(&event, bytes, sizeof bytes, &effective, nullptr);
  KeySym base = XLookupKeysym(&event, 0);
  uint16_t virtualKey = VirtualKeyForKeysyms(base, effective);
  if (virtualKey != 0) sink_.Key(virtualKey, down);
  if (!down) return;
  // Control characters (Enter, Tab, Backspace, Escape, Ctrl+letter) come as X's bytes;
  // printable text from the keysym, which is not bound to the locale's encoding. DEL
  // (the Delete key) types nothing.
  auto first = static_cast<unsigned char>(bytes[0]);
  if (length == 1 && first < 0x20) {
    sink_.Char(static_cast<char16_t>(first));
    return;
  }
  char16_t units[2];
  size_t count = KeysymToUtf16(effective, units);
  for (size_t i = 0; i < count; ++i) sink_.Char(units[i]);
}

}  // namespace talix::present
