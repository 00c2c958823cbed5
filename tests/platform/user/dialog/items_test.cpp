// Dialog item helpers: texts and numbers by id, check states through BM_GETCHECK and
// BM_SETCHECK, and radio groups.
#include "dialog_test_support.h"

#include <climits>

namespace talix::testing {
namespace {

class ItemsTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialog_ = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_FORM), nullptr, RecordingDialogProc, 0);
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(dialog_);
    DialogTest::TearDown();
  }
  HWND dialog_ = nullptr;
};

TEST_F(ItemsTest, GetDlgItemIntParsesAsDocumented) {
  struct Case {
    const char16_t* text;
    BOOL isSigned;
    BOOL translated;
    UINT value;
  } cases[] = {
      {u"42", FALSE, TRUE, 42},
      {u"  17  ", FALSE, TRUE, 17},
      {u"-5", TRUE, TRUE, UINT(-5)},
      {u"-5", FALSE, FALSE, 0},
      {u"4294967295", FALSE, TRUE, UINT_MAX},
      {u"4294967296", FALSE, FALSE, 0},       // overflow
      {u"2147483647", TRUE, TRUE, INT_MAX},
      {u"2147483648", TRUE, FALSE, 0},        // beyond a signed int
      {u"-2147483648", TRUE, TRUE, UINT(INT_MIN)},
      {u"12ab", FALSE, FALSE, 0},
      {u"", FALSE, FALSE, 0},
      {u"-", TRUE, FALSE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    ASSERT_TRUE(SetDlgItemTextW(dialog_, IDC_NAME, c.text));
    BOOL translated = 2;
    EXPECT_EQ(GetDlgItemInt(dialog_, IDC_NAME, &translated, c.isSigned), c.value);
    EXPECT_EQ(translated, c.translated);
  }
  BOOL translated = TRUE;
  EXPECT_EQ(GetDlgItemInt(dialog_, 4242, &translated, FALSE), 0u);  // no such item
  EXPECT_FALSE(translated);
}

TEST_F(ItemsTest, SetDlgItemIntAndTexts) {
  WCHAR text[16];
  ASSERT_TRUE(SetDlgItemInt(dialog_, IDC_NAME, UINT(-12), TRUE));
  GetDlgItemTextW(dialog_, IDC_NAME, text, 16);
  EXPECT_EQ(std::u16string(text), u"-12");
  ASSERT_TRUE(SetDlgItemInt(dialog_, IDC_NAME, UINT(-12), FALSE));
  GetDlgItemTextW(dialog_, IDC_NAME, text, 16);
  EXPECT_EQ(std::u16string(text), u"4294967284");
  // A short buffer gets a terminated prefix; a missing item an empty string.
  EXPECT_EQ(GetDlgItemTextW(dialog_, IDC_NAME, text, 4), 3u);
  EXPECT_EQ(std::u16string(text), u"429");
  text[0] = u'x';
  EXPECT_EQ(GetDlgItemTextW(dialog_, 4242, text, 16), 0u);
  EXPECT_EQ(text[0], 0);
  EXPECT_FALSE(SetDlgItemTextW(dialog_, 4242, u"t"));
  EXPECT_EQ(SendDlgItemMessageW(dialog_, 4242, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageW(dialog_, IDC_NAME, WM_GETTEXTLENGTH, 0, 0), 10);
}

TEST_F(ItemsTest, CheckButtonsAndRadioGroups) {
  EXPECT_TRUE(CheckDlgButton(dialog_, IDC_CHECK, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_CHECK), UINT(BST_CHECKED));
  EXPECT_TRUE(CheckDlgButton(dialog_, IDC_CHECK, BST_INDETERMINATE));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_CHECK), UINT(BST_INDETERMINATE));
  EXPECT_FALSE(CheckDlgButton(dialog_, 4242, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 4242), 0u);
  // Radio 1..3 are ids 1003..1005; the hidden and disabled ones lie outside the range.
  for (int pick : {IDC_RADIO2, IDC_RADIO3, IDC_RADIO1}) {
    ASSERT_TRUE(CheckRadioButton(dialog_, IDC_RADIO1, IDC_RADIO3, pick));
    for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3})
      EXPECT_EQ(IsDlgButtonChecked(dialog_, id), UINT(id == pick ? BST_CHECKED : BST_UNCHECKED));
  }
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_HIDDEN), UINT(BST_UNCHECKED));
  EXPECT_FALSE(CheckRadioButton(nullptr, 1, 2, 1));
}

}  // namespace
}  // namespace talix::testing
