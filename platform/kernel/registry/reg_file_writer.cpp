#include "platform/kernel/registry/reg_file_writer.h"

#include <win/registry.h>

namespace talix::registry {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
// A hex line ends once another "xx," would pass this column; with the continuing
// backslash, lines stay within 80 columns (25 bytes on each continuation line).
constexpr size_t kHexLineLimit = 77;

void AppendHexByte(std::u16string& out, unsigned byte) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  out += kDigits[(byte >> 4) & 0xF];
  out += kDigits[byte & 0xF];
}

void AppendHexNumber(std::u16string& out, uint32_t value, int minDigits) {
  std::u16string digits;
  while (value != 0 || static_cast<int>(digits.size()) < minDigits) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  }
  out += digits;
}

void AppendQuoted(std::u16string& out, std::u16string_view text) {
  out += u'"';
  for (char16_t c : text) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  out += u'"';
}

// The text of a REG_SZ value that can be written quoted, or false.
bool QuotableString(const std::vector<BYTE>& data, std::u16string* text) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  size_t units = data.size() / 2 - 1;
  if (data[units * 2] != 0 || data[units * 2 + 1] != 0) return false;
  text->clear();
  for (size_t i = 0; i < units; ++i) {
    char16_t c = static_cast<char16_t>(data[i * 2] | (data[i * 2 + 1] << 8));
    if (c == 0 || c == u'\r' || c == u'\n') return false;
    *text += c;
  }
  return true;
}

void AppendHexList(std::u16string& out, size_t lineStart, const std::vector<BYTE>& data) {
  for (size_t i = 0; i < data.size(); ++i) {
    bool lineHasBytes = out.size() - lineStart > 0 && out.back() == u',';
    if (lineHasBytes && out.size() - lineStart + 3 > kHexLineLimit) {
      out += u'\\';
      out += kLineEnd;
      lineStart = out.size();
      out += u"  ";
    }
    AppendHexByte(out, data[i]);
    if (i + 1 < data.size()) out += u',';
  }
}

void AppendValue(std::u16string& out, const RegValue& value) {
  size_t lineStart = out.size();
  if (value.name.empty()) {
    out += u'@';
  } else {
    AppendQuoted(out, value.name);
  }
  out += u'=';
  std::u16string text;
  if (value.type == REG_SZ && QuotableString(value.data, &text)) {
    AppendQuoted(out, text);
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    out += u"dword:";
    uint32_t dword = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                     (static_cast<uint32_t>(value.data[3]) << 24);
    AppendHexNumber(out, dword, 8);
  } else {
    out += u"hex";
    if (value.type != REG_BINARY) {
      out += u'(';
      AppendHexNumber(out, value.type, 1);
      out += u')';
    }
    out += u':';
    AppendHexList(out, lineStart, value.data);
  }
  out += kLineEnd;
}

// Depth is bounded by the tree's depth limit, so recursion is safe.
void AppendKey(std::u16string& out, std::u16string& path, const KeyNode& key) {
  if (key.Volatile()) return;
  out += u'[';
  out += path;
  out += u']';
  out += kLineEnd;
  for (size_t i = 0; i < key.ValueCount(); ++i) AppendValue(out, key.Value(i));
  out += kLineEnd;
  for (size_t i = 0; i < key.SubkeyCount(); ++i) {
    const KeyNode& child = *key.Subkey(i);
    size_t length = path.size();
    path += u'\\';
    path += child.Name();
    AppendKey(out, path, child);
    path.resize(length);
  }
}

}  // namespace

std::u16string ExportRegText(const RegistryTree& tree) {
  std::u16string out = u"Windows Registry Editor Version 5.00";
  out += kLineEnd;
  out += kLineEnd;
  for (size_t i = 0; i < static_cast<size_t>(RootKey::Count); ++i) {
    const auto& root = tree.Root(static_cast<RootKey>(i));
    std::u16string path(root->Name());
    AppendKey(out, path, *root);
  }
  return out;
}

}  // namespace talix::registry
