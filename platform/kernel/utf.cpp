#include "platform/kernel/utf.h"

namespace talix {
namespace {

// The accepted range of the second byte after each lead byte; later bytes are always
// 0x80..0xBF. Excluding the ranges here rejects overlong forms, surrogates and values
// past U+10FFFF at the earliest byte possible.
struct LeadInfo {
  int length;
  unsigned char second_low;
  unsigned char second_high;
};

LeadInfo InfoOfLead(unsigned char b) {
  if (b < 0x80) return {1, 0, 0};
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

char32_t Invalid(bool* valid) {
  if (valid) *valid = false;
  return kReplacementChar;
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, size_t& i, bool* valid) {
  if (valid) *valid = true;
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char b0 = byte(i);
  LeadInfo info = InfoOfLead(b0);
  if (info.length == 1) {
    ++i;
    return b0;
  }
  if (info.length == 0) {
    ++i;
    return Invalid(valid);
  }
  char32_t c = b0 & (0x7F >> info.length);
  for (int k = 1; k < info.length; ++k) {
    unsigned char low = k == 1 ? info.second_low : 0x80;
    unsigned char high = k == 1 ? info.second_high : 0xBF;
    if (i + k >= text.size() || byte(i + k) < low || byte(i + k) > high) {
      i += k;
      return Invalid(valid);
    }
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  i += info.length;
  return c;
}

size_t EncodeUtf8(char32_t c, char out[4]) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (c >> 18));
  out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

char32_t DecodeUtf16(std::u16string_view text, size_t& i, bool* valid) {
  if (valid) *valid = true;
  char32_t c = text[i++];
  if (c < 0xD800 || c > 0xDFFF) return c;
  if (c <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
    return 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
  }
  return Invalid(valid);
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  char bytes[4];
  for (size_t i = 0; i < text.size();) out.append(bytes, EncodeUtf8(DecodeUtf16(text, i), bytes));
  return out;
}

std::string ToUtf8(const WCHAR* text) {
  return text ? ToUtf8(std::u16string_view(text)) : std::string();
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = DecodeUtf8(text, i);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

}  // namespace talix
