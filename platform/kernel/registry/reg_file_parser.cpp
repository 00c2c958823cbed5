#include "platform/kernel/registry/reg_file_parser.h"

#include "platform/kernel/registry/name_fold.h"

#include <win/registry.h>

namespace talix::registry {
namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && FoldName(text.substr(0, prefix.size())) == FoldName(prefix);
}

// Reads hex digits at text[pos] into *value: at least one, at most maxDigits.
bool ReadHexNumber(std::u16string_view text, size_t& pos, size_t maxDigits, uint32_t* value) {
  size_t start = pos;
  *value = 0;
  while (pos < text.size() && HexDigit(text[pos]) >= 0) {
    if (pos - start == maxDigits) return false;
    *value = (*value << 4) | static_cast<uint32_t>(HexDigit(text[pos]));
    ++pos;
  }
  return pos > start;
}

void SkipBlanks(std::u16string_view text, size_t& pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
}

// Nothing but blanks or a comment from pos on.
bool RestIsEmpty(std::u16string_view text, size_t pos) {
  SkipBlanks(text, pos);
  return pos == text.size() || text[pos] == u';';
}

std::vector<BYTE> StringData(std::u16string_view text) {
  std::vector<BYTE> data;
  data.reserve((text.size() + 1) * 2);
  for (char16_t c : text) {
    data.push_back(static_cast<BYTE>(c & 0xFF));
    data.push_back(static_cast<BYTE>(c >> 8));
  }
  data.insert(data.end(), {0, 0});
  return data;
}

class Parser {
 public:
  Parser(const std::vector<std::u16string>& lines, std::vector<RegEdit>* edits, RegFileError* error)
      : lines_(lines), edits_(edits), error_(error) {}

  bool Run() {
    size_t i = 0;
    while (i < lines_.size() && Trim(lines_[i]).empty()) ++i;
    if (i == lines_.size() || Trim(lines_[i]) != kHeader) {
      line_ = i < lines_.size() ? i : 0;
      return Fail(i < lines_.size() && Trim(lines_[i]) == u"REGEDIT4"
                      ? "REGEDIT4 files are not supported; export as version 5.00"
                      : "the file must start with \"Windows Registry Editor Version 5.00\"");
    }
    for (line_ = i + 1; line_ < lines_.size(); ++line_) {
      std::u16string_view text = Trim(lines_[line_]);
      if (text.empty() || text[0] == u';') continue;
      bool ok = text[0] == u'[' ? ParseKeyLine(text)
                : (text[0] == u'"' || text[0] == u'@') ? ParseValueLine(text)
                : Fail("expected a [key] line, a value or a comment");
      if (!ok) return false;
    }
    return true;
  }

 private:
  enum class Section { None, Key, DeletedKey };

  bool Fail(const char* message) {
    *error_ = {line_ + 1, message};
    return false;
  }

  bool ParseRoot(std::u16string_view name, RegEdit* edit) {
    static constexpr struct {
      std::u16string_view name;
      RootKey root;
      bool classes;  // HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\SOFTWARE\Classes
    } kRoots[] = {{u"HKEY_LOCAL_MACHINE", RootKey::LocalMachine, false},
                  {u"HKEY_CURRENT_USER", RootKey::CurrentUser, false},
                  {u"HKEY_USERS", RootKey::Users, false},
                  {u"HKEY_CLASSES_ROOT", RootKey::LocalMachine, true}};
    std::u16string folded = FoldName(name);
    for (const auto& entry : kRoots) {
      if (folded != entry.name) continue;
      edit->root = entry.root;
      if (entry.classes) edit->path = {u"SOFTWARE", u"Classes"};
      return true;
    }
    return false;
  }

  bool ParseKeyLine(std::u16string_view text) {
    if (text.size() < 2 || text.back() != u']') return Fail("a key line must end with ']'");
    std::u16string_view path = text.substr(1, text.size() - 2);
    RegEdit edit;
    edit.kind = RegEdit::Kind::CreateKey;
    if (!path.empty() && path[0] == u'-') {
      edit.kind = RegEdit::Kind::DeleteKey;
      path.remove_prefix(1);
    }
    size_t split = path.find(u'\\');
    std::u16string_view below = split == std::u16string_view::npos ? u"" : path.substr(split + 1);
    if (split != std::u16string_view::npos && below.empty()) return Fail("empty key name in the path");
    if (!ParseRoot(path.substr(0, split), &edit))
      return Fail("unknown root key; expected HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS or HKEY_CLASSES_ROOT");
    std::vector<std::u16string_view> names;
    LONG status = SplitKeyPath(below, &names);
    if (status == ERROR_BAD_PATHNAME) return Fail("empty key name in the path");
    if (status != ERROR_SUCCESS) return Fail("key name longer than 255 characters");
    if (edit.path.size() + names.size() > kMaxKeyDepth) return Fail("key path deeper than 512 levels");
    if (edit.kind == RegEdit::Kind::DeleteKey && edit.path.empty() && names.empty())
      return Fail("a root key cannot be deleted");
    edit.path.insert(edit.path.end(), names.begin(), names.end());
    edits_->push_back(std::move(edit));
    section_ = edits_->back().kind == RegEdit::Kind::DeleteKey ? Section::DeletedKey : Section::Key;
    return true;
  }

