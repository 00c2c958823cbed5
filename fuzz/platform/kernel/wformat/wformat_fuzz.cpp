// Fuzzes the wide printf family. The input is read as a small program that builds a
// format from a restricted grammar: every conversion it emits matches the type of the
// argument slot it will consume, so the harness itself never reads a vararg of the
// wrong type. The same format then runs through every counted function with buffers of
// exactly the given size, and their results must agree with the full text.
#include <win/wstr.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint64_t Bytes(int n) {
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | Byte();
    return v;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// The argument slots, always passed in this order and with these types.
enum class Slot { kInt, kLongLong, kSize, kDouble, kLongDouble, kWide, kNarrow, kPointer };
constexpr Slot kSlots[] = {Slot::kInt,    Slot::kInt,    Slot::kLongLong, Slot::kDouble,
                           Slot::kWide,   Slot::kNarrow, Slot::kInt,      Slot::kSize,
                           Slot::kDouble, Slot::kPointer, Slot::kWide,    Slot::kLongDouble,
                           Slot::kInt,    Slot::kNarrow};
constexpr size_t kSlotCount = sizeof(kSlots) / sizeof(kSlots[0]);

struct Arguments {
  int ints[kSlotCount] = {};
  long long long_longs[kSlotCount] = {};
  size_t sizes[kSlotCount] = {};
  double doubles[kSlotCount] = {};
  long double long_doubles[kSlotCount] = {};
  std::u16string wide[kSlotCount];
  std::string narrow[kSlotCount];
  bool null_text[kSlotCount] = {};
  const WCHAR* Wide(size_t i) const { return null_text[i] ? nullptr : wide[i].c_str(); }
  const char* Narrow(size_t i) const { return null_text[i] ? nullptr : narrow[i].c_str(); }
};

const char* Pick(Input& in, std::initializer_list<const char*> choices) {
  return choices.begin()[in.Byte() % choices.size()];
}

// A conversion letter with a size prefix that suits the slot's type.
std::string ConversionFor(Slot slot, Input& in) {
  std::string size, letter;
  switch (slot) {
    case Slot::kInt:
      if (in.Byte() & 1) return std::string(Pick(in, {"", "h", "l", "w"})) + Pick(in, {"c", "C"});
      return std::string(Pick(in, {"", "h", "hh", "l", "I32"})) + Pick(in, {"d", "i", "u", "o", "x", "X"});
    case Slot::kLongLong: return std::string(Pick(in, {"ll", "I64", "j"})) + Pick(in, {"d", "i", "u", "o", "x", "X"});
    case Slot::kSize: return std::string(Pick(in, {"z", "I", "t"})) + Pick(in, {"d", "u", "x"});
    case Slot::kDouble: return Pick(in, {"e", "E", "f", "F", "g", "G", "a", "A", "le", "lf", "lg"});
    case Slot::kLongDouble: return std::string("L") + Pick(in, {"e", "f", "g", "a"});
    case Slot::kWide: return Pick(in, {"s", "ls", "ws", "lS", "wS"});
    case Slot::kNarrow: return Pick(in, {"S", "hs", "hS"});
    case Slot::kPointer: return "p";
  }
  return "%";
}

std::string Number(Input& in) {
  uint8_t b = in.Byte();
  if (b == 255) return "1000000000";  // occasionally far past any buffer
  return std::to_string(b % 40);
}

// Builds the format; '*' consumes an int slot, so it is used only when the current slot
// is one and the conversion then takes the next slot.
std::u16string BuildFormat(Input& in, Arguments& args) {
  std::u16string format;
  size_t slot = 0;
  while (!in.empty() && format.size() < 200) {
    uint8_t op = in.Byte();
    if (op < 96) {  // literal text, any unit but '%' and the terminator
      WCHAR c = static_cast<WCHAR>(op < 64 ? u'a' + op % 26 : in.Bytes(2));
      format += (c == u'%' || c == 0) ? u'.' : c;
      continue;
    }
    if (op < 104) {
      format += u"%%";
      continue;
    }
    if (slot >= kSlotCount) break;
    std::string spec = "%";
    spec += Pick(in, {"", "-", "+", " ", "#", "0", "-0", "+ #", "#0"});
    if ((op & 3) == 1 && kSlots[slot] == Slot::kInt && slot + 1 < kSlotCount) {
      spec += "*";
      args.ints[slot] = static_cast<int8_t>(in.Byte());
      ++slot;
    } else if (op & 2) {
      spec += Number(in);
    }
    if ((op & 12) == 4 && kSlots[slot] == Slot::kInt && slot + 1 < kSlotCount) {
      spec += ".*";
      args.ints[slot] = static_cast<int8_t>(in.Byte());
      ++slot;
    } else if (op & 8) {
      spec += "." + Number(in);
    }
    spec += ConversionFor(kSlots[slot], in);
    ++slot;
    for (char c : spec) format += static_cast<WCHAR>(c);
  }
  return format;
}

