// System colours: the classic Windows scheme, changeable with SetSysColors.
//
// The table is constant-initialised (no constructor runs), so GetSysColor works from any
// static constructor, whatever the order of initialisation.
#include <win/sysmetrics.h>

#include <atomic>

namespace {

constexpr int kColorCount = COLOR_MENUBAR + 1;
constexpr COLORREF kNoColor = 0xFFFFFFFF;  // index 25 names no colour

// Classic scheme: 3-D faces RGB(212, 208, 200), navy captions and selection.
constinit std::atomic<COLORREF> g_colors[kColorCount] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    kNoColor,            // 25: none
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

bool NamesColor(int index) {
  return index >= 0 && index < kColorCount && index != COLOR_INFOBK + 1;
}

}  // namespace

DWORD GetSysColor(int nIndex) {
  return NamesColor(nIndex) ? g_colors[nIndex].load(std::memory_order_relaxed) : 0;
}

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues) {
  if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (int i = 0; i < cElements; ++i) {
    if (!NamesColor(lpaElements[i])) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  for (int i = 0; i < cElements; ++i)
    g_colors[lpaElements[i]].store(lpaRgbValues[i] & 0x00FFFFFF, std::memory_order_relaxed);
  return TRUE;
}
