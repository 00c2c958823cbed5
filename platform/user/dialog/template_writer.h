// Writing a classic in-memory dialog template (DLGTEMPLATE and DWORD-aligned
// DLGITEMTEMPLATEs), for the dialogs the platform builds itself (message boxes).
#pragma once

#include <win/dialog.h>

#include <string>
#include <vector>

namespace talix::user {

class TemplateWriter {
 public:
  // A dialog without menu, class or font; the rectangle in dialog units.
  TemplateWriter(DWORD style, DWORD exStyle, const std::u16string& title, RECT rect);
  // An item of a system class by ordinal (0x0080 "Button" .. 0x0085 "ComboBox").
  void AddItem(DWORD style, DWORD exStyle, WORD id, WORD classOrdinal,
               const std::u16string& title, RECT rect);
  const DLGTEMPLATE* Template() const;
  size_t Size() const { return bytes_.size(); }

 private:
  void Put(const void* data, size_t size);
  void PutWord(WORD w) { Put(&w, sizeof(w)); }
  void PutString(const std::u16string& text);
  void Align4();

  std::vector<BYTE> bytes_;
};

}  // namespace talix::user
