#include "platform/kernel/path.h"

#include "platform/kernel/utf.h"

namespace talix {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

std::string WinPathToHost(std::u16string_view path) {
  if (path.empty()) return {};
  std::u16string_view rest = path;
  // "\\?\" long-path prefix: the rest is an ordinary path.
  if (rest.size() >= 4 && rest.substr(0, 4) == u"\\\\?\\") rest.remove_prefix(4);
  std::u16string converted;
  if (rest.size() >= 2 && rest[1] == u':') {
    char16_t drive = rest[0];
    if (drive != u'Z' && drive != u'z') return {};
    rest.remove_prefix(2);
    converted = u"/";
    while (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
  }
  for (char16_t c : rest) converted += IsSeparator(c) ? u'/' : c;
  return ToUtf8(converted);
}

std::string WinPathToHost(const WCHAR* path) {
  return path ? WinPathToHost(std::u16string_view(path)) : std::string();
}

std::u16string HostPathToWin(std::string_view hostPath) {
  std::u16string wide = FromUtf8(hostPath);
  std::u16string out;
  if (!wide.empty() && wide[0] == u'/') {
    out = u"Z:";
  }
  for (char16_t c : wide) out += c == u'/' ? u'\\' : c;
  if (out == u"Z:") out += u'\\';
  return out;
}

}  // namespace talix
