// The process's string atoms: class names, registered messages and property names share
// one table of values 0xC000..0xFFFF, compared without case. Atoms are never freed, so a
// registered message keeps its value for the life of the process.
#pragma once

#include <win/types.h>

#include <string>

namespace talix::user {

constexpr ATOM kFirstStringAtom = 0xC000;

// All require UserLock. Add returns 0 when the table is full or the name is empty or
// longer than 255 characters.
ATOM AddAtomLocked(const std::u16string& name);
ATOM FindAtomLocked(const std::u16string& name);
const std::u16string* AtomNameLocked(ATOM atom);

// A name-or-atom argument (MAKEINTATOM or a string) as an atom; 0 when a string has none
// and `add` is false.
ATOM AtomOfArgumentLocked(LPCWSTR nameOrAtom, bool add);
bool IsIntAtom(LPCWSTR nameOrAtom);
std::u16string FoldedName(const std::u16string& name);

}  // namespace talix::user
