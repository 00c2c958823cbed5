// The US English layout: scan codes, characters, TranslateMessage; and the key state.
//
// Limits: one layout; no dead keys; AltGr (Ctrl+Alt) makes no characters; the left and
// right forms of Shift, Ctrl and Alt arrive as the generic keys.
#include "platform/user/input/keyboard.h"

#include "platform/user/message/message_queue.h"

#include <cstring>

namespace talix::user {
namespace {

struct OemKey {
  UINT vk;
  char plain, shifted;
};

constexpr OemKey kOemKeys[] = {
    {VK_OEM_1, ';', ':'},  {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},  {VK_OEM_4, '[', '{'},   {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},  {VK_OEM_7, '\'', '"'},  {VK_SPACE, ' ', ' '},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

struct ScanKey {
  UINT vk;
  BYTE scan;
  bool extended;
};

constexpr ScanKey kScanKeys[] = {
    {VK_ESCAPE, 0x01, false}, {VK_OEM_MINUS, 0x0C, false}, {VK_OEM_PLUS, 0x0D, false},
    {VK_BACK, 0x0E, false},   {VK_TAB, 0x0F, false},       {VK_OEM_4, 0x1A, false},
    {VK_OEM_6, 0x1B, false},  {VK_RETURN, 0x1C, false},    {VK_CONTROL, 0x1D, false},
    {VK_OEM_1, 0x27, false},  {VK_OEM_7, 0x28, false},     {VK_OEM_3, 0x29, false},
    {VK_SHIFT, 0x2A, false},  {VK_OEM_5, 0x2B, false},     {VK_OEM_COMMA, 0x33, false},
    {VK_OEM_PERIOD, 0x34, false}, {VK_OEM_2, 0x35, false}, {VK_MULTIPLY, 0x37, false},
    {VK_MENU, 0x38, false},   {VK_SPACE, 0x39, false},     {VK_CAPITAL, 0x3A, false},
    {VK_NUMLOCK, 0x45, false}, {VK_SCROLL, 0x46, false},   {VK_HOME, 0x47, true},
    {VK_UP, 0x48, true},      {VK_PRIOR, 0x49, true},      {VK_SUBTRACT, 0x4A, false},
    {VK_LEFT, 0x4B, true},    {VK_RIGHT, 0x4D, true},      {VK_ADD, 0x4E, false},
    {VK_END, 0x4F, true},     {VK_DOWN, 0x50, true},       {VK_NEXT, 0x51, true},
    {VK_INSERT, 0x52, true},  {VK_DELETE, 0x53, true},     {VK_DECIMAL, 0x53, false},
    {VK_F11, 0x57, false},    {VK_F12, 0x58, false},       {VK_DIVIDE, 0x35, true},
    {VK_LWIN, 0x5B, true},    {VK_RWIN, 0x5C, true},       {VK_APPS, 0x5D, true},
};
constexpr BYTE kNumpadScans[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
constexpr char kLetterRows[3][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr BYTE kLetterRowStart[3] = {0x10, 0x1E, 0x2C};

WCHAR ControlChar(UINT vk) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<WCHAR>(vk - 'A' + 1);
  switch (vk) {
    case VK_OEM_4: return 0x1B;
    case VK_OEM_5: return 0x1C;
    case VK_OEM_6: return 0x1D;
    case VK_RETURN: return 0x0A;
    case VK_BACK: return 0x7F;
    case VK_SPACE: return ' ';
    default: return 0;
  }
}

}  // namespace

UINT GenericKey(UINT vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk & 0xFF;
  }
}

UINT ScanCodeOf(UINT vk, bool* extended) {
  *extended = false;
  if (vk >= '1' && vk <= '9') return 0x02 + (vk - '1');
  if (vk == '0') return 0x0B;
  if (vk >= VK_F1 && vk <= VK_F10) return 0x3B + (vk - VK_F1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return kNumpadScans[vk - VK_NUMPAD0];
  for (int row = 0; row < 3; ++row)
    for (int i = 0; kLetterRows[row][i]; ++i)
      if (static_cast<UINT>(kLetterRows[row][i]) == vk) return kLetterRowStart[row] + i;
  for (const ScanKey& k : kScanKeys) {
    if (k.vk != vk) continue;
    *extended = k.extended;
    return k.scan;
  }
  return 0;
}

WCHAR CharOfKey(UINT vk, const BYTE* keys) {
  bool shift = KeyDown(keys, VK_SHIFT), ctrl = KeyDown(keys, VK_CONTROL);
  bool alt = KeyDown(keys, VK_MENU), caps = (keys[VK_CAPITAL] & 1) != 0;
  if (ctrl) return alt ? 0 : ControlChar(vk);
  if (vk >= 'A' && vk <= 'Z') return static_cast<WCHAR>(shift != caps ? vk : vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') return static_cast<WCHAR>(shift ? kShiftedDigits[vk - '0'] : vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<WCHAR>('0' + vk - VK_NUMPAD0);
  for (const OemKey& k : kOemKeys)
    if (k.vk == vk) return static_cast<WCHAR>(shift ? k.shifted : k.plain);
  switch (vk) {
    case VK_TAB: return '\t';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    default: return 0;
  }
}

bool KeyOfChar(WCHAR ch, UINT* vk, bool* shift) {
  *shift = false;
  if (ch >= 'a' && ch <= 'z') return *vk = ch - 'a' + 'A', true;
  if (ch >= 'A' && ch <= 'Z') return *vk = ch, *shift = true, true;
  if (ch >= '0' && ch <= '9') return *vk = ch, true;
  for (int d = 0; d < 10; ++d)
    if (ch == static_cast<WCHAR>(kShiftedDigits[d])) return *vk = '0' + d, *shift = true, true;
  for (const OemKey& k : kOemKeys) {
    if (ch == static_cast<WCHAR>(k.plain)) return *vk = k.vk, true;
    if (ch == static_cast<WCHAR>(k.shifted)) return *vk = k.vk, *shift = true, true;
  }
  switch (ch) {
    case '\t': return *vk = VK_TAB, true;
    case '\r': case '\n': return *vk = VK_RETURN, true;
    case '\b': return *vk = VK_BACK, true;
    case 0x1B: return *vk = VK_ESCAPE, true;
    default: return false;
  }
}

void SetKeyState(BYTE* keys, UINT vk, bool down) {
  vk &= 0xFF;
  if (down && !(keys[vk] & 0x80)) keys[vk] ^= 0x01;  // a new press toggles
  keys[vk] = static_cast<BYTE>(down ? (keys[vk] | 0x80) : (keys[vk] & ~0x80));
}

void SyncKeyStateLocked(ThreadInput& thread, const RoutedInput& input) {
  const MSG& msg = input.msg;
  auto set = [&thread](UINT vk, bool down) { SetKeyState(thread.keys, vk, down); };
  switch (msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      set(static_cast<UINT>(msg.wParam), true);
      if (msg.wParam == VK_PACKET) thread.packetChar = input.character;
      return;
    case WM_KEYUP: case WM_SYSKEYUP: set(static_cast<UINT>(msg.wParam), false); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
      set(VK_LBUTTON, true); return;
    case WM_LBUTTONUP: case WM_NCLBUTTONUP: set(VK_LBUTTON, false); return;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
      set(VK_RBUTTON, true); return;
    case WM_RBUTTONUP: case WM_NCRBUTTONUP: set(VK_RBUTTON, false); return;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
      set(VK_MBUTTON, true); return;
    case WM_MBUTTONUP: case WM_NCMBUTTONUP: set(VK_MBUTTON, false); return;
    default: return;
  }
}

BOOL TranslateKeyMessage(const MSG* msg) {
  if (!msg) return FALSE;
  UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_KEYUP && m != WM_SYSKEYDOWN && m != WM_SYSKEYUP) return FALSE;
  if (m == WM_KEYUP || m == WM_SYSKEYUP) return TRUE;
  WCHAR ch;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    ThreadInput& thread = ThreadInputLocked(GetCurrentThreadId());
    ch = msg->wParam == VK_PACKET ? thread.packetChar
                                  : CharOfKey(static_cast<UINT>(msg->wParam), thread.keys);
  }
  if (ch) PostMessageW(msg->hwnd, m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch, msg->lParam);
  return TRUE;
}

}  // namespace talix::user

using namespace talix::user;

SHORT GetKeyState(int key) {
  std::lock_guard<std::mutex> lock(UserLock());
  ThreadInput* thread = FindThreadInputLocked(GetCurrentThreadId());
  BYTE state = thread ? thread->keys[key & 0xFF] : 0;
  return static_cast<SHORT>(((state & 0x80) ? 0xFF80 : 0) | (state & 0x01));
}

SHORT GetAsyncKeyState(int key) {
  std::lock_guard<std::mutex> lock(UserLock());
  return static_cast<SHORT>((InputLocked().asyncKeys[key & 0xFF] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(LPBYTE state) {
  if (!state) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(UserLock());
  ThreadInput& thread = ThreadInputLocked(GetCurrentThreadId());
  std::memcpy(state, thread.keys, sizeof(thread.keys));
  return TRUE;
}

// Replaces the calling thread's key state (what GetKeyState reports); the asynchronous
// state of the keyboard stays as it is.
BOOL SetKeyboardState(LPBYTE state) {
  if (!state) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(UserLock());
  ThreadInput& thread = ThreadInputLocked(GetCurrentThreadId());
  std::memcpy(thread.keys, state, sizeof(thread.keys));
  return TRUE;
}

UINT MapVirtualKeyW(UINT code, UINT mapType) {
  bool extended;
  switch (mapType) {
    case MAPVK_VK_TO_VSC: return ScanCodeOf(GenericKey(code), &extended);
    case MAPVK_VSC_TO_VK:
      for (UINT vk = 1; vk < 0xFF; ++vk)
        if (code && ScanCodeOf(vk, &extended) == code && !extended) return vk;
      return 0;
    case MAPVK_VK_TO_CHAR: {
      BYTE none[256] = {};
      WCHAR ch = CharOfKey(code, none);
      return ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch;
    }
    default: return 0;
  }
}
