// The "Button" class: clicks with the mouse and the Space key, capture while pressed,
// check states of the automatic types, radio groups, dialog codes, owner drawing and the
// parent's colour brush.
#include "controls_fixture.h"

#include <algorithm>
#include <string>

namespace talix::testing {
namespace {

using ButtonTest = ControlTest;

TEST_F(ButtonTest, ClickNotifiesParentAndTakesFocus) {
  HWND button = Button(BS_PUSHBUTTON, 42);
  ClickAt(button, 10, 10);
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{42, BN_CLICKED, button}}));
  EXPECT_EQ(GetFocus(), button);
  EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0), BST_FOCUS);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, PressHoldsCaptureAndReleaseOutsideDoesNotClick) {
  HWND button = Button(BS_AUTOCHECKBOX);
  POINT inside = ScreenPoint(button, 10, 10), outside = ScreenPoint(button, 150, 10);
  host::MouseMove(inside.x, inside.y);
  host::MouseDown();
  Pump();
  EXPECT_EQ(GetCapture(), button);
  EXPECT_TRUE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  host::MouseMove(outside.x, outside.y);
  Pump();
  EXPECT_EQ(GetCapture(), button) << "the button keeps the mouse while pressed";
  EXPECT_FALSE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << "moving out un-pushes";
  host::MouseUp();
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(TakeCommands().empty());
  EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Out and back in before the release is a click.
  host::MouseMove(inside.x, inside.y);
  host::MouseDown();
  host::MouseMove(outside.x, outside.y);
  host::MouseMove(inside.x, inside.y);
  host::MouseUp();
  Pump();
  EXPECT_EQ(TakeCommands().size(), 1u);
  EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, LosingCaptureCancelsThePress) {
  HWND button = Button(BS_PUSHBUTTON);
  POINT pt = ScreenPoint(button, 10, 10);
  host::MouseMove(pt.x, pt.y);
  host::MouseDown();
  Pump();
  ASSERT_EQ(GetCapture(), button);
  ReleaseCapture();
  EXPECT_FALSE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  host::MouseUp();
  Pump();
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(ButtonTest, StateChangesShowInThePixels) {
  struct Change {
    const char* what;
    void (*apply)(HWND);
    void (*undo)(HWND);
  };
  const Change changes[] = {
      {"pushed", [](HWND h) { SendMessageW(h, BM_SETSTATE, TRUE, 0); },
       [](HWND h) { SendMessageW(h, BM_SETSTATE, FALSE, 0); }},
      {"focused", [](HWND h) { SetFocus(h); }, [](HWND h) { SetFocus(GetParent(h)); }},
      {"disabled", [](HWND h) { EnableWindow(h, FALSE); }, [](HWND h) { EnableWindow(h, TRUE); }},
      {"default", [](HWND h) { SendMessageW(h, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); },
       [](HWND h) { SendMessageW(h, BM_SETSTYLE, BS_PUSHBUTTON, TRUE); }},
  };
  for (DWORD type : {DWORD(BS_PUSHBUTTON), DWORD(BS_AUTOCHECKBOX)}) {
    HWND button = Button(type, 1, 20, 20, 120, 30);
    std::vector<COLORREF> normal = ClientPixels(button);
    for (const Change& change : changes) {
      if (type != BS_PUSHBUTTON && std::string(change.what) == "default") continue;
      change.apply(button);
      EXPECT_NE(ClientPixels(button), normal) << change.what << " type " << type;
      change.undo(button);
      EXPECT_EQ(ClientPixels(button), normal) << change.what << " undone, type " << type;
    }
    DestroyWindow(button);
  }
}

TEST_F(ButtonTest, PushLikeAndImageButtonsDrawAsPushButtons) {
  HWND push = Button(BS_PUSHBUTTON, 1, 20, 20, 100, 30);
  HWND pushLike = Button(BS_AUTOCHECKBOX | BS_PUSHLIKE, 2, 20, 60, 100, 30);
  EXPECT_EQ(ClientPixels(pushLike), ClientPixels(push));
  SendMessageW(pushLike, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(push, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(ClientPixels(pushLike), ClientPixels(push)) << "checked looks pushed";

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP red = CreateCompatibleBitmap(screen, 10, 10);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, red);
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 10, 10};
  FillRect(memory, &all, brush);
  SelectObject(memory, old);
  DeleteObject(brush);
  DeleteDC(memory);
  HWND picture = Button(BS_PUSHBUTTON | BS_BITMAP, 3, 200, 20, 100, 30);
  SendMessageW(picture, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(red));
  std::vector<COLORREF> px = ClientPixels(picture);
  EXPECT_EQ(px[15 * 100 + 50], RGB(255, 0, 0)) << "the image is centred";
  EXPECT_NE(px[15 * 100 + 30], RGB(255, 0, 0));
  DestroyWindow(picture);
  DeleteObject(red);
}

WNDPROC g_buttonProc = nullptr;
std::vector<UINT> g_subclassSaw;

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP) g_subclassSaw.push_back(msg);
  return CallWindowProcW(g_buttonProc, hwnd, msg, wParam, lParam);
}

