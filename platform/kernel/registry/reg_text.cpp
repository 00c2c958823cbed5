#include "platform/kernel/registry/reg_text.h"

#include "platform/kernel/utf.h"

namespace talix::registry {
namespace {

void StripCarriageReturn(std::u16string& line) {
  if (!line.empty() && line.back() == u'\r') line.pop_back();
}

bool CheckNoNul(const std::vector<std::u16string>& lines, RegFileError* error) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(u'\0') != std::u16string::npos) {
      *error = {i + 1, "NUL character in the text"};
      return false;
    }
  }
  return true;
}

bool DecodeUtf16Lines(std::string_view bytes, std::vector<std::u16string>* lines, RegFileError* error) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  // Some writers end the file with NUL characters; they carry nothing.
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  size_t start = 0;
  while (true) {
    size_t end = text.find(u'\n', start);
    lines->emplace_back(text.substr(start, end == std::u16string::npos ? end : end - start));
    StripCarriageReturn(lines->back());
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  if (bytes.size() % 2 != 0) {
    *error = {lines->size(), "the file ends in the middle of a UTF-16 character"};
    return false;
  }
  return CheckNoNul(*lines, error);
}

bool DecodeUtf8Lines(std::string_view bytes, std::vector<std::u16string>* lines, RegFileError* error) {
  static constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
  size_t start = 0;
  while (true) {
    size_t end = bytes.find('\n', start);
    std::string_view raw = bytes.substr(start, end == std::string_view::npos ? end : end - start);
    lines->push_back(FromUtf8(raw));
    StripCarriageReturn(lines->back());
    // The converter turns malformed input into U+FFFD; one not written as such is an error.
    if (lines->back().find(u'\uFFFD') != std::u16string::npos &&
        raw.find(kReplacementUtf8) == std::string_view::npos) {
      *error = {lines->size(), "malformed UTF-8"};
      return false;
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return CheckNoNul(*lines, error);
}

}  // namespace

std::string FormatRegFileError(const RegFileError& error) {
  if (error.line == 0) return error.message;
  return "line " + std::to_string(error.line) + ": " + error.message;
}

bool DecodeRegLines(std::string_view bytes, std::vector<std::u16string>* lines, RegFileError* error) {
  lines->clear();
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
    return DecodeUtf16Lines(bytes.substr(2), lines, error);
  if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
    *error = {1, "big-endian UTF-16 is not supported; use UTF-16LE or UTF-8"};
    return false;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return DecodeUtf8Lines(bytes, lines, error);
}

std::string EncodeUtf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace talix::registry
