#include "platform/user/input/input_state.h"
#include "platform/user/input/keyboard.h"
#include "platform/user/input/system_input.h"

#include <talix/host_input.h>

namespace talix::host {
namespace {

using user::RawInput;

void Inject(RawInput::Kind kind, int button = 0, UINT key = 0, WCHAR ch = 0, int wheel = 0) {
  RawInput event{};
  event.kind = kind;
  event.button = button;
  event.key = key;
  event.character = ch;
  event.wheelDelta = wheel;
  user::InjectInput(event);
}

int IndexOf(MouseButton button) {
  return button == MouseButton::Left ? 0 : button == MouseButton::Right ? 1 : 2;
}

}  // namespace

void MouseMove(int x, int y) {
  RawInput event{};
  event.kind = RawInput::MouseMove;
  event.pt = POINT{x, y};
  user::InjectInput(event);
}

void MouseDown(MouseButton button) { Inject(RawInput::ButtonDown, IndexOf(button)); }
void MouseUp(MouseButton button) { Inject(RawInput::ButtonUp, IndexOf(button)); }
void MouseWheel(int delta) { Inject(RawInput::Wheel, 0, 0, 0, delta); }

void Click(int x, int y, MouseButton button) {
  MouseMove(x, y);
  MouseDown(button);
  MouseUp(button);
}

void KeyDown(UINT virtualKey) { Inject(RawInput::KeyDown, 0, user::GenericKey(virtualKey)); }
void KeyUp(UINT virtualKey) { Inject(RawInput::KeyUp, 0, user::GenericKey(virtualKey)); }

void KeyPress(UINT virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void TypeText(const WCHAR* text) {
  for (; text && *text; ++text) {
    UINT vk;
    bool shift;
    if (!user::KeyOfChar(*text, &vk, &shift)) {
      Inject(RawInput::KeyDown, 0, VK_PACKET, *text);
      Inject(RawInput::KeyUp, 0, VK_PACKET, *text);
      continue;
    }
    if (shift) KeyDown(VK_SHIFT);
    KeyPress(vk);
    if (shift) KeyUp(VK_SHIFT);
  }
}

size_t PendingInputEvents() {
  std::lock_guard<std::mutex> lock(user::UserLock());
  return user::InputLocked().raw.size();
}

void ResetInput() {
  std::lock_guard<std::mutex> lock(user::UserLock());
  user::InputState& input = user::InputLocked();
  input.raw.clear();
  input.routedPending = 0;
  input.capture = input.foreground = nullptr;
  input.lastClick = user::ClickMemory{};
  input.tracking = user::MouseTracking{};
  std::fill(std::begin(input.asyncKeys), std::end(input.asyncKeys), 0);
  user::ForEachThreadInputLocked([](user::ThreadInput& thread) { thread = user::ThreadInput{}; });
}

}  // namespace talix::host
