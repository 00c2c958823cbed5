#include "platform/user/window/atom_table.h"

#include "platform/kernel/wstr/char_tables.h"

#include <unordered_map>
#include <vector>

namespace talix::user {
namespace {

struct AtomTable {
  std::unordered_map<std::u16string, ATOM> byFoldedName;
  std::vector<std::u16string> names;  // index = atom - kFirstStringAtom
};

AtomTable& Table() {
  static AtomTable* table = new AtomTable;  // used by threads still ending at exit
  return *table;
}

}  // namespace

std::u16string FoldedName(const std::u16string& name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = FoldCase(c);
  return folded;
}

bool IsIntAtom(LPCWSTR nameOrAtom) { return IS_INTRESOURCE(nameOrAtom); }

ATOM AddAtomLocked(const std::u16string& name) {
  if (name.empty() || name.size() > 255) return 0;
  AtomTable& t = Table();
  std::u16string key = FoldedName(name);
  auto it = t.byFoldedName.find(key);
  if (it != t.byFoldedName.end()) return it->second;
  if (t.names.size() >= 0x10000 - kFirstStringAtom) return 0;
  ATOM atom = static_cast<ATOM>(kFirstStringAtom + t.names.size());
  t.names.push_back(name);
  t.byFoldedName.emplace(std::move(key), atom);
  return atom;
}

ATOM FindAtomLocked(const std::u16string& name) {
  AtomTable& t = Table();
  auto it = t.byFoldedName.find(FoldedName(name));
  return it == t.byFoldedName.end() ? 0 : it->second;
}

const std::u16string* AtomNameLocked(ATOM atom) {
  AtomTable& t = Table();
  if (atom < kFirstStringAtom || size_t{atom} - kFirstStringAtom >= t.names.size()) return nullptr;
  return &t.names[atom - kFirstStringAtom];
}

ATOM AtomOfArgumentLocked(LPCWSTR nameOrAtom, bool add) {
  if (!nameOrAtom) return 0;
  if (IsIntAtom(nameOrAtom)) return static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
  std::u16string name(nameOrAtom);
  return add ? AddAtomLocked(name) : FindAtomLocked(name);
}

}  // namespace talix::user