  // A quoted string at text[pos] with \\ and \" escapes; pos ends after the closing quote.
  bool ParseQuoted(std::u16string_view text, size_t& pos, std::u16string* out) {
    for (++pos; pos < text.size(); ++pos) {
      char16_t c = text[pos];
      if (c == u'"') {
        ++pos;
        return true;
      }
      if (c == u'\\') {
        if (++pos == text.size() || (text[pos] != u'\\' && text[pos] != u'"'))
          return Fail("unknown escape in a quoted string; only \\\\ and \\\" are allowed");
        c = text[pos];
      }
      *out += c;
    }
    return Fail("missing closing quote");
  }

  bool ParseValueLine(std::u16string_view text) {
    if (section_ == Section::None) return Fail("a value must follow a [key] line");
    if (section_ == Section::DeletedKey) return Fail("a value cannot follow a [-key] deletion");
    RegEdit edit;
    edit.kind = RegEdit::Kind::SetValue;
    size_t pos = 0;
    if (text[0] == u'@') {
      ++pos;
    } else if (!ParseQuoted(text, pos, &edit.valueName)) {
      return false;
    }
    SkipBlanks(text, pos);
    if (pos == text.size() || text[pos] != u'=') return Fail("expected '=' after the value name");
    ++pos;
    SkipBlanks(text, pos);
    if (!ParseData(text, pos, &edit)) return false;
    edits_->push_back(std::move(edit));
    return true;
  }

  bool ParseData(std::u16string_view text, size_t pos, RegEdit* edit) {
    std::u16string_view data = text.substr(pos);
    if (!data.empty() && data[0] == u'"') {
      std::u16string value;
      size_t at = 0;
      if (!ParseQuoted(data, at, &value)) return false;
      edit->type = REG_SZ;
      edit->data = StringData(value);
      return RestIsEmpty(data, at) || Fail("unexpected text after the closing quote");
    }
    if (!data.empty() && data[0] == u'-') {
      edit->kind = RegEdit::Kind::DeleteValue;
      return RestIsEmpty(data, 1) || Fail("unexpected text after '-'");
    }
    if (StartsWithIgnoringCase(data, u"dword:")) return ParseDword(data, edit);
    if (StartsWithIgnoringCase(data, u"hex")) return ParseHexValue(data, edit);
    return Fail("unknown value data; expected \"text\", dword:, hex:, hex(type): or -");
  }

  bool ParseDword(std::u16string_view data, RegEdit* edit) {
    size_t pos = 6;
    uint32_t value = 0;
    if (!ReadHexNumber(data, pos, 8, &value)) return Fail("dword: needs 1 to 8 hex digits");
    if (!RestIsEmpty(data, pos)) return Fail("unexpected text after the dword value");
    edit->type = REG_DWORD;
    edit->data = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                  static_cast<BYTE>(value >> 24)};
    return true;
  }

  bool ParseHexValue(std::u16string_view data, RegEdit* edit) {
    size_t pos = 3;
    edit->type = REG_BINARY;
    if (pos < data.size() && data[pos] == u'(') {
      ++pos;
      uint32_t type = 0;
      if (!ReadHexNumber(data, pos, 8, &type) || pos == data.size() || data[pos] != u')')
        return Fail("hex(type) needs a type number of 1 to 8 hex digits");
      ++pos;
      edit->type = type;
    }
    if (pos == data.size() || data[pos] != u':') return Fail("expected ':' after hex");
    return ParseHexBytes(data.substr(pos + 1), &edit->data);
  }

  // Comma-separated bytes; a backslash ending a line continues the list on the next one.
  bool ParseHexBytes(std::u16string_view text, std::vector<BYTE>* bytes) {
    size_t pos = 0;
    while (true) {
      SkipBlanks(text, pos);
      if (pos == text.size() || text[pos] == u';') return true;
      if (text[pos] == u'\\') {
        if (!Trim(text.substr(pos + 1)).empty()) return Fail("unexpected text after a line continuation");
        if (line_ + 1 == lines_.size()) return Fail("the value continues past the end of the file");
        text = Trim(lines_[++line_]);
        pos = 0;
        continue;
      }
      uint32_t byte = 0;
      if (!ReadHexNumber(text, pos, 2, &byte)) return Fail("expected a byte of 1 or 2 hex digits");
      bytes->push_back(static_cast<BYTE>(byte));
      SkipBlanks(text, pos);
      if (pos < text.size() && text[pos] == u',') {
        ++pos;
      } else if (pos < text.size() && text[pos] != u'\\' && text[pos] != u';') {
        return Fail("expected ',' between hex bytes");
      }
    }
  }

  const std::vector<std::u16string>& lines_;
  std::vector<RegEdit>* edits_;
  RegFileError* error_;
  size_t line_ = 0;
  Section section_ = Section::None;
};

}  // namespace

bool ParseRegFile(std::string_view bytes, std::vector<RegEdit>* edits, RegFileError* error) {
  edits->clear();
  std::vector<std::u16string> lines;
  if (!DecodeRegLines(bytes, &lines, error)) return false;
  Parser parser(lines, edits, error);
  if (parser.Run()) return true;
  edits->clear();
  return false;
}

}  // namespace talix::registry