TEST_F(ButtonTest, ClickMessageGoesThroughTheMouseMessages) {
  HWND button = Button(BS_PUSHBUTTON, 8);
  g_subclassSaw.clear();
  g_buttonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(g_subclassSaw, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{8, BN_CLICKED, button}}));
  EXPECT_EQ(GetCapture(), nullptr);
  EnableWindow(button, FALSE);
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(TakeCommands().empty()) << "a disabled button does not click";
}

TEST_F(ButtonTest, SpaceClicksOnRelease) {
  HWND button = Button(BS_AUTOCHECKBOX, 9);
  SetFocus(button);
  Pump();
  host::KeyDown(VK_SPACE);
  host::KeyDown(VK_SPACE);  // auto-repeat does not press again
  Pump();
  EXPECT_TRUE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_TRUE(TakeCommands().empty()) << "the click comes with the release";
  host::KeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{9, BN_CLICKED, button}}));
  EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

struct CheckCycle {
  DWORD type;
  std::vector<LRESULT> checksAfterClicks;
};

TEST_F(ButtonTest, ClicksCycleTheCheckOfTheAutomaticTypes) {
  const CheckCycle cases[] = {
      {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
      {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
      {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED}},
      {BS_3STATE, {BST_UNCHECKED, BST_UNCHECKED}},
      {BS_RADIOBUTTON, {BST_UNCHECKED, BST_UNCHECKED}},
      {BS_AUTORADIOBUTTON, {BST_CHECKED, BST_CHECKED}},
      {BS_PUSHBUTTON, {BST_UNCHECKED}},
  };
  for (const CheckCycle& c : cases) {
    HWND button = Button(c.type | WS_GROUP);
    for (size_t i = 0; i < c.checksAfterClicks.size(); ++i) {
      SendMessageW(button, BM_CLICK, 0, 0);
      EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), c.checksAfterClicks[i])
          << "type " << c.type << " click " << i;
    }
    EXPECT_EQ(TakeCommands().size(), c.checksAfterClicks.size()) << "type " << c.type;
    DestroyWindow(button);
  }
}

TEST_F(ButtonTest, SetCheckKeepsIndeterminateForThreeStateOnly) {
  const std::pair<DWORD, LRESULT> cases[] = {{BS_3STATE, BST_INDETERMINATE},
                                             {BS_AUTO3STATE, BST_INDETERMINATE},
                                             {BS_CHECKBOX, BST_CHECKED},
                                             {BS_PUSHBUTTON, BST_UNCHECKED}};
  for (auto [type, expected] : cases) {
    HWND button = Button(type);
    SendMessageW(button, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), expected) << "type " << type;
    EXPECT_FALSE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << "type " << type;
    DestroyWindow(button);
  }
}

