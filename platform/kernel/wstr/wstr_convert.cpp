// MultiByteToWideChar and WideCharToMultiByte. Every narrow code page the library can
// name (ANSI, OEM, thread, UTF-8) is UTF-8 here, as on a Windows system set to code page
// 65001; the rules for CP_UTF8 therefore apply to all of them.
#include <win/wstr.h>

#include <string>
#include <string_view>

#include "platform/kernel/utf.h"

namespace {

bool IsUtf8CodePage(UINT code_page) {
  return code_page == CP_UTF8 || code_page == CP_ACP || code_page == CP_OEMCP ||
         code_page == CP_THREAD_ACP;
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Checks what both directions share; returns 0 when the call may go on, else the error.
DWORD CheckCall(UINT code_page, const void* input, int input_length, const void* output,
                int output_length) {
  if (!IsUtf8CodePage(code_page)) return ERROR_INVALID_PARAMETER;
  if (!input || input_length == 0 || input_length < -1 || output_length < 0) return ERROR_INVALID_PARAMETER;
  if (output_length > 0 && !output) return ERROR_INVALID_PARAMETER;
  if (output && input == output) return ERROR_INVALID_PARAMETER;
  return 0;
}

// Stores the converted text, or reports its size when output_length is 0.
template <typename Text, typename Unit>
int Deliver(const Text& text, Unit* output, int output_length) {
  if (text.size() > static_cast<size_t>(INT32_MAX)) return Fail(ERROR_INVALID_PARAMETER);
  int length = static_cast<int>(text.size());
  if (output_length == 0) return length;
  if (length > output_length) return Fail(ERROR_INSUFFICIENT_BUFFER);
  for (int i = 0; i < length; ++i) output[i] = text[i];
  return length;
}

}  // namespace

UINT GetACP(void) { return CP_UTF8; }
UINT GetOEMCP(void) { return CP_UTF8; }

int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR multi_byte, int multi_byte_length,
                        LPWSTR wide, int wide_length) {
  if (DWORD error = CheckCall(code_page, multi_byte, multi_byte_length, wide, wide_length)) return Fail(error);
  if (flags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS)) return Fail(ERROR_INVALID_FLAGS);
  size_t length = multi_byte_length < 0 ? std::char_traits<char>::length(multi_byte) + 1 : multi_byte_length;
  std::string_view input(multi_byte, length);
  std::u16string text;
  text.reserve(length);
  for (size_t i = 0; i < input.size();) {
    bool valid;
    char32_t c = talix::DecodeUtf8(input, i, &valid);
    if (!valid && (flags & MB_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    if (c >= 0x10000) {
      text += static_cast<WCHAR>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<WCHAR>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      text += static_cast<WCHAR>(c);
    }
  }
  return Deliver(text, wide, wide_length);
}

int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR wide, int wide_length, LPSTR multi_byte,
                        int multi_byte_length, LPCSTR default_char, LPBOOL used_default_char) {
  if (DWORD error = CheckCall(code_page, wide, wide_length, multi_byte, multi_byte_length)) return Fail(error);
  if (flags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) return Fail(ERROR_INVALID_FLAGS);
  if (default_char || used_default_char) return Fail(ERROR_INVALID_PARAMETER);
  size_t length = wide_length < 0 ? wcslen(wide) + 1 : wide_length;
  std::u16string_view input(wide, length);
  std::string text;
  text.reserve(length);
  char bytes[4];
  for (size_t i = 0; i < input.size();) {
    bool valid;
    char32_t c = talix::DecodeUtf16(input, i, &valid);
    if (!valid && (flags & WC_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    text.append(bytes, talix::EncodeUtf8(c, bytes));
  }
  return Deliver(text, multi_byte, multi_byte_length);
}
