#include "sysparams_fixture.h"

#include <cstring>
#include <string>

namespace talix::sysparams::testing {
namespace {

using SystemParametersTest = ScreenTest;

struct SimpleCase {
  UINT get;
  UINT set;
  UINT initial;
  bool valueInUiParam;  // else the new value travels in pvParam
};

constexpr SimpleCase kSimple[] = {
    {SPI_GETMOUSEHOVERTIME, SPI_SETMOUSEHOVERTIME, 400, true},
    {SPI_GETMOUSEHOVERWIDTH, SPI_SETMOUSEHOVERWIDTH, 4, true},
    {SPI_GETMOUSEHOVERHEIGHT, SPI_SETMOUSEHOVERHEIGHT, 4, true},
    {SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES, 3, true},
    {SPI_GETMENUDROPALIGNMENT, SPI_SETMENUDROPALIGNMENT, FALSE, true},
    {SPI_GETFONTSMOOTHING, SPI_SETFONTSMOOTHING, TRUE, true},
    {SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, FALSE, false},
    {SPI_GETFLATMENU, SPI_SETFLATMENU, FALSE, false},
    {SPI_GETDROPSHADOW, SPI_SETDROPSHADOW, TRUE, false},
    {SPI_GETUIEFFECTS, SPI_SETUIEFFECTS, TRUE, false},
    {SPI_GETCLIENTAREAANIMATION, SPI_SETCLIENTAREAANIMATION, TRUE, false},
    {SPI_GETFOCUSBORDERWIDTH, SPI_SETFOCUSBORDERWIDTH, 1, false},
};

TEST_F(SystemParametersTest, SingleValuesHaveDefaultsAndTakeNewValuesTheirWay) {
  for (const SimpleCase& c : kSimple) {
    SCOPED_TRACE(c.get);
    UINT value = 0xDEAD;
    ASSERT_TRUE(SystemParametersInfoW(c.get, 0, &value, 0));
    EXPECT_EQ(value, c.initial);
    const UINT changed = c.initial == 0 ? 1 : c.initial + 7;
    const UINT other = 0x55;  // in the argument that does not carry the value
    auto asPointer = [](UINT v) { return reinterpret_cast<PVOID>(uintptr_t(v)); };
    BOOL set = c.valueInUiParam ? SystemParametersInfoW(c.set, changed, asPointer(other), 0)
                                : SystemParametersInfoW(c.set, other, asPointer(changed), 0);
    ASSERT_TRUE(set);
    ASSERT_TRUE(SystemParametersInfoW(c.get, 0, &value, 0));
    EXPECT_EQ(value, changed);
  }
  host::ResetSystemParameters();
  for (const SimpleCase& c : kSimple) {
    UINT value = 0xDEAD;
    ASSERT_TRUE(SystemParametersInfoW(c.get, 0, &value, 0));
    EXPECT_EQ(value, c.initial) << c.get;
  }
}

TEST_F(SystemParametersTest, UnknownActionsAndMissingBuffersFail) {
  const UINT unknown[] = {0x0000, 0x1234, 0x7FFF, 0xFFFF};
  for (UINT action : unknown) {
    UINT value = 0;
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoW(action, 0, &value, 0)) << action;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << action;
  }
  const UINT gets[] = {SPI_GETWORKAREA, SPI_GETMOUSEHOVERTIME, SPI_GETNONCLIENTMETRICS,
                       SPI_GETICONTITLELOGFONT, SPI_GETHIGHCONTRAST};
  for (UINT action : gets) {
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoW(action, 0, nullptr, 0)) << action;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << action;
  }
}

// The structure filled except a marker in the bytes a shorter structure does not have.
NONCLIENTMETRICSW MarkedMetrics(UINT cbSize) {
  NONCLIENTMETRICSW m;
  std::memset(&m, 0xA5, sizeof m);
  m.cbSize = cbSize;
  return m;
}