TEST_F(ButtonTest, AutoRadioUnchecksOnlyItsGroup) {
  HWND a = Button(BS_AUTORADIOBUTTON | WS_GROUP, 1, 10, 10);
  HWND b = Button(BS_AUTORADIOBUTTON, 2, 10, 50);
  HWND check = Button(BS_AUTOCHECKBOX, 3, 10, 90);
  HWND c = Button(BS_AUTORADIOBUTTON, 4, 10, 130);
  HWND other = Button(BS_AUTORADIOBUTTON | WS_GROUP, 5, 200, 10);
  // Groups run along the sibling order (GW_HWNDNEXT): put the buttons in it explicitly.
  for (HWND h : {a, b, check, c, other})
    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND h : {a, check, other}) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(c, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(a, BM_GETCHECK, 0, 0), BST_CHECKED) << "BM_SETCHECK leaves the group";

  ClickAt(b, 5, 5);
  EXPECT_EQ(SendMessageW(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(c, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED) << "not a radio button";
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED) << "another group";
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{2, BN_CLICKED, b}}));
}

TEST_F(ButtonTest, DialogCodesFollowTheTypeAndSetStyle) {
  const std::pair<DWORD, LRESULT> cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_OWNERDRAW, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},
      {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_GROUPBOX, DLGC_STATIC},
  };
  HWND button = Button(BS_PUSHBUTTON | WS_TABSTOP);
  for (auto [type, code] : cases) {
    SendMessageW(button, BM_SETSTYLE, type | BS_NOTIFY, TRUE);
    EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), code) << "type " << type;
    EXPECT_EQ(DWORD(GetWindowLongW(button, GWL_STYLE)),
              WS_CHILD | WS_VISIBLE | WS_TABSTOP | type | BS_NOTIFY)
        << "BM_SETSTYLE keeps the window style bits";
  }
}

// The dialog manager moves the default with BS_DEFPUSHBUTTON / BS_PUSHBUTTON; an owner-drawn
// button stays owner-drawn (else its owner would stop drawing it), other types change.
TEST_F(ButtonTest, DefaultButtonSwitchKeepsOwnerDraw) {
  HWND button = Button(BS_OWNERDRAW | WS_TABSTOP);
  for (DWORD type : {DWORD(BS_DEFPUSHBUTTON), DWORD(BS_PUSHBUTTON)}) {
    SendMessageW(button, BM_SETSTYLE, type | BS_NOTIFY, TRUE);
    EXPECT_EQ(DWORD(GetWindowLongW(button, GWL_STYLE)),
              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY);
  }
  SendMessageW(button, BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
  EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
}

TEST_F(ButtonTest, NotifyStyleReportsFocusAndDoubleClicks) {
  HWND button = Button(BS_PUSHBUTTON | BS_NOTIFY, 3);
  HWND quiet = Button(BS_PUSHBUTTON, 4, 200, 20);
  SetFocus(button);
  SetFocus(quiet);
  Pump();
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{3, BN_SETFOCUS, button},
                                                       {3, BN_KILLFOCUS, button}}));
  POINT pt = ScreenPoint(button, 5, 5);
  host::Click(pt.x, pt.y);
  host::Click(pt.x, pt.y);
  Pump();
  std::vector<int> codes;
  for (const Notification& n : TakeCommands()) codes.push_back(n.code);
  EXPECT_EQ(codes, (std::vector<int>{BN_SETFOCUS, BN_HILITE, BN_UNHILITE, BN_CLICKED,
                                     BN_DOUBLECLICKED}));
  // Without BS_NOTIFY a double click is a second click.
  pt = ScreenPoint(quiet, 5, 5);
  host::Click(pt.x, pt.y);
  host::Click(pt.x, pt.y);
  Pump();
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{3, BN_KILLFOCUS, button},
                                                       {4, BN_CLICKED, quiet},
                                                       {4, BN_CLICKED, quiet}}));
}

