// CStrColorLoader: parsing and caching of colour texts.
#include "frame/StrColorLoader.h"

#include <cstdint>

namespace talix::frame {
namespace {

// At most 19 characters and the terminator are read from a colour string.
constexpr int kColorTextChars = 20;

struct LoaderSlot {
  CStrColorLoader* loader = new CStrColorLoader();
  ~LoaderSlot() { delete loader; }
};

LoaderSlot& Slot() {
  static LoaderSlot slot;
  return slot;
}

// One component: the decimal digits at `text`, as a wrapping 16-bit value capped at 255.
BYTE ReadComponent(const WCHAR* text) {
  uint16_t value = 0;
  for (; text && *text >= u'0' && *text <= u'9'; ++text)
    value = static_cast<uint16_t>(value * 10u + static_cast<unsigned>(*text - u'0'));
  return static_cast<BYTE>(value > 255 ? 255 : value);
}

// The text just after the n-th comma (n >= 1), or null when there are fewer commas.
const WCHAR* AfterComma(const WCHAR* text, int n) {
  for (; *text; ++text)
    if (*text == u',' && --n == 0) return text + 1;
  return nullptr;
}

}  // namespace

CStrColorLoader* ColorLoader() { return Slot().loader; }

void DestroyColorLoader() {
  delete Slot().loader;
  Slot().loader = nullptr;
}

void RecreateColorLoader() {
  DestroyColorLoader();
  Slot().loader = new CStrColorLoader();
}

}  // namespace talix::frame

CStrColorLoader::~CStrColorLoader() = default;

COLORREF CStrColorLoader::ParseColorText(const WCHAR* text) {
  if (!text) return 0;
  BYTE red = talix::frame::ReadComponent(text);
  BYTE green = talix::frame::ReadComponent(talix::frame::AfterComma(text, 1));
  BYTE blue = talix::frame::ReadComponent(talix::frame::AfterComma(text, 2));
  return RGB(red, green, blue);
}

int CStrColorLoader::LoadColor(HINSTANCE module, UINT id, COLORREF* color) {
  // A null module would make LoadStringW search the host executable's strings.
  if (!module) return 0;
  const auto key = std::make_pair(module, id);
  auto cached = m_colors.find(key);
  if (cached == m_colors.end()) {
    WCHAR text[talix::frame::kColorTextChars] = {};
    if (LoadStringW(module, id, text, talix::frame::kColorTextChars) <= 0) return 0;
    cached = m_colors.emplace(key, ParseColorText(text)).first;
  }
  if (color) *color = cached->second;
  return 1;
}

void ResetColorCache() {
  if (talix::frame::ColorLoader()) talix::frame::RecreateColorLoader();
}
