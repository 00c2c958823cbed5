// Layout: dialog units become pixels through the base units of the template's font (or
// the system font), measured here independently; fonts reach the controls; styles and
// positions follow the template.
#include "dialog_test_support.h"

namespace talix::testing {
namespace {

using LayoutTest = DialogTest;

// The font a DS_SETFONT template asks for: point size at 96 dpi.
HFONT TemplateFont(int points, const char16_t* face, LONG weight = FW_NORMAL, BYTE italic = 0) {
  LOGFONTW lf{};
  lf.lfHeight = -DluToPixels(points, 96, 72);
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

// A template rectangle {x, y, cx, cy} in pixels: position and size are each converted
// (so controls of one size in dialog units have one size in pixels).
RECT Pixels(RECT dlu, SIZE units) {
  LONG x = DluToPixels(dlu.left, units.cx, 4), y = DluToPixels(dlu.top, units.cy, 8);
  return RECT{x, y, x + DluToPixels(dlu.right, units.cx, 4), y + DluToPixels(dlu.bottom, units.cy, 8)};
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
  EXPECT_EQ(actual.left, expected.left) << what;
  EXPECT_EQ(actual.top, expected.top) << what;
  EXPECT_EQ(actual.right, expected.right) << what;
  EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

TEST_F(LayoutTest, ResourceDialogLaysOutWithItsFontsBaseUnits) {
  HWND owner = MakeOwner();
  HWND dialog = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_FORM), owner, RecordingDialogProc, 7);
  ASSERT_NE(dialog, nullptr) << GetLastError();
  HFONT reference = TemplateFont(8, u"MS Shell Dlg");
  SIZE units = MeasuredBaseUnits(reference);
  ASSERT_GT(units.cx, 0);

  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, DluToPixels(220, units.cx, 4));
  EXPECT_EQ(client.bottom, DluToPixels(120, units.cy, 8));
  // The template's x, y place the client area relative to the owner's client area.
  POINT origin{0, 0}, ownerOrigin{0, 0};
  ClientToScreen(dialog, &origin);
  ClientToScreen(owner, &ownerOrigin);
  EXPECT_EQ(origin.x - ownerOrigin.x, DluToPixels(10, units.cx, 4));
  EXPECT_EQ(origin.y - ownerOrigin.y, DluToPixels(20, units.cy, 8));

  struct { int id; RECT dlu; } items[] = {
      {IDC_NAME_LABEL, {7, 9, 40, 8}}, {IDC_NAME, {50, 7, 100, 14}},
      {IDC_RADIO3, {7, 78, 60, 10}},   {IDOK, {53, 99, 50, 14}},
      {IDC_APPLY, {161, 99, 50, 14}}};
  for (auto& item : items) {
    HWND control = GetDlgItem(dialog, item.id);
    ASSERT_NE(control, nullptr) << item.id;
    ExpectRect(RectInParent(control), Pixels(item.dlu, units), "control");
  }
  // The font: the dialog's and every control's, with the template's face and size.
  auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDOK, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lstrcmpiW(lf.lfFaceName, u"MS Shell Dlg"), 0);  // without DS_FIXEDSYS: as named
  // Controls keep template order (the z-order walk is the tab order).
  EXPECT_EQ(GetWindow(dialog, GW_CHILD), GetDlgItem(dialog, IDC_NAME_LABEL));
  EXPECT_EQ(Log().initParam, 7);
  EXPECT_EQ(reinterpret_cast<HWND>(Log().initFocus), GetDlgItem(dialog, IDC_NAME));
  // Hidden until shown: the template has no WS_VISIBLE.
  EXPECT_FALSE(IsWindowVisible(dialog));
  DestroyWindow(dialog);
  DestroyWindow(owner);
  DeleteObject(reference);
}

