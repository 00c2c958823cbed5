// CQuorMessageBox: the box's dialog template, written into zeroed memory. Four "Button"
// items (OK, Yes, No, Cancel) on a 188 x 62 dialog-unit frame; the layout moves and
// resizes them once the text is measured. Every record starts on a DWORD boundary.
#include "chrome/QuorMessageBox.h"

#include "frame/QuorLib.h"

#include <cstring>

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kRightToLeftExStyle = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;
constexpr DWORD kItemStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kFontPoints = 8;
constexpr char16_t kFontFace[] = u"Ms Sans Serif";

struct ItemPlace {
  short x, y, cx, cy;
  WORD id;
};
// Left to right as the template has them; the layout places the ones a box shows.
constexpr ItemPlace kItems[] = {
    {4, 44, 57, 14, IDOK},
    {122, 44, 57, 14, IDYES},
    {179, 44, 57, 14, IDNO},
    {65, 44, 57, 14, IDCANCEL},
};

// Moves `words` on to the next DWORD boundary of the (DWORD aligned) template.
WORD* AlignToDword(WORD* words) {
  const auto address = reinterpret_cast<uintptr_t>(words);
  return reinterpret_cast<WORD*>((address + 3) & ~uintptr_t(3));
}

}  // namespace

int CQuorMessageBox::PutItemToTemplate(WORD* where, short x, short y, short cx, short cy,
                                       WORD id) {
  const DLGITEMTEMPLATE item{kItemStyle, 0, x, y, cx, cy, id};
  std::memcpy(where, &item, sizeof(item));
  WORD* next = where + sizeof(item) / sizeof(WORD);
  *next++ = 0xFFFF;  // class by atom
  *next++ = kButtonAtom;
  *next++ = 0;       // empty title
  next = AlignToDword(next);
  *next++ = 0;       // no creation data
  return int(next - where);
}

void CQuorMessageBox::CreateDialogTemplate(BYTE* memory) {
  const DLGTEMPLATE head{kDialogStyle, CQuorLib::GetLayout() == 1 ? kRightToLeftExStyle : 0,
                         WORD(std::size(kItems)), 0, 0, 188, 62};
  std::memcpy(memory, &head, sizeof(head));
  WORD* next = reinterpret_cast<WORD*>(memory + sizeof(head));
  *next++ = 0;  // no menu
  *next++ = 0;  // default class
  *next++ = 0;  // empty title
  *next++ = kFontPoints;
  for (char16_t c : kFontFace) *next++ = WORD(c);  // the face with its terminator
  for (const ItemPlace& place : kItems) {
    next = AlignToDword(next);
    next += PutItemToTemplate(next, place.x, place.y, place.cx, place.cy, place.id);
  }
}
