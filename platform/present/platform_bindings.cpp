// The presenter's default screen and input: the composed virtual screen and the host
// input queue. Registered at load so StartPresenter() with no arguments shows the real
// screen and feeds the real windows.
#include "platform/present/presenter.h"
#include "platform/user/compose/screen_copy.h"

#include <talix/host_capture.h>
#include <talix/host_input.h>
#include <talix/host_screen.h>

namespace talix::present {
namespace {

class ComposedScreen final : public ScreenSource {
 public:
  int Width() const override { return host::GetScreenParams().width; }
  int Height() const override { return host::GetScreenParams().height; }
  uint64_t ChangeCount() const override { return host::ScreenChangeCount(); }
  bool CopyRect(const ScreenRect& rect, uint32_t* rows, size_t strideBytes) override {
    RECT r{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    return user::CopyComposedScreen(r, rows, strideBytes);
  }
};

// Host input calls only queue events, so they never wait for the window threads.
class HostInput final : public InputSink {
 public:
  void MouseMove(int x, int y) override { host::MouseMove(x, y); }
  void MouseButton(Button button, bool down) override {
    host::MouseButton b = button == Button::Left    ? host::MouseButton::Left
                          : button == Button::Right ? host::MouseButton::Right
                                                    : host::MouseButton::Middle;
    down ? host::MouseDown(b) : host::MouseUp(b);
  }
  void Wheel(int delta) override { host::MouseWheel(delta); }
  void Key(uint16_t virtualKey, bool down) override {
    if (down) {
      host::KeyDown(virtualKey);
      keyDown_ = virtualKey;
    } else {
      host::KeyUp(virtualKey);
      if (keyDown_ == virtualKey) keyDown_ = 0;
    }
  }
  // The key just pressed already makes its ASCII character through TranslateMessage;
  // other text (accented letters, Hebrew, ...) goes in as typed characters. A surrogate
  // pair arrives as two calls and goes in once it is whole.
  void Char(char16_t unit) override {
    if (unit < 0x80 && MakesCharacter(keyDown_)) return;
    if (unit >= 0xD800 && unit < 0xDC00) {
      pendingHigh_ = unit;
      return;
    }
    WCHAR text[3] = {0, 0, 0};
    int n = 0;
    if (pendingHigh_ && unit >= 0xDC00 && unit < 0xE000) text[n++] = pendingHigh_;
    pendingHigh_ = 0;
    text[n] = unit;
    host::TypeText(text);
  }

 private:
  // Virtual keys that the US layout turns into an ASCII WM_CHAR.
  static bool MakesCharacter(uint16_t vk) {
    return vk == 0x08 || vk == 0x09 || vk == 0x0D || vk == 0x1B || vk == 0x20 ||
           (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || (vk >= 0x60 && vk <= 0x6F) ||
           (vk >= 0xBA && vk <= 0xC0) || (vk >= 0xDB && vk <= 0xDF) || vk == 0xE2;
  }

  uint16_t keyDown_ = 0;
  char16_t pendingHigh_ = 0;
};

struct Registration {
  ComposedScreen screen;
  HostInput input;
  Registration() {
    SetDefaultScreenSource(&screen);
    SetDefaultInputSink(&input);
  }
  ~Registration() {
    SetDefaultScreenSource(nullptr);
    SetDefaultInputSink(nullptr);
  }
};

Registration registration;

}  // namespace
}  // namespace talix::present