TEST_F(LayoutTest, InMemoryTemplatesWithAndWithoutFont) {
  struct Case {
    const char* name;
    bool extended;
    DWORD style;
    WORD points;
    WORD weight;
    BYTE italic;
  } cases[] = {
      {"classic, system font", false, WS_POPUP | WS_CAPTION, 0, 0, 0},
      {"classic, Arial 10", false, WS_POPUP | WS_CAPTION | DS_SETFONT, 10, FW_NORMAL, 0},
      {"extended, bold italic Arial 9", true, WS_POPUP | WS_CAPTION | DS_SETFONT, 9, FW_BOLD, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TemplateBuilder t(c.extended, c.style, 0, 0, 0, 160, 90, u"mem", c.points, u"Arial",
                      c.weight, c.italic);
    t.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 6, 50, 14, 300, kButtonClass, u"b");
    t.Item(WS_CHILD | WS_VISIBLE, 60, 70, 33, 9, 301, u"", u"s", 0x82);  // "Static"
    HWND dialog = CreateDialogIndirectParamW(
        nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.Bytes().data()), nullptr, RecordingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HFONT reference = c.points ? TemplateFont(c.points, u"Arial", c.weight, c.italic)
                               : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    SIZE units = MeasuredBaseUnits(reference);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, DluToPixels(160, units.cx, 4));
    EXPECT_EQ(client.bottom, DluToPixels(90, units.cy, 8));
    ExpectRect(RectInParent(GetDlgItem(dialog, 300)), Pixels({4, 6, 50, 14}, units), "button");
    ExpectRect(RectInParent(GetDlgItem(dialog, 301)), Pixels({60, 70, 33, 9}, units), "static");
    WCHAR cls[16];
    GetClassNameW(GetDlgItem(dialog, 301), cls, 16);
    EXPECT_EQ(std::u16string(cls), u"Static");
    auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (c.points) {
      LOGFONTW lf{};
      ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
      EXPECT_EQ(lf.lfWeight, c.weight);
      EXPECT_EQ(lf.lfItalic, c.italic);
      DeleteObject(reference);
    } else {
      EXPECT_EQ(font, nullptr);  // no DS_SETFONT: the system font, and no WM_SETFONT
    }
    // The class is the dialog class unless the template names another.
    GetClassNameW(dialog, cls, 16);
    EXPECT_EQ(std::u16string(cls), u"#32770");
    DestroyWindow(dialog);
  }
}

TEST_F(LayoutTest, PlacementStyles) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  auto make = [](DWORD style, short x, short y) {
    TemplateBuilder t(false, WS_POPUP | WS_CAPTION | style, 0, x, y, 100, 60, u"p");
    return CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.Bytes().data()),
                                      nullptr, RecordingDialogProc, 0);
  };
  // DS_CENTER: centred in the work area.
  HWND centred = make(DS_CENTER, 0, 0);
  RECT r;
  GetWindowRect(centred, &r);
  EXPECT_LE(std::abs((r.left + r.right) - (work.left + work.right)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - (work.top + work.bottom)), 1);
  // DS_CENTERMOUSE: centred on the cursor.
  host::MouseMove(300, 200);
  HWND atMouse = make(DS_CENTERMOUSE, 0, 0);
  GetWindowRect(atMouse, &r);
  EXPECT_LE(std::abs((r.left + r.right) / 2 - 300), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - 200), 1);
  // Far off the screen: brought back inside the work area.
  HWND off = make(0, 30000, 30000);
  GetWindowRect(off, &r);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
  // DS_MODALFRAME adds WS_EX_DLGMODALFRAME.
  HWND framed = make(DS_MODALFRAME, 0, 0);
  EXPECT_TRUE(GetWindowLongW(framed, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  for (HWND h : {centred, atMouse, off, framed}) DestroyWindow(h);
}

TEST_F(LayoutTest, ChildDialogsAndMirroredDialogs) {
  HWND owner = MakeOwner();
  // DS_CONTROL: a child dialog without caption, a control parent at its template place.
  TemplateBuilder child(false, WS_CHILD | WS_VISIBLE | WS_CAPTION | DS_CONTROL, 0, 8, 8, 80, 40, u"c");
  HWND pane = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(child.Bytes().data()),
                                         owner, RecordingDialogProc, 0);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(GetParent(pane), owner);
  EXPECT_FALSE(GetWindowLongW(pane, GWL_STYLE) & WS_CAPTION);
  EXPECT_TRUE(GetWindowLongW(pane, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_TRUE(IsWindowVisible(pane));  // WS_VISIBLE in the template: shown at creation
  SIZE units = MeasuredBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  EXPECT_EQ(RectInParent(pane).left, DluToPixels(8, units.cx, 4));

  // WS_EX_LAYOUTRTL: the controls' places are measured from the right edge (found there
  // by hit-testing).
  TemplateBuilder rtl(false, WS_POPUP, WS_EX_LAYOUTRTL, 0, 0, 100, 50, u"r");
  rtl.Item(WS_CHILD | WS_VISIBLE, 10, 10, 20, 10, 5, kButtonClass, u"");
  HWND mirrored = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(rtl.Bytes().data()),
                                             nullptr, RecordingDialogProc, 0);
  ASSERT_NE(mirrored, nullptr);
  EXPECT_TRUE(GetWindowLongW(mirrored, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  ShowWindow(mirrored, SW_SHOWNA);
  RECT dialogRect;
  GetWindowRect(mirrored, &dialogRect);
  int inset = DluToPixels(12, units.cx, 4), down = DluToPixels(12, units.cy, 8);
  EXPECT_EQ(WindowFromPoint(POINT{dialogRect.right - inset, dialogRect.top + down}),
            GetDlgItem(mirrored, 5));
  EXPECT_EQ(WindowFromPoint(POINT{dialogRect.left + inset, dialogRect.top + down}), mirrored);
  DestroyWindow(mirrored);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace talix::testing
