// Defaults are those of a fresh Windows installation with the classic look: effects on,
// keyboard cues hidden until the keyboard is used, flat menus off, standard font
// smoothing (there is no ClearType), hover rectangle 4 x 4 pixels and 400 ms.
#include "platform/sysparams/simple_parameters.h"

#include <win/sysparams.h>

#include <array>
#include <atomic>
#include <cstdint>

namespace talix::sysparams {

namespace {

// Where a SET action carries its value: Windows mixes both conventions.
enum class SetFrom { None, UiParam, PvParam };

struct SimpleParameter {
  UINT get;
  UINT set;  // 0: read-only here
  SetFrom from;
  UINT initial;
};

constexpr SimpleParameter kParameters[] = {
    {SPI_GETBEEP, SPI_SETBEEP, SetFrom::UiParam, TRUE},
    {SPI_GETBORDER, 0, SetFrom::None, 1},  // follows the frame metrics, not settable
    {SPI_GETKEYBOARDSPEED, SPI_SETKEYBOARDSPEED, SetFrom::UiParam, 31},
    {SPI_GETKEYBOARDDELAY, SPI_SETKEYBOARDDELAY, SetFrom::UiParam, 1},
    {SPI_GETICONTITLEWRAP, SPI_SETICONTITLEWRAP, SetFrom::UiParam, TRUE},
    {SPI_GETMENUDROPALIGNMENT, SPI_SETMENUDROPALIGNMENT, SetFrom::UiParam, FALSE},
    {SPI_GETDRAGFULLWINDOWS, SPI_SETDRAGFULLWINDOWS, SetFrom::UiParam, TRUE},
    {SPI_GETSHOWSOUNDS, 0, SetFrom::None, FALSE},
    {SPI_GETSCREENREADER, SPI_SETSCREENREADER, SetFrom::UiParam, FALSE},
    {SPI_GETFONTSMOOTHING, SPI_SETFONTSMOOTHING, SetFrom::UiParam, TRUE},
    {SPI_GETSNAPTODEFBUTTON, SPI_SETSNAPTODEFBUTTON, SetFrom::UiParam, FALSE},
    {SPI_GETMOUSEHOVERWIDTH, SPI_SETMOUSEHOVERWIDTH, SetFrom::UiParam, 4},
    {SPI_GETMOUSEHOVERHEIGHT, SPI_SETMOUSEHOVERHEIGHT, SetFrom::UiParam, 4},
    {SPI_GETMOUSEHOVERTIME, SPI_SETMOUSEHOVERTIME, SetFrom::UiParam, 400},
    {SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES, SetFrom::UiParam, 3},
    {SPI_GETMENUSHOWDELAY, SPI_SETMENUSHOWDELAY, SetFrom::UiParam, 400},
    {SPI_GETWHEELSCROLLCHARS, SPI_SETWHEELSCROLLCHARS, SetFrom::UiParam, 3},
    {SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, SetFrom::PvParam, TRUE},
    {SPI_GETCOMBOBOXANIMATION, SPI_SETCOMBOBOXANIMATION, SetFrom::PvParam, TRUE},
    {SPI_GETLISTBOXSMOOTHSCROLLING, SPI_SETLISTBOXSMOOTHSCROLLING, SetFrom::PvParam, TRUE},
    {SPI_GETGRADIENTCAPTIONS, SPI_SETGRADIENTCAPTIONS, SetFrom::PvParam, TRUE},
    {SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, SetFrom::PvParam, FALSE},
    {SPI_GETHOTTRACKING, SPI_SETHOTTRACKING, SetFrom::PvParam, TRUE},
    {SPI_GETMENUFADE, SPI_SETMENUFADE, SetFrom::PvParam, TRUE},
    {SPI_GETSELECTIONFADE, SPI_SETSELECTIONFADE, SetFrom::PvParam, TRUE},
    {SPI_GETTOOLTIPANIMATION, SPI_SETTOOLTIPANIMATION, SetFrom::PvParam, TRUE},
    {SPI_GETTOOLTIPFADE, SPI_SETTOOLTIPFADE, SetFrom::PvParam, TRUE},
    {SPI_GETCURSORSHADOW, SPI_SETCURSORSHADOW, SetFrom::PvParam, TRUE},
    {SPI_GETFLATMENU, SPI_SETFLATMENU, SetFrom::PvParam, FALSE},
    {SPI_GETDROPSHADOW, SPI_SETDROPSHADOW, SetFrom::PvParam, TRUE},
    {SPI_GETUIEFFECTS, SPI_SETUIEFFECTS, SetFrom::PvParam, TRUE},
    {SPI_GETCLIENTAREAANIMATION, SPI_SETCLIENTAREAANIMATION, SetFrom::PvParam, TRUE},
    {SPI_GETCARETWIDTH, SPI_SETCARETWIDTH, SetFrom::PvParam, 1},
    {SPI_GETFONTSMOOTHINGTYPE, SPI_SETFONTSMOOTHINGTYPE, SetFrom::PvParam,
     FE_FONTSMOOTHINGSTANDARD},
    {SPI_GETFOCUSBORDERWIDTH, SPI_SETFOCUSBORDERWIDTH, SetFrom::PvParam, 1},
    {SPI_GETFOCUSBORDERHEIGHT, SPI_SETFOCUSBORDERHEIGHT, SetFrom::PvParam, 1},
};
constexpr size_t kCount = sizeof kParameters / sizeof kParameters[0];

// Current values, index for index with kParameters; constant-initialised, so usable
// during static initialisation.
struct Values {
  std::array<std::atomic<UINT>, kCount> value{};
  std::array<std::atomic<bool>, kCount> changed{};
};
Values values;

UINT ValueAt(size_t i) {
  return values.changed[i].load() ? values.value[i].load() : kParameters[i].initial;
}

}  // namespace

bool GetSimpleParameter(UINT action, UINT* value) {
  for (size_t i = 0; i < kCount; ++i) {
    if (kParameters[i].get != action) continue;
    *value = ValueAt(i);
    return true;
  }
  return false;
}

bool SetSimpleParameter(UINT action, UINT uiParam, PVOID pvParam) {
  for (size_t i = 0; i < kCount; ++i) {
    const SimpleParameter& p = kParameters[i];
    if (p.set == 0 || p.set != action) continue;
    UINT value = p.from == SetFrom::UiParam ? uiParam : UINT(reinterpret_cast<uintptr_t>(pvParam));
    values.value[i].store(value);
    values.changed[i].store(true);
    return true;
  }
  return false;
}

void ResetSimpleParameters() {
  for (size_t i = 0; i < kCount; ++i) values.changed[i].store(false);
}

}  // namespace talix::sysparams
