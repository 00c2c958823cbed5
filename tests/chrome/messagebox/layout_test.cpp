// Layout from the text: the dialog's size, the text rectangle and the button row for a
// short and a long text, with and without an icon; the caption's least width; the
// template places of an unknown button set; where the box stands on the screen; the
// icon drawn over the background.
#include "messagebox_fixture.h"

namespace msgboxtest {
namespace {

constexpr int kButtonHeight = 20;  // the button pictures' height
constexpr int kHalfScreen = 1280 / 2;

int CaptionHeight() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = 500;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0);
  return metrics.iCaptionHeight;
}

// The non-client frame: window size less client size.
SIZE Frame(const Snapshot& s) {
  return SIZE{Width(s.window) - Width(s.client), Height(s.window) - Height(s.client)};
}

// Buttons in a row 10 pixels above the client bottom, 5 apart, centred.
void ExpectRow(const Snapshot& s, std::initializer_list<int> ids) {
  const int bw = Width(s.buttons.at(*ids.begin()));
  const int n = int(ids.size());
  int x = (s.client.right - n * bw - (n - 1) * 5) / 2;
  for (int id : ids) {
    SCOPED_TRACE(id);
    const RECT expected{x, s.client.bottom - kButtonHeight - 10, x + bw,
                        s.client.bottom - 10};
    EXPECT_TRUE(EqualRect(&s.buttons.at(id), &expected))
        << s.buttons.at(id).left << "," << s.buttons.at(id).top << " want " << x << ","
        << expected.top;
    x += bw + 5;
  }
  EXPECT_EQ(s.buttons.size(), ids.size());
}

struct LayoutCase {
  const char16_t* text;
  UINT type;
  bool wraps;
};

TEST_F(MessageBoxTest, DialogSizedToTheText) {
  GiveSkins();
  const std::u16string longText =
      u"This sentence is repeated until it is far wider than half of the screen, so "
      u"that the box has to wrap it over several lines. " +
      std::u16string(u"More words follow to make the text long enough for that. ");
  const LayoutCase cases[] = {
      {u"Saved.", MB_OK, false},
      {u"Two lines:\nthe second one is a little longer", MB_OKCANCEL | MB_ICONASTERISK, false},
      {longText.c_str(), MB_YESNOCANCEL, true},
      {longText.c_str(), MB_YESNO | MB_ICONEXCLAMATION, true},
  };
  const int icon = GetSystemMetrics(SM_CXICON);
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type);
    Snapshot s;
    Run(c.text, u"Box", c.type, Answer::Escape, &s);
    ASSERT_TRUE(s.opened);
    const bool hasIcon = (c.type & 0xF0) != 0;
    const int left = hasIcon ? icon + 42 : 21;
    const int wrapAt = kHalfScreen - (hasIcon ? 63 : 42);
    const SIZE one = MessageTextExtent(c.text);
    EXPECT_EQ(one.cx > wrapAt, c.wraps);
    const SIZE text = MessageTextExtent(c.text, c.wraps ? wrapAt : 0);
    if (c.wraps) {
      EXPECT_LE(text.cx, wrapAt);
    }

    EXPECT_EQ(s.text.left, left);
    EXPECT_EQ(s.text.top, 21);
    EXPECT_EQ(s.text.right, s.client.right);
    EXPECT_EQ(s.text.bottom, 21 + text.cy);
    const int captionWidth = GetSystemMetrics(SM_CXSIZE) + CaptionTextWidth(u"Box") + 42;
    const int buttons = (c.type & 0x0F) == MB_OK ? 1 : (c.type & 0x0F) == MB_YESNOCANCEL ? 3 : 2;
    const int rowWidth = buttons * Width(s.buttons.begin()->second) + (buttons + 1) * 21;
    EXPECT_EQ(Width(s.window),
              std::max({int(text.cx) + left + 21, captionWidth, rowWidth}));
    EXPECT_EQ(Height(s.window), text.cy + CaptionHeight() + kButtonHeight + 63);
    EXPECT_GT(Frame(s).cy, 0);
  }
}

