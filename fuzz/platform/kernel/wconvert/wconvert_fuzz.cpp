// Fuzzes MultiByteToWideChar and WideCharToMultiByte with every code page and flag the
// library may pass (and some it must reject), input lengths explicit or -1, and output
// buffers of exactly the fuzzed size. Checks: sizes agree with the size query, nothing
// is written past the buffer, and valid text round-trips UTF-8 -> UTF-16 -> UTF-8.
#include <win/wstr.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

constexpr UINT kCodePages[] = {CP_UTF8, CP_ACP, CP_OEMCP, CP_THREAD_ACP, 1252, CP_UTF8};
constexpr DWORD kToWideFlags[] = {0, MB_ERR_INVALID_CHARS, 0, MB_PRECOMPOSED, 0x1000};
constexpr DWORD kToNarrowFlags[] = {0, WC_ERR_INVALID_CHARS, 0, WC_NO_BEST_FIT_CHARS};

// Converts with an exactly sized buffer; returns the result of the call.
int ToWide(UINT code_page, DWORD flags, const char* text, int length, int out_size, std::u16string* out) {
  std::vector<WCHAR> buffer(out_size);
  int n = MultiByteToWideChar(code_page, flags, text, length, out_size ? buffer.data() : nullptr, out_size);
  if (n > 0 && out_size) out->assign(buffer.data(), n);
  return n;
}

int ToNarrow(UINT code_page, DWORD flags, const WCHAR* text, int length, int out_size, std::string* out) {
  std::vector<char> buffer(out_size);
  int n = WideCharToMultiByte(code_page, flags, text, length, out_size ? buffer.data() : nullptr, out_size,
                              nullptr, nullptr);
  if (n > 0 && out_size) out->assign(buffer.data(), n);
  return n;
}

void FuzzUtf8Input(const uint8_t* data, size_t size, uint8_t control, uint8_t out_size) {
  UINT code_page = kCodePages[control % 6];
  DWORD flags = kToWideFlags[(control >> 3) % 5];
  bool terminated = control & 0x80;
  std::string text(reinterpret_cast<const char*>(data), size);
  if (terminated) text = text.c_str();  // up to the first null
  int length = terminated ? -1 : static_cast<int>(text.size());

  int needed = MultiByteToWideChar(code_page, flags, text.c_str(), length, nullptr, 0);
  std::u16string wide;
  int n = ToWide(code_page, flags, text.c_str(), length, out_size, &wide);
  if (needed == 0) {
    Check(n == 0);
    return;
  }
  Check(n == (out_size == 0 || needed <= out_size ? needed : 0));  // size 0 is a size query

  // Strict conversion succeeds exactly for valid UTF-8, which must then come back intact.
  int strict = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), length, nullptr, 0);
  if (strict == 0) return;
  ToWide(CP_UTF8, 0, text.c_str(), length, needed, &wide);
  std::string back;
  int back_needed = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), needed, nullptr, 0, nullptr, nullptr);
  Check(back_needed > 0);
  ToNarrow(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), needed, back_needed, &back);
  std::string expected = terminated ? text + '\0' : text;
  Check(back == expected);
}

void FuzzUtf16Input(const uint8_t* data, size_t size, uint8_t control, uint8_t out_size) {
  UINT code_page = kCodePages[control % 6];
  DWORD flags = kToNarrowFlags[(control >> 3) % 4];
  bool terminated = control & 0x80;
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<WCHAR>(data[i] | data[i + 1] << 8);
  if (terminated) text = text.c_str();
  int length = terminated ? -1 : static_cast<int>(text.size());

  int needed = WideCharToMultiByte(code_page, flags, text.c_str(), length, nullptr, 0, nullptr, nullptr);
  std::string narrow;
  int n = ToNarrow(code_page, flags, text.c_str(), length, out_size, &narrow);
  if (needed == 0) {
    Check(n == 0);
    return;
  }
  Check(n == (out_size == 0 || needed <= out_size ? needed : 0));  // size 0 is a size query
  // Whatever went in, the UTF-8 that comes out is valid and converts back strictly.
  std::string all;
  ToNarrow(CP_UTF8, 0, text.c_str(), length, WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, nullptr, 0,
                                                                 nullptr, nullptr),
           &all);
  Check(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, all.data(), static_cast<int>(all.size()), nullptr, 0) > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  uint8_t direction = data[0], control = data[1], out_size = data[2];
  if (direction & 1) {
    FuzzUtf16Input(data + 3, size - 3, control, out_size);
  } else {
    FuzzUtf8Input(data + 3, size - 3, control, out_size);
  }
  return 0;
}
