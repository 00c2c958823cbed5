// The "Static" class: text layout against DrawTextW, images and their sizes, the shape
// types, hit-testing and notifications, owner drawing.
#include "controls_fixture.h"

#include <cstdint>

namespace talix::testing {
namespace {

constexpr int kWidth = 120, kHeight = 40;

// A 32-bit top-down DIB of w x h filled with `colour`, with a DC it is selected into.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF colour) : width_(w), height_(h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, w, h};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  HBITMAP Release() {  // the bitmap, deselected, for the caller to delete
    SelectObject(dc_, old_);
    HBITMAP b = bitmap_;
    bitmap_ = nullptr;
    return b;
  }
  COLORREF At(int x, int y) const {
    uint32_t p = bits_[size_t(y) * size_t(width_) + size_t(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_, height_;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

class StaticTest : public ControlTest {
 protected:
  HWND Static(DWORD style, const char16_t* text, int id = 5, int cx = kWidth, int cy = kHeight) {
    return Control(u"Static", style, text, 20, 20, cx, cy, id);
  }
};

struct TextCase {
  DWORD style;
  const char16_t* text;
  UINT format;
};

TEST_F(StaticTest, TextIsLaidOutAsDrawTextWithTheStyleFormat) {
  Parent().answerBrush = CreateSolidBrush(RGB(255, 255, 255));
  const TextCase cases[] = {
      {SS_LEFT, u"Left &aligned words that wrap", DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS},
      {SS_CENTER, u"Centred", DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS},
      {SS_RIGHT, u"Right", DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS},
      {SS_RIGHT | SS_NOPREFIX, u"A&B", DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX},
      {SS_LEFTNOWORDWRAP, u"No wrapping of this long line at all", DT_LEFT | DT_EXPANDTABS},
      {SS_SIMPLE, u"Simple", DT_LEFT | DT_SINGLELINE},
      {SS_LEFT | SS_CENTERIMAGE, u"Middle", DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS},
      {SS_LEFT | SS_ENDELLIPSIS, u"A line far too long for the box", DT_END_ELLIPSIS |
                                                                         DT_EXPANDTABS},
      {SS_LEFT | SS_PATHELLIPSIS, u"Z:\\folder\\deeper\\deepest\\file.txt",
       DT_PATH_ELLIPSIS | DT_EXPANDTABS},
      {SS_LEFT | SS_WORDELLIPSIS, u"Words upon words upon words upon",
       DT_WORD_ELLIPSIS | DT_EXPANDTABS},
  };
  std::vector<COLORREF> previous;
  for (const TextCase& c : cases) {
    HWND label = Static(c.style, c.text);
    std::vector<COLORREF> shown = ClientPixels(label);
    Canvas expected(kWidth, kHeight, RGB(255, 255, 255));
    SelectObject(expected.dc(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(expected.dc(), TRANSPARENT);
    RECT rect{0, 0, kWidth, kHeight};
    DrawTextW(expected.dc(), c.text, -1, &rect, c.format);
    int differing = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (shown[size_t(y * kWidth + x)] != expected.At(x, y)) ++differing;
    EXPECT_EQ(differing, 0) << "style 0x" << std::hex << c.style;
    EXPECT_NE(shown, previous) << "style 0x" << std::hex << c.style;
    previous = shown;
    DestroyWindow(label);
  }
}

TEST_F(StaticTest, SetTextRepaintsAndDisabledTextIsGrey) {
  Parent().answerBrush = CreateSolidBrush(RGB(255, 255, 255));
  HWND label = Static(SS_LEFT, u"");
  std::vector<COLORREF> blank = ClientPixels(label);
  SetWindowTextW(label, u"WWWW");
  std::vector<COLORREF> written = ClientPixels(label);
  EXPECT_NE(written, blank);
  EnableWindow(label, FALSE);
  std::vector<COLORREF> grey = ClientPixels(label);
  bool sawGrey = false;
  for (COLORREF c : grey) sawGrey |= c == GetSysColor(COLOR_GRAYTEXT);
  EXPECT_TRUE(sawGrey);
  EXPECT_EQ(SendMessageW(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

struct ShapeCase {
  DWORD type;
  int colourIndex;
  bool filled;
};

TEST_F(StaticTest, RectanglesAndFramesUseTheirSystemColours) {
  Parent().answerBrush = CreateSolidBrush(RGB(1, 2, 3));
  const ShapeCase cases[] = {
      {SS_BLACKRECT, COLOR_WINDOWFRAME, true},  {SS_GRAYRECT, COLOR_BACKGROUND, true},
      {SS_WHITERECT, COLOR_WINDOW, true},       {SS_BLACKFRAME, COLOR_WINDOWFRAME, false},
      {SS_GRAYFRAME, COLOR_BACKGROUND, false},  {SS_WHITEFRAME, COLOR_WINDOW, false},
  };
  for (const ShapeCase& c : cases) {
    HWND shape = Static(c.type, u"");
    std::vector<COLORREF> px = ClientPixels(shape);
    COLORREF colour = GetSysColor(c.colourIndex);
    EXPECT_EQ(px[0], colour) << "type " << c.type;
    EXPECT_EQ(px[size_t(kHeight / 2 * kWidth + kWidth / 2)], c.filled ? colour : RGB(1, 2, 3))
        << "type " << c.type;
    DestroyWindow(shape);
  }
  HWND line = Static(SS_ETCHEDHORZ, u"", 5, kWidth, 4);
  std::vector<COLORREF> px = ClientPixels(line);
  EXPECT_EQ(px[0], GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(px[size_t(2 * kWidth + 10)], RGB(1, 2, 3));
}

TEST_F(StaticTest, SunkenStaticsGetTheStaticEdge) {
  HWND sunken = Static(SS_LEFT | SS_SUNKEN, u"x");
  EXPECT_TRUE(GetWindowLongW(sunken, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  RECT client;
  GetClientRect(sunken, &client);
  EXPECT_LT(client.right, kWidth) << "the edge is part of the frame";
}

TEST_F(StaticTest, SetImageReturnsThePreviousImageAndSizesTheControl) {
  HBITMAP red = Canvas(10, 6, RGB(255, 0, 0)).Release();
  HBITMAP blue = Canvas(12, 8, RGB(0, 0, 255)).Release();
  HWND picture = Static(SS_BITMAP, u"");
  HWND text = Control(u"Static", SS_LEFT, u"x", 200, 100, 50, 20, 6);
  EXPECT_EQ(SendMessageW(text, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(red)), 0);
  EXPECT_EQ(SendMessageW(text, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "not an image static";
  EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_ICON, LPARAM(red)), 0) << "wrong type";
  EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(red)), 0);
  EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(blue)), LPARAM(red));
  EXPECT_EQ(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), LPARAM(blue));
  RECT client;
  GetClientRect(picture, &client);
  EXPECT_EQ(client.right, 12);
  EXPECT_EQ(client.bottom, 8);
  EXPECT_EQ(ClientPixels(picture)[50], RGB(0, 0, 255));

  HWND centred = Control(u"Static", SS_BITMAP | SS_CENTERIMAGE, u"", 200, 200, 40, 20, 7);
  SendMessageW(centred, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(red));
  GetClientRect(centred, &client);
  EXPECT_EQ(client.right, 40) << "SS_CENTERIMAGE keeps the size";
  std::vector<COLORREF> px = ClientPixels(centred);
  EXPECT_EQ(px[size_t(10 * 40 + 20)], RGB(255, 0, 0));
  EXPECT_NE(px[size_t(1 * 40 + 1)], RGB(255, 0, 0));
  for (HWND h : {picture, text, centred}) DestroyWindow(h);
  DeleteObject(red);
  DeleteObject(blue);
}

TEST_F(StaticTest, SetIconReturnsThePreviousIcon) {
  HBITMAP colour = Canvas(16, 16, RGB(0, 128, 0)).Release();
  HBITMAP mask = Canvas(16, 16, RGB(0, 0, 0)).Release();
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON first = CreateIconIndirect(&info), second = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  HWND icon = Static(SS_ICON, u"");
  EXPECT_EQ(SendMessageW(icon, STM_SETICON, WPARAM(first), 0), 0);
  EXPECT_EQ(SendMessageW(icon, STM_SETIMAGE, IMAGE_ICON, LPARAM(second)), LPARAM(first));
  EXPECT_EQ(SendMessageW(icon, STM_GETICON, 0, 0), LPARAM(second));
  EXPECT_EQ(SendMessageW(icon, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(ClientPixels(icon)[8 * 16 + 8], RGB(0, 128, 0));
  DestroyWindow(icon);
  DestroyIcon(first);
  DestroyIcon(second);
}

TEST_F(StaticTest, OnlyNotifyingStaticsTakeTheMouse) {
  HWND plain = Static(SS_LEFT, u"plain", 1);
  HWND notifying = Control(u"Static", SS_LEFT | SS_NOTIFY, u"notify", 200, 20, 80, 30, 2);
  EXPECT_EQ(WindowFromPoint(ScreenPoint(plain, 5, 5)), parent_);
  EXPECT_EQ(WindowFromPoint(ScreenPoint(notifying, 5, 5)), notifying);
  ClickAt(plain, 5, 5);
  EXPECT_TRUE(TakeCommands().empty());
  POINT pt = ScreenPoint(notifying, 5, 5);
  host::Click(pt.x, pt.y);
  host::Click(pt.x, pt.y);
  Pump();
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{2, STN_CLICKED, notifying},
                                                       {2, STN_DBLCLK, notifying}}));
  EnableWindow(notifying, FALSE);
  EXPECT_EQ(TakeCommands(), (std::vector<Notification>{{2, STN_DISABLE, notifying}}));
}

TEST_F(StaticTest, OwnerDrawSetAfterCreationAsksTheParentToDraw) {
  HWND owned = Static(SS_LEFT, u"text", 33);
  LONG style = GetWindowLongW(owned, GWL_STYLE);
  SetWindowLongW(owned, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_OWNERDRAW);
  InvalidateRect(owned, nullptr, TRUE);
  EXPECT_EQ(ClientPixels(owned)[0], RGB(255, 0, 0));
  ASSERT_EQ(Parent().drawItems.size(), 1u);
  const DRAWITEMSTRUCT& item = Parent().drawItems[0];
  EXPECT_EQ(item.CtlType, UINT(ODT_STATIC));
  EXPECT_EQ(item.CtlID, 33u);
  EXPECT_EQ(item.itemAction, UINT(ODA_DRAWENTIRE));
  EXPECT_EQ(item.hwndItem, owned);
  EXPECT_EQ(item.rcItem.right, kWidth);
  EXPECT_EQ(item.rcItem.bottom, kHeight);
}

}  // namespace
}  // namespace talix::testing
