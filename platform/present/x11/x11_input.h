// Turns the presenter window's X input events into InputSink calls. Window coordinates
// are screen coordinates: the window shows the screen 1:1 from its origin.
//
// Limits: key auto-repeat arrives as X sends it (release/press pairs); horizontal wheel
// buttons (6, 7) and the extra buttons (8, 9) are dropped.
#pragma once

#include "platform/present/presenter.h"

#include <X11/Xlib.h>

namespace talix::present {

class X11InputTranslator {
 public:
  explicit X11InputTranslator(InputSink& sink) : sink_(sink) {}

  // Forwards the event when it is input; other events are left alone.
  void Translate(XEvent& event);

 private:
  void MoveTo(int x, int y);
  void Button(const XButtonEvent& event, bool down);
  void Key(XKeyEvent& event, bool down);

  InputSink& sink_;
  int lastX_ = -1;
  int lastY_ = -1;
};

}  // namespace talix::present
