#include "platform/present/x11/x11_keys.h"

#include <X11/keysym.h>

namespace talix::present {
namespace {

struct KeyName {
  unsigned long keysym;
  uint16_t virtualKey;
};

// Keys whose virtual-key code is not a letter or digit, by their X keysym.
constexpr KeyName kNamedKeys[] = {
    {XK_BackSpace, 0x08},   {XK_Tab, 0x09},         {XK_ISO_Left_Tab, 0x09},
    {XK_Return, 0x0D},      {XK_KP_Enter, 0x0D},    {XK_Shift_L, 0x10},
    {XK_Shift_R, 0x10},     {XK_Control_L, 0x11},   {XK_Control_R, 0x11},
    {XK_Alt_L, 0x12},       {XK_Alt_R, 0x12},       {XK_Meta_L, 0x12},
    {XK_Meta_R, 0x12},      {XK_ISO_Level3_Shift, 0x12},
    {XK_Pause, 0x13},       {XK_Caps_Lock, 0x14},   {XK_Escape, 0x1B},
    {XK_space, 0x20},       {XK_Prior, 0x21},       {XK_KP_Prior, 0x21},
    {XK_Next, 0x22},        {XK_KP_Next, 0x22},     {XK_End, 0x23},
    {XK_KP_End, 0x23},      {XK_Home, 0x24},        {XK_KP_Home, 0x24},
    {XK_Left, 0x25},        {XK_KP_Left, 0x25},     {XK_Up, 0x26},
    {XK_KP_Up, 0x26},       {XK_Right, 0x27},       {XK_KP_Right, 0x27},
    {XK_Down, 0x28},        {XK_KP_Down, 0x28},     {XK_Print, 0x2C},
    {XK_Insert, 0x2D},      {XK_KP_Insert, 0x2D},   {XK_Delete, 0x2E},
    {XK_KP_Delete, 0x2E},   {XK_Super_L, 0x5B},     {XK_Super_R, 0x5C},
    {XK_Menu, 0x5D},        {XK_KP_Multiply, 0x6A}, {XK_KP_Add, 0x6B},
    {XK_KP_Subtract, 0x6D}, {XK_KP_Decimal, 0x6E},  {XK_KP_Divide, 0x6F},
    {XK_Num_Lock, 0x90},    {XK_Scroll_Lock, 0x91}, {XK_semicolon, 0xBA},
    {XK_equal, 0xBB},       {XK_comma, 0xBC},       {XK_minus, 0xBD},
    {XK_period, 0xBE},      {XK_slash, 0xBF},       {XK_grave, 0xC0},
    {XK_bracketleft, 0xDB}, {XK_backslash, 0xDC},   {XK_bracketright, 0xDD},
    {XK_apostrophe, 0xDE},
};

// Keypad keysyms that type text, as the characters they type.
constexpr struct {
  unsigned long keysym;
  char16_t unit;
} kKeypadText[] = {
    {XK_KP_Space, u' '},  {XK_KP_Equal, u'='},    {XK_KP_Multiply, u'*'},
    {XK_KP_Add, u'+'},    {XK_KP_Separator, u','}, {XK_KP_Subtract, u'-'},
    {XK_KP_Decimal, u'.'}, {XK_KP_Divide, u'/'},  {XK_EuroSign, u'\u20AC'},
};

constexpr unsigned long kUnicodeKeysymBase = 0x01000000;

bool IsKeypadDigit(unsigned long keysym) { return keysym >= XK_KP_0 && keysym <= XK_KP_9; }

}  // namespace

uint16_t VirtualKeyForKeysyms(unsigned long base, unsigned long effective) {
  if (IsKeypadDigit(effective)) return static_cast<uint16_t>(0x60 + (effective - XK_KP_0));
  if (base >= XK_a && base <= XK_z) return static_cast<uint16_t>('A' + (base - XK_a));
  if (base >= XK_A && base <= XK_Z) return static_cast<uint16_t>(base);
  if (base >= XK_0 && base <= XK_9) return static_cast<uint16_t>(base);
  if (base >= XK_F1 && base <= XK_F24) return static_cast<uint16_t>(0x70 + (base - XK_F1));
  for (const KeyName& key : kNamedKeys) {
    if (key.keysym == base) return key.virtualKey;
  }
  return 0;
}

size_t KeysymToUtf16(unsigned long keysym, char16_t out[2]) {
  uint32_t code = 0;
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
    code = static_cast<uint32_t>(keysym);
  } else if (keysym >= kUnicodeKeysymBase + 0x20 && keysym <= kUnicodeKeysymBase + 0x10FFFF) {
    code = static_cast<uint32_t>(keysym - kUnicodeKeysymBase);
  } else if (IsKeypadDigit(keysym)) {
    code = '0' + static_cast<uint32_t>(keysym - XK_KP_0);
  } else {
    for (const auto& entry : kKeypadText) {
      if (entry.keysym == keysym) code = entry.unit;
    }
  }
  bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
  if (control || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  if (code < 0x10000) {
    out[0] = static_cast<char16_t>(code);
    return 1;
  }
  code -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (code >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  return 2;
}

}  // namespace talix::present
