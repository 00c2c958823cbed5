#include "platform/kernel/registry/name_fold.h"

namespace talix::registry {
namespace {

bool InRange(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

// Blocks where upper and lower case alternate: the upper-case letter at one parity and
// its lower-case partner right after it.
char16_t UpcaseAlternating(char16_t c, bool upperIsEven) {
  bool even = (c % 2) == 0;
  return even == upperIsEven ? c : static_cast<char16_t>(c - 1);
}

char16_t UpcaseLatin(char16_t c) {
  if (InRange(c, u'a', u'z')) return static_cast<char16_t>(c - 0x20);
  if (InRange(c, 0xE0, 0xFE) && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (InRange(c, 0x100, 0x137) || InRange(c, 0x14A, 0x177)) return UpcaseAlternating(c, true);
  if (InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E)) return UpcaseAlternating(c, false);
  return c;
}

char16_t UpcaseGreekCyrillic(char16_t c) {
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (InRange(c, 0x3B1, 0x3CB)) return static_cast<char16_t>(c - 0x20);
  if (InRange(c, 0x430, 0x44F)) return static_cast<char16_t>(c - 0x20);
  if (InRange(c, 0x450, 0x45F)) return static_cast<char16_t>(c - 0x50);
  if (InRange(c, 0x460, 0x481) || InRange(c, 0x48A, 0x4BF) || InRange(c, 0x4D0, 0x52F))
    return UpcaseAlternating(c, true);
  if (InRange(c, 0x4C1, 0x4CE)) return UpcaseAlternating(c, false);
  return c;
}

}  // namespace

char16_t UpcaseUnit(char16_t c) {
  if (c < 0x180) return UpcaseLatin(c);
  if (InRange(c, 0x370, 0x52F)) return UpcaseGreekCyrillic(c);
  if (InRange(c, 0xFF41, 0xFF5A)) return static_cast<char16_t>(c - 0x20);
  return c;
}

std::u16string FoldName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = UpcaseUnit(c);
  return folded;
}

}  // namespace talix::registry