TEST_F(ButtonTest, OwnerDrawSetAfterCreationAsksTheParentToDraw) {
  HWND button = Button(BS_PUSHBUTTON, 12, 20, 20, 80, 24);
  LONG style = GetWindowLongW(button, GWL_STYLE);
  SetWindowLongW(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  InvalidateRect(button, nullptr, TRUE);
  EXPECT_EQ(PixelOf(button, 40, 12), RGB(255, 0, 0)) << "the parent's drawing shows";
  ASSERT_FALSE(Parent().drawItems.empty());
  DRAWITEMSTRUCT item = Parent().drawItems.back();
  EXPECT_EQ(item.CtlType, UINT(ODT_BUTTON));
  EXPECT_EQ(item.CtlID, 12u);
  EXPECT_EQ(item.itemAction, UINT(ODA_DRAWENTIRE));
  EXPECT_EQ(item.itemState, 0u);
  EXPECT_EQ(item.hwndItem, button);
  EXPECT_EQ(item.rcItem.right - item.rcItem.left, 80);
  EXPECT_EQ(item.rcItem.bottom - item.rcItem.top, 24);

  struct Change {
    void (*apply)(HWND);
    UINT action;
    UINT state;
  };
  const Change changes[] = {
      {[](HWND h) { SendMessageW(h, BM_SETSTATE, TRUE, 0); }, ODA_SELECT, ODS_SELECTED},
      {[](HWND h) { SetFocus(h); }, ODA_FOCUS, ODS_SELECTED | ODS_FOCUS},
      {[](HWND h) { SendMessageW(h, BM_SETSTATE, FALSE, 0); }, ODA_SELECT, ODS_FOCUS},
  };
  for (const Change& change : changes) {
    Parent().drawItems.clear();
    change.apply(button);
    ASSERT_EQ(Parent().drawItems.size(), 1u) << "action " << change.action;
    EXPECT_EQ(Parent().drawItems[0].itemAction, change.action);
    EXPECT_EQ(Parent().drawItems[0].itemState, change.state) << "action " << change.action;
  }
  SetFocus(parent_);
  EnableWindow(button, FALSE);
  Parent().drawItems.clear();
  UpdateWindow(button);
  ASSERT_EQ(Parent().drawItems.size(), 1u);
  EXPECT_EQ(Parent().drawItems[0].itemState, UINT(ODS_DISABLED));
}

TEST_F(ButtonTest, ParentBrushPaintsTheBackground) {
  Parent().answerBrush = CreateSolidBrush(RGB(0, 160, 0));
  HWND check = Button(BS_AUTOCHECKBOX, 1, 20, 20, 150, 30);
  HWND push = Button(BS_PUSHBUTTON, 2, 20, 80, 100, 30);
  EXPECT_EQ(PixelOf(check, 145, 2), RGB(0, 160, 0));
  EXPECT_EQ(PixelOf(push, 50, 15), GetSysColor(COLOR_3DFACE)) << "the face covers the brush";
  std::vector<UINT> asked = Parent().colourRequests;
  EXPECT_NE(std::find(asked.begin(), asked.end(), UINT(WM_CTLCOLORSTATIC)), asked.end());
  EXPECT_NE(std::find(asked.begin(), asked.end(), UINT(WM_CTLCOLORBTN)), asked.end());
}

TEST_F(ButtonTest, GroupBoxIsTransparentToTheMouse) {
  HWND group = Button(BS_GROUPBOX, 1, 10, 10, 200, 150);
  HWND inner = Button(BS_PUSHBUTTON, 2, 30, 40, 80, 30);
  SetWindowPos(group, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(WindowFromPoint(ScreenPoint(group, 100, 100)), parent_);
  EXPECT_EQ(WindowFromPoint(ScreenPoint(inner, 5, 5)), inner) << "the box lies above it";
}

TEST_F(ButtonTest, SetImageReturnsThePreviousImage) {
  HWND button = Button(BS_PUSHBUTTON | BS_BITMAP);
  HDC screen = GetDC(nullptr);
  HBITMAP first = CreateCompatibleBitmap(screen, 8, 8);
  HBITMAP second = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(first)), 0);
  EXPECT_EQ(SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(second)), LPARAM(first));
  EXPECT_EQ(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0), LPARAM(second));
  EXPECT_EQ(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0), 0) << "not a BS_ICON button";
  DestroyWindow(button);
  DeleteObject(first);
  DeleteObject(second);
}

}  // namespace
}  // namespace talix::testing
