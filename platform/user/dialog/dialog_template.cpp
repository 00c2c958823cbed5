// Reading dialog templates: every read is checked against the template's end.
#include "platform/user/dialog/dialog_template.h"

#include <cstring>

namespace talix::user {
namespace {

constexpr size_t kMaxString = 65536;

class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : base_(data), size_(size) {}

  bool Read(void* out, size_t n) {
    if (!Has(n)) return false;
    std::memcpy(out, base_ + pos_, n);
    pos_ += n;
    return true;
  }
  template <typename T>
  bool Get(T* out) { return Read(out, sizeof(T)); }
  bool AlignTo(size_t alignment) {
    size_t aligned = (pos_ + alignment - 1) & ~(alignment - 1);
    if (aligned > size_) return false;
    pos_ = aligned;
    return true;
  }
  bool Skip(size_t n) {
    if (!Has(n)) return false;
    pos_ += n;
    return true;
  }
  bool String(std::u16string* out) {
    out->clear();
    for (;;) {
      WORD c;
      if (!Get(&c)) return false;
      if (c == 0) return true;
      if (out->size() >= kMaxString) return false;
      out->push_back(static_cast<char16_t>(c));
    }
  }
  bool NameOrId(NameOrOrdinal* out) {
    WORD first;
    if (!Get(&first)) return false;
    if (first == 0) {
      out->kind = NameOrOrdinal::Kind::None;
      return true;
    }
    if (first == 0xFFFF) {
      out->kind = NameOrOrdinal::Kind::Ordinal;
      return Get(&out->ordinal);
    }
    out->kind = NameOrOrdinal::Kind::Text;
    pos_ -= sizeof(WORD);
    return String(&out->text);
  }
  const BYTE* Here() const { return base_ + pos_; }

 private:
  bool Has(size_t n) const { return pos_ <= size_ && n <= size_ - pos_; }

  const BYTE* base_;
  size_t size_;
  size_t pos_ = 0;
};

bool ReadHeader(TemplateReader& r, DialogTemplate* t, WORD* count) {
  WORD head[2];
  if (!r.Read(head, sizeof(head))) return false;
  t->extended = head[0] == 1 && head[1] == 0xFFFF;
  if (t->extended) {
    if (!r.Get(&t->helpId) || !r.Get(&t->exStyle) || !r.Get(&t->style)) return false;
  } else {
    std::memcpy(&t->style, head, sizeof(DWORD));
    if (!r.Get(&t->exStyle)) return false;
  }
  return r.Get(count) && r.Get(&t->x) && r.Get(&t->y) && r.Get(&t->cx) && r.Get(&t->cy);
}

bool ReadFont(TemplateReader& r, DialogTemplate* t) {
  t->hasFont = (t->style & DS_SETFONT) != 0;
  if (!t->hasFont) return true;
  if (!r.Get(&t->pointSize)) return false;
  if (t->extended && (!r.Get(&t->weight) || !r.Get(&t->italic) || !r.Get(&t->charset)))
    return false;
  return r.String(&t->face);
}

bool ReadItem(TemplateReader& r, bool extended, DialogItem* item) {
  if (!r.AlignTo(4)) return false;
  if (extended) {
    if (!r.Get(&item->helpId) || !r.Get(&item->exStyle) || !r.Get(&item->style)) return false;
  } else if (!r.Get(&item->style) || !r.Get(&item->exStyle)) {
    return false;
  }
  if (!r.Get(&item->x) || !r.Get(&item->y) || !r.Get(&item->cx) || !r.Get(&item->cy))
    return false;
  if (extended) {
    if (!r.Get(&item->id)) return false;
  } else {
    WORD id;
    if (!r.Get(&id)) return false;
    item->id = id;
  }
  if (!r.NameOrId(&item->windowClass) || !r.NameOrId(&item->title)) return false;
  const BYTE* sizeWord = r.Here();
  WORD extra;
  if (!r.Get(&extra)) return false;
  if (extra == 0) return true;
  item->creationData = sizeWord;
  // The count is the number of bytes after the count word (creation data is WORD aligned).
  return r.AlignTo(2) && r.Skip(extra);
}

}  // namespace

LPCWSTR NameOrOrdinal::AsResourceName() const {
  switch (kind) {
    case Kind::None: return nullptr;
    case Kind::Ordinal: return MAKEINTRESOURCEW(ordinal);
    case Kind::Text: return text.c_str();
  }
  return nullptr;
}

LPCWSTR ItemClassName(WORD ordinal) {
  static const char16_t* const kNames[] = {u"Button",    u"Edit",     u"Static",
                                           u"ListBox",   u"ScrollBar", u"ComboBox"};
  if (ordinal < 0x80 || ordinal > 0x85) return nullptr;
  return kNames[ordinal - 0x80];
}

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* out) {
  if (!data || !out) return false;
  *out = DialogTemplate{};
  TemplateReader r(static_cast<const BYTE*>(data), size);
  WORD count = 0;
  if (!ReadHeader(r, out, &count)) return false;
  if (!r.NameOrId(&out->menu) || !r.NameOrId(&out->windowClass) || !r.String(&out->title) ||
      !ReadFont(r, out))
    return false;
  out->items.resize(count);
  for (DialogItem& item : out->items)
    if (!ReadItem(r, out->extended, &item)) return false;
  return true;
}

}  // namespace talix::user
