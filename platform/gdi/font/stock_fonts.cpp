// The stock fonts. SYSTEM_FONT's cell is the screen parameters' system font, followed
// as they change (7x16 by default: lfWidth 7, lfHeight 16); the others are the usual UI faces at the usual
// sizes. The host can redescribe any of them (talix/host_fonts.h).
#include "platform/gdi/font/font_object.h"
#include "platform/gdi/objects/stock_objects.h"

#include <talix/host_fonts.h>
#include <talix/host_screen.h>
#include <win/wstr.h>

namespace talix::gdi {

namespace {

bool IsStockFontIndex(int index) {
  return index >= OEM_FIXED_FONT && index <= DEFAULT_GUI_FONT && index != DEFAULT_PALETTE;
}

LOGFONTW MakeLogFont(LONG height, LONG width, LONG weight, BYTE pitch, const WCHAR* face) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfWeight = weight;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfPitchAndFamily = pitch;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return lf;
}

LOGFONTW DefaultStockLogFont(int index) {
  const auto& screen = host::GetScreenParams();
  switch (index) {
    case SYSTEM_FONT:
      return MakeLogFont(screen.systemFontHeight, screen.systemFontWidth, FW_BOLD,
                         VARIABLE_PITCH | FF_SWISS, u"System");
    case DEFAULT_GUI_FONT:
      return MakeLogFont(-11, 0, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"MS Shell Dlg");
    case ANSI_VAR_FONT:
      return MakeLogFont(12, 9, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"MS Sans Serif");
    case DEVICE_DEFAULT_FONT:
      return MakeLogFont(16, 7, FW_BOLD, VARIABLE_PITCH | FF_SWISS, u"System");
    case SYSTEM_FIXED_FONT:
      return MakeLogFont(16, 8, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Fixedsys");
    case ANSI_FIXED_FONT:
      return MakeLogFont(12, 9, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Courier");
    default:  // OEM_FIXED_FONT
      return MakeLogFont(12, 8, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Terminal");
  }
}

LOGFONTW SystemFontNow() { return DefaultStockLogFont(SYSTEM_FONT); }

// The stock fonts exist from the start, like the other stock objects a new DC holds, so
// counts of live objects do not change when the first DC is made.
[[maybe_unused]] const bool kStockFontsMade = [] {
  GetStockObject(SYSTEM_FONT);
  return true;
}();

}  // namespace

HGDIOBJ CreateStockFont(int index) {
  if (!IsStockFontIndex(index)) return nullptr;
  auto font = std::make_shared<FontObject>(DefaultStockLogFont(index));
  if (index == SYSTEM_FONT) font->SetLogFontSource(&SystemFontNow);
  return AddGdiObject(std::move(font));
}

}  // namespace talix::gdi

namespace talix::host {

bool SetStockFont(int index, const LOGFONTW& logfont) {
  if (!gdi::IsStockFontIndex(index)) return false;
  auto* font = gdi::PeekGdiObject<gdi::FontObject>(GetStockObject(index), OBJ_FONT);
  if (!font) return false;
  LOGFONTW copy = logfont;
  copy.lfFaceName[LF_FACESIZE - 1] = 0;
  font->SetLogFont(copy);
  return true;
}

void ResetStockFonts() {
  for (int index = OEM_FIXED_FONT; index <= DEFAULT_GUI_FONT; ++index)
    if (gdi::IsStockFontIndex(index)) SetStockFont(index, gdi::DefaultStockLogFont(index));
  if (auto* font = gdi::PeekGdiObject<gdi::FontObject>(GetStockObject(SYSTEM_FONT), OBJ_FONT))
    font->SetLogFontSource(&gdi::SystemFontNow);
}

}  // namespace talix::host
