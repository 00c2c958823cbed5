#include "platform/present/x11/x11_keys.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <string>

namespace talix::present {
namespace {

TEST(X11Keys, VirtualKeysFollowTheUnshiftedKeyAndNumLock) {
  struct Case {
    unsigned long base;
    unsigned long effective;
    uint16_t virtualKey;
  } const cases[] = {
      {XK_a, XK_A, 'A'},               // letters by the key, whatever Shift does
      {XK_z, XK_z, 'Z'},
      {XK_1, XK_exclam, '1'},          // Shift+1 is still the 1 key
      {XK_F1, XK_F1, 0x70},
      {XK_F24, XK_F24, 0x87},
      {XK_KP_End, XK_KP_1, 0x61},      // NumLock on: the keypad's digit
      {XK_KP_End, XK_KP_End, 0x23},    // NumLock off: End
      {XK_Shift_R, XK_Shift_R, 0x10},
      {XK_Control_L, XK_Control_L, 0x11},
      {XK_Alt_L, XK_Meta_L, 0x12},
      {XK_Return, XK_Return, 0x0D},
      {XK_Prior, XK_Prior, 0x21},
      {XK_Down, XK_Down, 0x28},
      {XK_Delete, XK_Delete, 0x2E},
      {XK_semicolon, XK_colon, 0xBA},
      {XK_apostrophe, XK_quotedbl, 0xDE},
      {XK_Hyper_L, XK_Hyper_L, 0},     // no virtual key: not forwarded
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyForKeysyms(c.base, c.effective), c.virtualKey)
        << std::hex << "keysym 0x" << c.base << " / 0x" << c.effective;
  }
}

TEST(X11Keys, KeysymsTypeUtf16) {
  struct Case {
    unsigned long keysym;
    std::u16string text;
  } const cases[] = {
      {XK_a, u"a"},
      {XK_eacute, u"\u00E9"},          // Latin-1 keysyms are their code points
      {0x010020AC, u"\u20AC"},         // Unicode keysym
      {0x0101F600, u"\U0001F600"},     // beyond the basic plane: a surrogate pair
      {XK_KP_5, u"5"},
      {XK_KP_Add, u"+"},
      {XK_EuroSign, u"\u20AC"},
      {XK_F1, u""},
      {XK_Shift_L, u""},
      {0x0100D800, u""},               // a surrogate is no character
      {0x01000085, u""},               // nor a C1 control
      {0x01110000, u""},               // past U+10FFFF
  };
  for (const Case& c : cases) {
    char16_t units[2] = {0xFFFF, 0xFFFF};
    size_t count = KeysymToUtf16(c.keysym, units);
    EXPECT_EQ(std::u16string(units, count), c.text) << std::hex << "keysym 0x" << c.keysym;
  }
}

}  // namespace
}  // namespace talix::present
