// KVNL.dll stand-in: answers from KVNL.ini beside the module.
//
// KVNL.ini holds UTF-8 "Key=Value" lines: UIManufacturer, PhoneManufacturers (names
// separated by ';'), VariantID and KVNL. A missing key makes its function return null
// (or 0). The file is read again when the iteration starts and at every maker query, so
// a module that the loader keeps mapped after FreeLibrary still answers from the file.
// Builds with KVNL_WITHOUT_<FUNCTION> defined leave that export out.
#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#define KVNL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::u16string FromUtf8(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = text[i];
    char32_t cp = c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < text.size(); ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
    i += extra + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::map<std::string, std::u16string> ReadIni() {
  std::map<std::string, std::u16string> values;
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&ReadIni), &info) || !info.dli_fname) return values;
  std::string path = info.dli_fname;
  path = path.substr(0, path.find_last_of('/') + 1) + "KVNL.ini";
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = FromUtf8(line.substr(equals + 1));
  }
  return values;
}

struct State {
  std::map<std::string, std::u16string> values;
  std::vector<std::u16string> makers;
  size_t next = 0;

  void Reload() {
    values = ReadIni();
    makers.clear();
    auto it = values.find("PhoneManufacturers");
    if (it == values.end()) return;
    std::u16string list = it->second;
    for (size_t start = 0; start <= list.size();) {
      size_t end = list.find(u';', start);
      if (end == std::u16string::npos) end = list.size();
      if (end > start) makers.push_back(list.substr(start, end - start));
      start = end + 1;
    }
  }
  const char16_t* Text(const char* key) {
    auto it = values.find(key);
    return it == values.end() ? nullptr : it->second.c_str();
  }
};

[[maybe_unused]] State& Data() {
  static State state;
  return state;
}

}  // namespace

#ifndef KVNL_WITHOUT_UI_MANUFACTURER
KVNL_EXPORT const char16_t* GetUIManufacturer() {
  Data().Reload();
  return Data().Text("UIManufacturer");
}
#endif

#ifndef KVNL_WITHOUT_FIRST_PHONE_MANUFACTURER
KVNL_EXPORT const char16_t* GetFirstPhoneManufacturer() {
  State& state = Data();
  state.Reload();
  state.next = 0;
  return state.makers.empty() ? nullptr : state.makers[state.next++].c_str();
}
#endif

#ifndef KVNL_WITHOUT_NEXT_PHONE_MANUFACTURER
KVNL_EXPORT const char16_t* GetNextPhoneManufacturer() {
  State& state = Data();
  return state.next < state.makers.size() ? state.makers[state.next++].c_str() : nullptr;
}
#endif

#ifndef KVNL_WITHOUT_VARIANT_ID
KVNL_EXPORT unsigned short KVNL_GetVariantID() {
  Data().Reload();
  const char16_t* text = Data().Text("VariantID");
  unsigned value = 0;
  for (; text && *text >= u'0' && *text <= u'9'; ++text) value = value * 10 + (*text - u'0');
  return static_cast<unsigned short>(value);
}
#endif

#ifndef KVNL_WITHOUT_KVNL
KVNL_EXPORT const char16_t* GetKVNL() {
  Data().Reload();
  return Data().Text("KVNL");
}
#endif