TEST_F(MessageBoxTest, ButtonRowsByType) {
  GiveSkins();
  const struct {
    UINT type;
    std::initializer_list<int> row;
  } cases[] = {
      {MB_OK, {IDOK}},
      {MB_OKCANCEL, {IDOK, IDCANCEL}},
      {MB_YESNO, {IDYES, IDNO}},
      {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    Snapshot s;
    Run(u"A text long enough to make the dialog wider than the least width of any row",
        u"", c.type | MB_ICONHAND, Answer::Escape, &s);
    ExpectRow(s, c.row);
  }
}

TEST_F(MessageBoxTest, ShortTextTakesTheWidthOfTheButtonsOrTheCaption) {
  GiveSkins();
  Snapshot s;
  Run(u"Hi", u"", MB_YESNOCANCEL, Answer::Escape, &s);
  const int bw = Width(s.buttons.at(IDYES));
  EXPECT_EQ(Width(s.window), 3 * bw + 84) << "the row's least width";
  ExpectRow(s, {IDYES, IDNO, IDCANCEL});

  const char16_t* caption = u"A caption far wider than the text of the box";
  Run(u"Hi", caption, MB_OK, Answer::Escape, &s);
  EXPECT_EQ(Width(s.window),
            GetSystemMetrics(SM_CXSIZE) + CaptionTextWidth(caption) + 42);
}

TEST_F(MessageBoxTest, UnknownButtonSetKeepsTemplatePlacesAndNoDefault) {
  GiveSkins();
  Snapshot s;
  EXPECT_EQ(Run(u"A text wide enough to show the four buttons of the template", u"",
                MB_ABORTRETRYIGNORE, Answer::ClickYes, &s),
            IDYES);
  ASSERT_EQ(s.buttons.size(), 4u);
  // Left to right as in the template: OK, Cancel, Yes, No, all on one line.
  EXPECT_LT(s.buttons[IDOK].left, s.buttons[IDCANCEL].left);
  EXPECT_LT(s.buttons[IDCANCEL].left, s.buttons[IDYES].left);
  EXPECT_LT(s.buttons[IDYES].left, s.buttons[IDNO].left);
  for (int id : {IDCANCEL, IDYES, IDNO}) EXPECT_EQ(s.buttons[id].top, s.buttons[IDOK].top);
  EXPECT_NE(s.defId, MAKELRESULT(IDYES, DC_HASDEFID));
  EXPECT_NE(s.defId, MAKELRESULT(IDCANCEL, DC_HASDEFID));
}

TEST_F(MessageBoxTest, CentredOverOwnerOrWorkAreaAndKeptInside) {
  GiveSkins();
  const RECT work{0, 0, 1280, 994};
  Snapshot s;
  Run(u"Where am I?", u"", MB_OK, Answer::Escape, &s);
  EXPECT_EQ(s.window.left, (Width(work) - Width(s.window)) / 2);
  EXPECT_EQ(s.window.top, (Height(work) - Height(s.window)) / 2);

  const struct {
    RECT owner;
    bool atRightEdge;
  } owners[] = {{{100, 120, 700, 520}, false}, {{1100, 900, 1400, 1100}, true}};
  for (const auto& o : owners) {
    HWND owner = CreateWindowExW(0, u"Static", u"", WS_POPUP | WS_VISIBLE, o.owner.left,
                                 o.owner.top, Width(o.owner), Height(o.owner), nullptr,
                                 nullptr, nullptr, nullptr);
    Run(u"Where am I?", u"", MB_OK, Answer::Escape, &s, owner);
    if (o.atRightEdge) {
      EXPECT_EQ(s.window.right, work.right);
      EXPECT_EQ(s.window.bottom, work.bottom);
    } else {
      EXPECT_EQ(s.window.left, o.owner.left + (Width(o.owner) - Width(s.window)) / 2);
      EXPECT_EQ(s.window.top, o.owner.top + (Height(o.owner) - Height(s.window)) / 2);
    }
    DestroyWindow(owner);
  }
}

// Pixels of the client area that are not the background's yellow, inside `area`.
int Marked(const Snapshot& s, RECT area) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (!IsBackground(s.image.At(s.clientInImage.x + x, s.clientInImage.y + y)))
        ++count;
  return count;
}

TEST_F(MessageBoxTest, IconDrawnAtItsPlaceOverTheBackground) {
  GiveSkins();
  const int icon = GetSystemMetrics(SM_CXICON);
  const RECT iconArea{21, 21, 21 + icon, 21 + icon};
  for (UINT type : {UINT(MB_OK), UINT(MB_ICONHAND), UINT(MB_ICONASTERISK)}) {
    SCOPED_TRACE(type);
    Snapshot s;
    Run(u"", u"", type, Answer::Escape, &s);
    ASSERT_GT(s.image.width, 0);
    EXPECT_EQ(Marked(s, iconArea) > 0, type != MB_OK);
    EXPECT_EQ(Marked(s, RECT{0, 0, s.client.right, 21}), 0) << "above the icon";
    EXPECT_EQ(Marked(s, RECT{0, 21, 21, 21 + icon}), 0) << "left of the icon";
  }
}

}  // namespace
}  // namespace msgboxtest