TEST_F(SystemParametersTest, NonClientMetricsFollowTheSystemMetricsAndDpi) {
  NONCLIENTMETRICSW m = MarkedMetrics(sizeof m);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(m.cbSize, sizeof m);
  EXPECT_EQ(m.iBorderWidth, 1);
  EXPECT_EQ(m.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(m.iScrollHeight, GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(m.iCaptionWidth, GetSystemMetrics(SM_CXSIZE));
  // The caption bar is the buttons' height plus its one-pixel border.
  EXPECT_EQ(m.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(m.iSmCaptionHeight, GetSystemMetrics(SM_CYSMSIZE));
  EXPECT_EQ(m.iMenuHeight, GetSystemMetrics(SM_CYMENUSIZE));
  EXPECT_EQ(m.iPaddedBorderWidth, GetSystemMetrics(SM_CXPADDEDBORDER));
  EXPECT_EQ(m.lfCaptionFont.lfHeight, -11);
  EXPECT_EQ(m.lfCaptionFont.lfWeight, FW_BOLD);
  for (const LOGFONTW* lf :
       {&m.lfSmCaptionFont, &m.lfMenuFont, &m.lfStatusFont, &m.lfMessageFont}) {
    EXPECT_EQ(lf->lfHeight, -11);
    EXPECT_EQ(lf->lfWeight, FW_NORMAL);
    EXPECT_EQ(std::u16string(lf->lfFaceName), u"Tahoma");
  }
  // 8 points at 120 DPI is 13.3 pixels; caption sizes scale too.
  SetScreen(1280, 1024, 120);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(m.lfMessageFont.lfHeight, -13);
  EXPECT_EQ(m.iCaptionWidth, GetSystemMetrics(SM_CXSIZE));
  LOGFONTW icon{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof icon, &icon, 0));
  EXPECT_EQ(icon.lfHeight, -13);
}

TEST_F(SystemParametersTest, NonClientMetricsAcceptTheOlderSizeWithoutPaddedBorder) {
  NONCLIENTMETRICSW m = MarkedMetrics(NONCLIENTMETRICSW_V1_SIZE);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, NONCLIENTMETRICSW_V1_SIZE, &m, 0));
  EXPECT_EQ(m.lfMessageFont.lfHeight, -11);
  EXPECT_EQ(m.lfMessageFont.lfFaceName[6], 0);
  EXPECT_EQ(uint32_t(m.iPaddedBorderWidth), 0xA5A5A5A5u);  // not written
}

TEST_F(SystemParametersTest, NonClientMetricsRejectOtherSizes) {
  struct SizeCase {
    UINT cbSize;
    UINT uiParam;
  };
  const SizeCase bad[] = {{0, 0}, {499, 499}, {501, 501}, {508, 508}, {440, 440},
                          {sizeof(NONCLIENTMETRICSW), 500}, {500, sizeof(NONCLIENTMETRICSW)}};
  for (const SizeCase& c : bad) {
    NONCLIENTMETRICSW m = MarkedMetrics(c.cbSize);
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, c.uiParam, &m, 0)) << c.cbSize;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(uint32_t(m.iBorderWidth), 0xA5A5A5A5u) << c.cbSize;
  }
}

TEST_F(SystemParametersTest, HighContrastIsOffAndChecksItsSize) {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0));
  EXPECT_EQ(hc.dwFlags & HCF_HIGHCONTRASTON, 0u);
  ASSERT_NE(hc.lpszDefaultScheme, nullptr);
  hc.cbSize = sizeof hc - 8;
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, hc.cbSize, &hc, 0));
}

TEST_F(SystemParametersTest, WorkAreaIsTheHostsAndCanBeSet) {
  RECT area{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  EXPECT_TRUE(SameRect(area, RECT{0, 0, 1280, 1024 - 30}));  // the task bar band

  SetScreen(800, 600, 96, RECT{0, 40, 800, 600});
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  EXPECT_TRUE(SameRect(area, RECT{0, 40, 800, 600}));

  struct SetCase {
    RECT rect;
    bool ok;
  };
  const SetCase cases[] = {{{10, 20, 700, 500}, true},   {{0, 0, 800, 600}, true},
                           {{-1, 0, 800, 600}, false},   {{0, 0, 801, 600}, false},
                           {{100, 100, 100, 200}, false}, {{0, 300, 800, 200}, false}};
  for (const SetCase& c : cases) {
    RECT before{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &before, 0);
    RECT r = c.rect;
    EXPECT_EQ(SystemParametersInfoW(SPI_SETWORKAREA, 0, &r, SPIF_SENDCHANGE), c.ok ? TRUE : FALSE);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_TRUE(SameRect(area, c.ok ? c.rect : before)) << c.rect.left << "," << c.rect.top;
  }
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, nullptr, 0));  // the whole screen
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  EXPECT_TRUE(SameRect(area, RECT{0, 0, 800, 600}));
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 800);  // the metrics follow the work area
}

}  // namespace
}  // namespace talix::sysparams::testing
