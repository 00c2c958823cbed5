// DC attributes, SaveDC/RestoreDC, coordinates, device capabilities, stock objects and
// the screen DC.
#include "dc_fixture.h"

#include <talix/host_screen.h>
#include <win/sysmetrics.h>
#include <win/user.h>

namespace talix::gdi::testing {
namespace {

TEST(DcAttributes, SettersReturnThePreviousValueAndRefuseBadOnes) {
  MemoryDc dc(2, 2);
  HDC h = dc.dc();
  struct Case {
    const char* name;
    int (*set)(HDC, int);
    int initial, next, bad;
  } cases[] = {
      {"bk mode", SetBkMode, OPAQUE, TRANSPARENT, 3},
      {"stretch mode", SetStretchBltMode, BLACKONWHITE, HALFTONE, 5},
      {"rop2", SetROP2, R2_COPYPEN, R2_XORPEN, 17},
      {"map mode", SetMapMode, MM_TEXT, MM_TEXT, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.set(h, c.next), c.initial) << c.name;
    EXPECT_EQ(c.set(h, c.next), c.next) << c.name;
    EXPECT_EQ(c.set(h, c.bad), 0) << c.name;
    EXPECT_EQ(c.set(nullptr, c.next), 0) << c.name;
  }
  EXPECT_EQ(SetBkColor(h, RGB(1, 2, 3)), RGB(255, 255, 255));
  EXPECT_EQ(GetBkColor(h), RGB(1, 2, 3));
  EXPECT_EQ(SetTextColor(h, RGB(4, 5, 6)), RGB(0, 0, 0));
  EXPECT_EQ(GetTextColor(h), RGB(4, 5, 6));
  EXPECT_EQ(SetTextAlign(h, TA_RIGHT | TA_BASELINE), UINT(TA_LEFT | TA_TOP));
  EXPECT_EQ(GetTextAlign(h), UINT(TA_RIGHT | TA_BASELINE));
  EXPECT_EQ(GetBkColor(nullptr), CLR_INVALID);
  EXPECT_EQ(GetLayout(nullptr), GDI_ERROR);
}

TEST(SaveDc, RestoresAttributesObjectsAndClipByAbsoluteAndRelativeLevel) {
  size_t live = LiveGdiObjects();
  {
    MemoryDc dc(8, 8);
    HDC h = dc.dc();
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    EXPECT_EQ(SaveDC(h), 1);                 // level 1: defaults
    SetBkColor(h, RGB(1, 1, 1));
    HGDIOBJ white = SelectObject(h, red);
    IntersectClipRect(h, 0, 0, 4, 4);
    EXPECT_EQ(SaveDC(h), 2);                 // level 2: red, small clip
    SetBkColor(h, RGB(2, 2, 2));
    SelectObject(h, white);
    SelectClipRgn(h, nullptr);
    EXPECT_EQ(SaveDC(h), 3);

    EXPECT_TRUE(RestoreDC(h, -2));           // back to level 2, dropping level 3
    EXPECT_EQ(GetBkColor(h), RGB(1, 1, 1));
    EXPECT_EQ(GetCurrentObject(h, OBJ_BRUSH), red);
    RECT box;
    EXPECT_EQ(GetClipBox(h, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 4);
    EXPECT_FALSE(RestoreDC(h, 2)) << "level 2 was consumed";
    EXPECT_FALSE(RestoreDC(h, 0));
    EXPECT_TRUE(RestoreDC(h, 1));
    EXPECT_EQ(GetBkColor(h), RGB(255, 255, 255));
    EXPECT_EQ(GetCurrentObject(h, OBJ_BRUSH), white);
    EXPECT_EQ(GetCurrentObject(h, OBJ_BITMAP), dc.bitmap()) << "the bitmap stays selected";
    EXPECT_EQ(GetClipBox(h, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 8);
    EXPECT_FALSE(RestoreDC(h, -1)) << "nothing saved any more";
    EXPECT_TRUE(DeleteObject(red)) << "no longer selected";
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(DcCoordinates, OriginsAndMirroredLayout) {
  MemoryDc dc(10, 4);
  HDC h = dc.dc();
  POINT old;
  SetViewportOrgEx(h, 5, 1, nullptr);
  SetWindowOrgEx(h, 2, 0, &old);
  EXPECT_EQ(old.x, 0);
  OffsetViewportOrgEx(h, 1, 0, &old);
  EXPECT_EQ(old.x, 5);
  POINT p{0, 0};
  LPtoDP(h, &p, 1);
  EXPECT_EQ(p.x, 4);
  EXPECT_EQ(p.y, 1);
  EXPECT_EQ(SetLayout(h, LAYOUT_RTL), 0u);
  p = POINT{0, 0};
  LPtoDP(h, &p, 1);
  EXPECT_EQ(p.x, 10 - 1 - 4) << "mirrored across the bitmap's width";
  DPtoLP(h, &p, 1);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(SetLayout(h, 0), DWORD(LAYOUT_RTL));
}

TEST(DeviceCaps, ReportTheVirtualScreen) {
  talix::host::ScreenParams saved = talix::host::GetScreenParams();
  talix::host::ScreenParams params = saved;
  params.width = 800;
  params.height = 600;
  params.dpi = 120;
  talix::host::SetScreenParams(params);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  for (HDC h : {screen, memory}) {
    EXPECT_EQ(GetDeviceCaps(h, LOGPIXELSX), 120);
    EXPECT_EQ(GetDeviceCaps(h, LOGPIXELSY), 120);
    EXPECT_EQ(GetDeviceCaps(h, HORZRES), 800);
    EXPECT_EQ(GetDeviceCaps(h, VERTRES), 600);
    EXPECT_EQ(GetDeviceCaps(h, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(h, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(h, TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(GetDeviceCaps(h, SIZEPALETTE), 0);
    EXPECT_EQ(GetDeviceCaps(h, NUMCOLORS), -1);
    EXPECT_TRUE(GetDeviceCaps(h, RASTERCAPS) & RC_BITBLT);
    EXPECT_TRUE(GetDeviceCaps(h, SHADEBLENDCAPS) & SB_PIXEL_ALPHA);
  }
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
  RECT box;
  EXPECT_EQ(GetClipBox(screen, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 800) << "the screen DC covers the virtual screen";
  EXPECT_EQ(box.bottom, 600);
  DeleteDC(memory);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  talix::host::SetScreenParams(saved);
}

TEST(ScreenDc, TheDesktopWindowsDcIsTheScreen) {
  HDC desktop = GetDC(GetDesktopWindow());
  ASSERT_NE(desktop, nullptr);
  RECT box;
  EXPECT_EQ(GetClipBox(desktop, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, talix::host::GetScreenParams().width);
  EXPECT_EQ(box.bottom, talix::host::GetScreenParams().height);
  EXPECT_EQ(ReleaseDC(GetDesktopWindow(), desktop), 1);

  HWND bogus = reinterpret_cast<HWND>(uintptr_t{0x12345});
  EXPECT_EQ(GetDC(bogus), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(StockObjects, StableUndeletableAndTheDcBrushFollowsItsColour) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  EXPECT_EQ(GetStockObject(WHITE_BRUSH), white);
  EXPECT_TRUE(DeleteObject(white)) << "deleting a stock object succeeds";
  EXPECT_EQ(GetObjectType(white), DWORD(OBJ_BRUSH)) << "and leaves it alone";
  struct {
    int index;
    DWORD type;
    COLORREF color;
  } brushes[] = {{WHITE_BRUSH, OBJ_BRUSH, RGB(255, 255, 255)},
                 {LTGRAY_BRUSH, OBJ_BRUSH, RGB(192, 192, 192)},
                 {GRAY_BRUSH, OBJ_BRUSH, RGB(128, 128, 128)},
                 {DKGRAY_BRUSH, OBJ_BRUSH, RGB(64, 64, 64)},
                 {BLACK_BRUSH, OBJ_BRUSH, RGB(0, 0, 0)},
                 {WHITE_PEN, OBJ_PEN, RGB(255, 255, 255)},
                 {BLACK_PEN, OBJ_PEN, RGB(0, 0, 0)}};
  for (const auto& b : brushes) {
    HGDIOBJ h = GetStockObject(b.index);
    ASSERT_EQ(GetObjectType(h), b.type) << b.index;
    if (b.type == OBJ_BRUSH) {
      LOGBRUSH lb{};
      GetObjectW(h, sizeof lb, &lb);
      EXPECT_EQ(lb.lbColor, b.color) << b.index;
    }
  }
  LOGBRUSH lb{};
  GetObjectW(GetStockObject(NULL_BRUSH), sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, UINT(BS_NULL));
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(GetStockObject(DC_PEN + 1), nullptr);

  MemoryDc dc(2, 1);
  SelectObject(dc.dc(), GetStockObject(DC_BRUSH));
  EXPECT_EQ(SetDCBrushColor(dc.dc(), RGB(0, 128, 255)), RGB(255, 255, 255));
  PatBlt(dc.dc(), 0, 0, 2, 1, PATCOPY);
  EXPECT_EQ(GetPixel(dc.dc(), 1, 0), RGB(0, 128, 255));
  SelectObject(dc.dc(), GetStockObject(WHITE_BRUSH));

  HBRUSH sys = GetSysColorBrush(5);
  EXPECT_EQ(GetSysColorBrush(5), sys);
  GetObjectW(sys, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, GetSysColor(5));
  EXPECT_TRUE(DeleteObject(sys));
  EXPECT_EQ(GetObjectType(sys), DWORD(OBJ_BRUSH)) << "system colour brushes are not deleted";
}

TEST(DcHandles, StaleAndForeignHandlesFailCleanly) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(dc)), nullptr) << "a DC is not selectable";
  EXPECT_FALSE(DeleteObject(dc)) << "DCs go with DeleteDC";
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(SelectObject(dc, brush), nullptr);
  EXPECT_EQ(SaveDC(dc), 0);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(brush)));
  EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(brush)), nullptr);
  EXPECT_TRUE(DeleteObject(brush));
}

}  // namespace
}  // namespace talix::gdi::testing
