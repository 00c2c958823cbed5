// Dialog templates (DLGTEMPLATE and DLGTEMPLATEEX with their items) read into one form.
//
// Limits: a template whose size is not known (an in-memory template that is not the start
// of a GlobalAlloc block) is read trusting its counts, as Windows does; strings are then
// capped at 64K characters and the item count at 65535.
#pragma once

#include <win/dialog.h>

#include <cstddef>
#include <string>
#include <vector>

namespace talix::user {

// A template field that is either absent, an ordinal (0xFFFF, n) or a string.
struct NameOrOrdinal {
  enum class Kind { None, Ordinal, Text } kind = Kind::None;
  WORD ordinal = 0;
  std::u16string text;
  // The form CreateWindowExW and the resource functions take: null, MAKEINTRESOURCE(n)
  // or the string (valid while this object lives).
  LPCWSTR AsResourceName() const;
};

struct DialogItem {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  NameOrOrdinal windowClass;
  NameOrOrdinal title;
  const BYTE* creationData = nullptr;  // the size word and the bytes after it; null if none
};

struct DialogTemplate {
  bool extended = false;
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::u16string title;
  bool hasFont = false;  // DS_SETFONT or DS_SHELLFONT: the fields below were read
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::u16string face;
  std::vector<DialogItem> items;
};

constexpr size_t kTemplateSizeUnknown = static_cast<size_t>(-1);

// Reads a template of `size` bytes (kTemplateSizeUnknown when not known). False for a
// template that is truncated, whose counts run past its end, or whose strings are not
// terminated within it.
TALIX_EXPORT bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* out);
// The class name of an ordinal item class (0x0080 "Button" .. 0x0085 "ComboBox"); null for
// any other ordinal.
LPCWSTR ItemClassName(WORD ordinal);

}  // namespace talix::user
