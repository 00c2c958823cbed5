// Running boxes: the answer of each button, Escape, Enter and the close box for every
// button set and icon; the captions and the default button; the class-wide settings
// and the fall back to the system box; many boxes leave nothing behind.
#include "messagebox_fixture.h"

#include "frame/QuorLib.h"

namespace msgboxtest {
namespace {

struct AnswerCase {
  UINT buttons;
  Answer answer;
  int expected;
};

const AnswerCase kAnswers[] = {
    {MB_OK, Answer::ClickOk, IDOK},
    {MB_OK, Answer::Escape, IDCANCEL},  // Escape ends a box without Cancel too
    {MB_OK, Answer::Enter, IDOK},
    {MB_OKCANCEL, Answer::ClickOk, IDOK},
    {MB_OKCANCEL, Answer::ClickCancel, IDCANCEL},
    {MB_OKCANCEL, Answer::Escape, IDCANCEL},
    {MB_YESNO, Answer::ClickYes, IDYES},
    {MB_YESNO, Answer::ClickNo, IDNO},
    {MB_YESNO, Answer::Enter, IDYES},
    {MB_YESNO, Answer::CloseBox, IDCANCEL},
    {MB_YESNOCANCEL, Answer::ClickYes, IDYES},
    {MB_YESNOCANCEL, Answer::ClickNo, IDNO},
    {MB_YESNOCANCEL, Answer::ClickCancel, IDCANCEL},
    {MB_YESNOCANCEL, Answer::Escape, IDCANCEL},
};

const UINT kIcons[] = {0, MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK};

TEST_F(MessageBoxTest, EachAnswerEndsTheBoxWithItsId) {
  GiveSkins();
  for (const AnswerCase& c : kAnswers) {
    for (UINT icon : kIcons) {
      SCOPED_TRACE(testing::Message() << "type " << (c.buttons | icon) << " answer "
                                      << int(c.answer));
      Snapshot shot;
      EXPECT_EQ(Run(u"Proceed?", u"Question", c.buttons | icon, c.answer, &shot), c.expected);
      EXPECT_TRUE(shot.opened);
      EXPECT_FALSE(IsWindow(shot.dialog)) << "the dialog outlives Show";
    }
  }
}

TEST_F(MessageBoxTest, ButtonsCaptionsAndDefaultFollowTheType) {
  GiveSkins();
  const struct {
    UINT type;
    std::map<int, std::u16string> captions;
    int defId;
  } cases[] = {
      {MB_OK, {{IDOK, u"OK"}}, IDOK},
      {MB_OKCANCEL, {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}}, IDOK},
      {MB_YESNO, {{IDYES, u"Yes"}, {IDNO, u"No"}}, IDYES},
      {MB_YESNOCANCEL, {{IDYES, u"Yes"}, {IDNO, u"No"}, {IDCANCEL, u"Cancel"}}, IDYES},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    Snapshot shot;
    Run(u"Text", u"Title", c.type, Answer::Escape, &shot);
    EXPECT_EQ(shot.captions, c.captions);
    EXPECT_EQ(shot.defId, MAKELRESULT(c.defId, DC_HASDEFID));
    EXPECT_EQ(shot.title, u"Title");
    EXPECT_EQ(shot.textValue, u"Text");
  }
}

TEST_F(MessageBoxTest, WithoutLanguageModuleCaptionsAreEmpty) {
  GiveSkins();
  CQuorMessageBox::SetButtonCaptions(nullptr, IDS_LANG_OK, 0, 0, 0);
  Snapshot shot;
  EXPECT_EQ(Run(nullptr, nullptr, MB_OK, Answer::ClickOk, &shot), IDOK);
  EXPECT_EQ(shot.captions[IDOK], u"");
  EXPECT_EQ(shot.title, u"");
  EXPECT_EQ(shot.textValue, u"");
}

TEST_F(MessageBoxTest, HebrewModuleGivesHebrewCaptions) {
  GiveSkins();
  CQuorMessageBox::SetButtonCaptions(Language("heb"), IDS_LANG_OK, IDS_LANG_CANCEL,
                                     IDS_LANG_YES, IDS_LANG_NO);
  Snapshot shot;
  Run(u"?", u"", MB_YESNOCANCEL, Answer::ClickNo, &shot);
  EXPECT_EQ(shot.captions[IDYES], u"כן");
  EXPECT_EQ(shot.captions[IDNO], u"לא");
  EXPECT_EQ(shot.captions[IDCANCEL], u"ביטול");
}

// The system box answers from the scripted answers; the skinned one never takes them.
TEST_F(MessageBoxTest, MissingSkinFallsBackToSystemBox) {
  const struct {
    bool button, background;
  } cases[] = {{false, false}, {false, true}, {true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.button << c.background);
    CQuorMessageBox::ResetConfiguration();
    GiveSkins(c.button, c.background);
    talix::host::PushMessageBoxAnswer(IDNO);
    talix::host::ModalLoopKind kind = talix::host::ModalLoopKind::Dialog;
    talix::host::SetModalIdleCallback([&](const talix::host::ModalIdle& idle) { kind = idle.kind; });
    EXPECT_EQ(CQuorMessageBox::Show(nullptr, u"Fallback", u"Box", MB_YESNO), IDNO);
    talix::host::SetModalIdleCallback({});
    EXPECT_EQ(kind, talix::host::ModalLoopKind::MessageBox);
    EXPECT_EQ(talix::host::PendingMessageBoxAnswers(), 0u);
  }
}

TEST_F(MessageBoxTest, FirstSkinsStayColourFollowsEachCall) {
  GiveSkins();
  CQuorButtonSkin otherButtons;
  CQuorStaticBitmapSkin otherBackground;
  CQuorMessageBox::SetButtonSkin(&otherButtons);
  CQuorMessageBox::SetBackgroundSkin(&otherBackground);
  EXPECT_EQ(CQuorMessageBox::m_pButtonSkin, &buttonSkin_);
  EXPECT_EQ(CQuorMessageBox::m_pBackgroundSkin, &backgroundSkin_);

  for (COLORREF color : {RGB(10, 200, 30), RGB(250, 5, 5)}) {
    CQuorMessageBox::SetTextColor(color);
    COLORREF shown = 0;
    talix::host::SetModalIdleCallback([&](const talix::host::ModalIdle& idle) {
      auto* box = CQuorMessageBox::FromDialog(idle.window);
      if (box) shown = box->m_Text.GetTextColor();
      EndDialog(idle.window, IDOK);
    });
    CQuorMessageBox::Show(nullptr, u"Colour", u"", MB_OK);
    talix::host::SetModalIdleCallback({});
    EXPECT_EQ(shown, color);
  }
}

// The box lives in DWLP_USER: the skinned background owns GWLP_USERDATA, and every
// message the dialog procedure handles must still find the box, not the background.
TEST_F(MessageBoxTest, DialogFindsTheBoxBesideTheSkinnedBackground) {
  GiveSkins();
  bool found = false;
  HBRUSH brush = nullptr;
  talix::host::SetModalIdleCallback([&](const talix::host::ModalIdle& idle) {
    auto* box = CQuorMessageBox::FromDialog(idle.window);
    found = box && box->m_hWnd == idle.window &&
            CQuorWindowLink::Object(idle.window) == &box->m_Background;
    HDC dc = GetDC(idle.window);
    brush = reinterpret_cast<HBRUSH>(
        SendMessageW(idle.window, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(box->m_Text.m_hWnd)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(idle.window, dc);
    EXPECT_EQ(brush, box->m_hBrush);
    SendMessageW(idle.window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(CQuorMessageBox::Show(nullptr, u"Text", u"", MB_YESNO), IDCANCEL);
  talix::host::SetModalIdleCallback({});
  EXPECT_TRUE(found);
  EXPECT_TRUE(brush);
}

TEST_F(MessageBoxTest, HundredBoxesLeaveNothingBehind) {
  GiveSkins();
  for (int i = 0; i < 100; ++i) {
    const UINT type = UINT(i % 5 == 2 ? MB_YESNOCANCEL : i % 5) | kIcons[i % 5];
    Run(u"Again and again", u"Leak", type, i % 2 ? Answer::Escape : Answer::Enter);
  }
  // TearDown compares windows, GDI objects and cached pictures with the start.
}

}  // namespace
}  // namespace msgboxtest
