// One pass over the format: literal text is copied, each conversion reads its argument
// and is written through a sink that counts everything and stores what fits.
//
// Limits: floating-point precision stops at 512 digits; %n writes nothing.
#include "platform/kernel/wstr/format_engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/kernel/utf.h"
#include "platform/kernel/wstr/c_locale.h"

namespace talix {
namespace {

constexpr int kMaxFloatPrecision = 512;
constexpr size_t kNoPrecision = static_cast<size_t>(-1);

class Sink {
 public:
  Sink(WCHAR* buffer, size_t capacity) : buffer_(buffer), capacity_(buffer ? capacity : 0) {}

  void Put(WCHAR c) {
    if (length_ < capacity_) buffer_[length_] = c;
    ++length_;
  }
  void Repeat(WCHAR c, size_t count) {
    size_t stored = length_ < capacity_ ? std::min(count, capacity_ - length_) : 0;
    for (size_t i = 0; i < stored; ++i) buffer_[length_ + i] = c;
    length_ += count;
  }
  void PutAscii(std::string_view text) {
    for (char c : text) Put(static_cast<WCHAR>(static_cast<unsigned char>(c)));
  }
  size_t length() const { return length_; }

 private:
  WCHAR* buffer_;
  size_t capacity_;
  size_t length_ = 0;
};

enum class Size { kDefault, kChar, kShort, kLong, kLongLong, kPointer, kLongDouble, kWide };

struct Spec {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  bool zero = false;
  size_t width = 0;
  size_t precision = kNoPrecision;
  Size size = Size::kDefault;
  WCHAR conversion = 0;
};

// A field: prefix (sign, "0x"), zeros, body, padded to the width.
void EmitField(Sink& out, const Spec& spec, std::string_view prefix, size_t zeros,
               const WCHAR* body, size_t body_length, bool zero_pad) {
  size_t length = prefix.size() + zeros + body_length;
  size_t pad = spec.width > length ? spec.width - length : 0;
  if (!spec.left && !zero_pad) out.Repeat(u' ', pad);
  out.PutAscii(prefix);
  out.Repeat(u'0', zeros + (!spec.left && zero_pad ? pad : 0));
  for (size_t i = 0; i < body_length; ++i) out.Put(body[i]);
  if (spec.left) out.Repeat(u' ', pad);
}

size_t ReadNumber(const WCHAR*& p) {
  size_t value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) value = std::min<size_t>(value * 10 + (*p - u'0'), 0x7FFFFFFF);
  return value;
}

void ParseFlags(const WCHAR*& p, Spec& spec) {
  for (;; ++p) {
    switch (*p) {
      case u'-': spec.left = true; break;
      case u'+': spec.plus = true; break;
      case u' ': spec.space = true; break;
      case u'#': spec.alternate = true; break;
      case u'0': spec.zero = true; break;
      default: return;
    }
  }
}

void ParseWidthAndPrecision(const WCHAR*& p, Spec& spec, va_list& args) {
  if (*p == u'*') {
    ++p;
    int width = va_arg(args, int);
    if (width < 0) spec.left = true;
    spec.width = width < 0 ? 0 - static_cast<size_t>(static_cast<long long>(width)) : width;
  } else {
    spec.width = ReadNumber(p);
  }
  if (*p != u'.') return;
  ++p;
  if (*p == u'*') {
    ++p;
    int precision = va_arg(args, int);
    spec.precision = precision < 0 ? kNoPrecision : static_cast<size_t>(precision);
  } else {
    spec.precision = ReadNumber(p);
  }
}

void ParseSize(const WCHAR*& p, Spec& spec) {
  switch (*p) {
    case u'h':
      ++p;
      spec.size = *p == u'h' ? (++p, Size::kChar) : Size::kShort;
      return;
    case u'l':
      ++p;
      spec.size = *p == u'l' ? (++p, Size::kLongLong) : Size::kLong;
      return;
    case u'L': ++p; spec.size = Size::kLongDouble; return;
    case u'w': ++p; spec.size = Size::kWide; return;
    case u'j': ++p; spec.size = Size::kLongLong; return;
    case u'z':
    case u't': ++p; spec.size = Size::kPointer; return;
    case u'I':
      if (p[1] == u'6' && p[2] == u'4') {
        p += 3;
        spec.size = Size::kLongLong;
      } else if (p[1] == u'3' && p[2] == u'2') {
        p += 3;
        spec.size = Size::kLong;
      } else {
        ++p;
        spec.size = Size::kPointer;
      }
      return;
    default: return;
  }
}

unsigned long long ReadUnsigned(const Spec& spec, va_list& args) {
  switch (spec.size) {
    case Size::kChar: return static_cast<unsigned char>(va_arg(args, unsigned int));
    case Size::kShort: return static_cast<unsigned short>(va_arg(args, unsigned int));
    case Size::kLongLong: return va_arg(args, unsigned long long);
    case Size::kPointer: return va_arg(args, size_t);
    default: return va_arg(args, unsigned int);  // "l" is 32 bits, as on Windows
  }
}

long long ReadSigned(const Spec& spec, va_list& args) {
  switch (spec.size) {
    case Size::kChar: return static_cast<signed char>(va_arg(args, int));
    case Size::kShort: return static_cast<short>(va_arg(args, int));
    case Size::kLongLong: return va_arg(args, long long);
    case Size::kPointer: return va_arg(args, ptrdiff_t);
    default: return va_arg(args, int);
  }
}

void FormatInteger(Sink& out, const Spec& spec, va_list& args) {
  WCHAR c = spec.conversion;
  bool is_signed = c == u'd' || c == u'i';
  unsigned long long magnitude;
  std::string_view prefix;
  if (is_signed) {
    long long value = ReadSigned(spec, args);
    magnitude = value < 0 ? 0 - static_cast<unsigned long long>(value) : value;
    prefix = value < 0 ? "-" : spec.plus ? "+" : spec.space ? " " : "";
  } else {
    magnitude = ReadUnsigned(spec, args);
  }
  unsigned base = c == u'o' ? 8 : (c == u'x' || c == u'X') ? 16 : 10;
  const char* digit_chars = c == u'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  WCHAR digits[24];
  size_t n = 0;
  for (unsigned long long v = magnitude; v; v /= base) digits[n++] = digit_chars[v % base];
  std::reverse(digits, digits + n);
  size_t precision = spec.precision == kNoPrecision ? 1 : spec.precision;
  size_t zeros = precision > n ? precision - n : 0;
  if (spec.alternate && base == 8 && zeros == 0 && (n == 0 || digits[0] != u'0')) zeros = 1;
  if (spec.alternate && base == 16 && magnitude != 0) prefix = c == u'X' ? "0X" : "0x";
  bool zero_pad = spec.zero && spec.precision == kNoPrecision;
  EmitField(out, spec, prefix, zeros, digits, n, zero_pad);
}

void FormatPointer(Sink& out, Spec spec, va_list& args) {
  // Windows prints all sixteen hex digits of the address in upper case, without "0x".
  spec.conversion = u'X';
  spec.size = Size::kPointer;
  spec.alternate = false;
  if (spec.precision == kNoPrecision) spec.precision = 2 * sizeof(void*);
  FormatInteger(out, spec, args);
}

void FormatFloat(Sink& out, const Spec& spec, va_list& args) {
  char format[16];
  char* f = format;
  *f++ = '%';
  if (spec.plus) *f++ = '+';
  if (spec.space) *f++ = ' ';
  if (spec.alternate) *f++ = '#';
  *f++ = '.';
  *f++ = '*';
  bool long_double = spec.size == Size::kLongDouble;
  if (long_double) *f++ = 'L';
  *f++ = static_cast<char>(spec.conversion);
  *f = 0;
  // %a without a precision prints the exact value; the others default to 6.
  int precision = spec.precision == kNoPrecision
                      ? (spec.conversion == u'a' || spec.conversion == u'A' ? -1 : 6)
                      : static_cast<int>(std::min<size_t>(spec.precision, kMaxFloatPrecision));
  // Large enough for LDBL_MAX in %f (4933 digits) with the capped precision.
  static constexpr size_t kTextSize = 5600;
  char text[kTextSize];
  int length;
  {
    ScopedCLocale c_locale;
    length = long_double ? std::snprintf(text, kTextSize, format, precision, va_arg(args, long double))
                         : std::snprintf(text, kTextSize, format, precision, va_arg(args, double));
  }
  if (length < 0) return;
  std::string_view all(text, std::min<size_t>(length, kTextSize - 1));
  // The sign and any "0x" stay in front of zero padding.
  size_t prefix_length = (!all.empty() && (all[0] == '-' || all[0] == '+' || all[0] == ' ')) ? 1 : 0;
  if (all.size() > prefix_length + 1 && all[prefix_length] == '0' &&
      (all[prefix_length + 1] == 'x' || all[prefix_length + 1] == 'X')) {
    prefix_length += 2;
  }
  WCHAR body[kTextSize];
  size_t body_length = all.size() - prefix_length;
  for (size_t i = 0; i < body_length; ++i) body[i] = static_cast<unsigned char>(all[prefix_length + i]);
  bool finite = body_length && body[0] >= u'0' && body[0] <= u'9';
  EmitField(out, spec, all.substr(0, prefix_length), 0, body, body_length, spec.zero && finite);
}

// %s, %c and their narrow forms. Narrow text is UTF-8; a precision counts output units
// and also bounds how far an unterminated source is read.
bool IsNarrowText(const Spec& spec) {
  if (spec.size == Size::kShort) return true;
  if (spec.size == Size::kLong || spec.size == Size::kWide) return false;
  return spec.conversion == u'S' || spec.conversion == u'C';
}

void EmitText(Sink& out, const Spec& spec, std::u16string_view text) {
  // Windows pads strings with zeros too when the 0 flag is given.
  size_t length = std::min(text.size(), spec.precision);
  EmitField(out, spec, "", 0, text.data(), length, spec.zero);
}

void FormatNarrowString(Sink& out, const Spec& spec, const char* s) {
  size_t bytes = s ? strnlen(s, spec.precision) : 6;
  std::u16string text = FromUtf8(std::string_view(s ? s : "(null)", bytes));
  EmitText(out, spec, text);
}

void FormatString(Sink& out, const Spec& spec, va_list& args) {
  if (IsNarrowText(spec)) return FormatNarrowString(out, spec, va_arg(args, const char*));
  const WCHAR* s = va_arg(args, const WCHAR*);
  if (!s) s = u"(null)";
  size_t length = 0;
  while (length < spec.precision && s[length]) ++length;
  EmitText(out, spec, std::u16string_view(s, length));
}

void FormatChar(Sink& out, Spec spec, va_list& args) {
  int value = va_arg(args, int);
  spec.precision = kNoPrecision;
  if (IsNarrowText(spec)) {
    char c = static_cast<char>(value);
    return EmitText(out, spec, FromUtf8(std::string_view(&c, 1)));
  }
  WCHAR c = static_cast<WCHAR>(value);
  EmitText(out, spec, std::u16string_view(&c, 1));
}

void FormatConversion(Sink& out, const Spec& spec, va_list& args) {
  switch (spec.conversion) {
    case u'd': case u'i': case u'u': case u'o': case u'x': case u'X':
      return FormatInteger(out, spec, args);
    case u'e': case u'E': case u'f': case u'F': case u'g': case u'G': case u'a': case u'A':
      return FormatFloat(out, spec, args);
    case u's': case u'S': return FormatString(out, spec, args);
    case u'c': case u'C': return FormatChar(out, spec, args);
    case u'p': return FormatPointer(out, spec, args);
    case u'n': (void)va_arg(args, void*); return;  // writing counts back is not supported
    default: out.Put(spec.conversion); return;     // "%%" and unknown letters print as is
  }
}

}  // namespace

size_t FormatWide(WCHAR* buffer, size_t capacity, const WCHAR* format, va_list args_in) {
  Sink out(buffer, capacity);
  va_list args;
  va_copy(args, args_in);
  for (const WCHAR* p = format; *p;) {
    if (*p != u'%') {
      out.Put(*p++);
      continue;
    }
    ++p;
    Spec spec;
    ParseFlags(p, spec);
    ParseWidthAndPrecision(p, spec, args);
    ParseSize(p, spec);
    if (!*p) break;
    spec.conversion = *p++;
    FormatConversion(out, spec, args);
  }
  va_end(args);
  return out.length();
}

}  // namespace talix
