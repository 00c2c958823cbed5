// The in-memory template writer.
#include "platform/user/dialog/template_writer.h"

#include <cstring>

namespace talix::user {

TemplateWriter::TemplateWriter(DWORD style, DWORD exStyle, const std::u16string& title,
                               RECT rect) {
  DLGTEMPLATE head{style & ~DWORD(DS_SETFONT), exStyle, 0, static_cast<short>(rect.left),
                   static_cast<short>(rect.top), static_cast<short>(rect.right - rect.left),
                   static_cast<short>(rect.bottom - rect.top)};
  Put(&head, sizeof(head));
  PutWord(0);  // no menu
  PutWord(0);  // the dialog class
  PutString(title);
}

void TemplateWriter::AddItem(DWORD style, DWORD exStyle, WORD id, WORD classOrdinal,
                             const std::u16string& title, RECT rect) {
  Align4();
  DLGITEMTEMPLATE item{style, exStyle, static_cast<short>(rect.left), static_cast<short>(rect.top),
                       static_cast<short>(rect.right - rect.left),
                       static_cast<short>(rect.bottom - rect.top), id};
  Put(&item, sizeof(item));
  PutWord(0xFFFF);
  PutWord(classOrdinal);
  PutString(title);
  PutWord(0);  // no creation data
  WORD count;
  std::memcpy(&count, bytes_.data() + offsetof(DLGTEMPLATE, cdit), sizeof(count));
  ++count;
  std::memcpy(bytes_.data() + offsetof(DLGTEMPLATE, cdit), &count, sizeof(count));
}

const DLGTEMPLATE* TemplateWriter::Template() const {
  return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
}

void TemplateWriter::Put(const void* data, size_t size) {
  const BYTE* p = static_cast<const BYTE*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

void TemplateWriter::PutString(const std::u16string& text) {
  Put(text.data(), text.size() * sizeof(char16_t));
  PutWord(0);
}

void TemplateWriter::Align4() {
  while (bytes_.size() % 4) bytes_.push_back(0);
}

}  // namespace talix::user
