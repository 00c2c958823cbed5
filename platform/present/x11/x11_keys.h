// X keysyms to what the platform's input expects: Windows virtual-key codes and UTF-16.
//
// Limits: text comes from the Latin-1 keysyms, the Unicode keysyms (0x01000000 + code
// point), the keypad and the euro sign; the older national keysym blocks (Cyrillic,
// Greek, ...) give no characters. Keys outside the table give virtual key 0 (not sent).
#pragma once

#include <win/types.h>

#include <cstddef>
#include <cstdint>

namespace talix::present {

// `base` is the key's unshifted keysym (column 0), `effective` the keysym after the
// modifiers, as XLookupString reports it; the keypad's digits follow NumLock through it.
TALIX_EXPORT uint16_t VirtualKeyForKeysyms(unsigned long base, unsigned long effective);

// Writes the UTF-16 text a keysym types into `out` (at most 2 units) and returns the
// count, 0 for keysyms that type nothing (function keys, modifiers).
TALIX_EXPORT size_t KeysymToUtf16(unsigned long keysym, char16_t out[2]);

}  // namespace talix::present
