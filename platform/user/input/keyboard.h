// The keyboard: scan codes and characters of the US layout, the thread key state.
#pragma once

#include "platform/user/input/input_state.h"

namespace talix::user {

// The set-1 scan code of a virtual key; *extended for the keys of the extended block.
UINT ScanCodeOf(UINT virtualKey, bool* extended);
// The character a key makes with the given key state; 0 for none.
WCHAR CharOfKey(UINT virtualKey, const BYTE* keys);
// The key (and whether Shift is needed) that makes a character; false for none.
bool KeyOfChar(WCHAR ch, UINT* virtualKey, bool* shift);
// Marks a key down or up in a 256-byte key state (bit 0x80 down, bit 0x01 toggled).
void SetKeyState(BYTE* keys, UINT virtualKey, bool down);
// Brings the thread's key state up to date with a key or mouse message it retrieved.
void SyncKeyStateLocked(ThreadInput& thread, const RoutedInput& input);
// Keys with a generic form (left and right Shift, Ctrl, Alt) as that form.
UINT GenericKey(UINT virtualKey);
// TranslateMessage.
BOOL TranslateKeyMessage(const MSG* msg);

}  // namespace talix::user