void FillArguments(Input& in, Arguments& args) {
  for (size_t i = 0; i < kSlotCount; ++i) {
    args.ints[i] = static_cast<int>(in.Bytes(4));
    args.long_longs[i] = static_cast<long long>(in.Bytes(8));
    args.sizes[i] = static_cast<size_t>(in.Bytes(8));
    uint64_t bits = in.Bytes(8);
    std::memcpy(&args.doubles[i], &bits, sizeof bits);
    args.long_doubles[i] = args.doubles[i];
    size_t length = in.Byte() % 12;
    for (size_t k = 0; k < length; ++k) {
      WCHAR c = static_cast<WCHAR>(in.Bytes(2));
      args.wide[i] += c ? c : u'?';
      char b = static_cast<char>(in.Byte());
      args.narrow[i] += b ? b : '?';
    }
    args.null_text[i] = (in.Byte() & 7) == 0;
  }
}

// Every slot is passed whether or not the format consumes it; surplus arguments are
// ignored, as the language allows.
#define TALIX_ALL_SLOTS(a)                                                                     \
  (a).ints[0], (a).ints[1], (a).long_longs[2], (a).doubles[3], (a).Wide(4), (a).Narrow(5),      \
      (a).ints[6], (a).sizes[7], (a).doubles[8], reinterpret_cast<void*>((a).sizes[9]),           \
      (a).Wide(10), (a).long_doubles[11], (a).ints[12], (a).Narrow(13)

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  size_t count = in.Byte();
  Arguments args;
  FillArguments(in, args);
  std::u16string format = BuildFormat(in, args);
  const WCHAR* f = format.c_str();

  int full_length = _scwprintf(f, TALIX_ALL_SLOTS(args));
  if (full_length < 0) return 0;  // longer than an int can report: nothing to compare
  std::vector<WCHAR> full(std::min(full_length, 1 << 16) + 1);
  int stored = _snwprintf(full.data(), full.size(), f, TALIX_ALL_SLOTS(args));
  Check(full_length < static_cast<int>(full.size()) ? stored == full_length : stored == -1);

  // Buffers of exactly count units, so a write past them is caught.
  std::vector<WCHAR> buffer(count);
  WCHAR* b = count ? buffer.data() : nullptr;
  int result = _snwprintf(b, count, f, TALIX_ALL_SLOTS(args));
  if (b) {
    size_t expected = std::min<size_t>(full_length, count);
    Check(result == (full_length <= static_cast<int>(count) ? full_length : -1));
    Check(std::memcmp(buffer.data(), full.data(), std::min(expected, full.size()) * sizeof(WCHAR)) == 0);
    result = swprintf(b, count, f, TALIX_ALL_SLOTS(args));
    Check(result == (full_length < static_cast<int>(count) ? full_length : -1));
    Check(wcsnlen(b, count) < count);
    _snwprintf_s(b, count, _TRUNCATE, f, TALIX_ALL_SLOTS(args));
    Check(wcsnlen(b, count) < count);
    _snwprintf_s(b, count, in.Byte(), f, TALIX_ALL_SLOTS(args));
    Check(wcsnlen(b, count) < count);
  }
  std::vector<WCHAR> wsprintf_buffer(1024);
  result = wsprintfW(wsprintf_buffer.data(), f, TALIX_ALL_SLOTS(args));
  Check(result == std::min(full_length, 1023) && wsprintf_buffer[result] == 0);
  return 0;
}
