// Templates: resource and in-memory templates in both forms create the dialog and
// controls they describe; malformed templates fail cleanly.
#include "dialog_test_support.h"

#include "platform/user/dialog/dialog_template.h"

namespace talix::testing {
namespace {

using TemplateTest = DialogTest;

std::vector<BYTE> ResourceBytes(int id) {
  HRSRC found = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), RT_DIALOG);
  EXPECT_NE(found, nullptr);
  auto* data = static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleW(nullptr), found)));
  return std::vector<BYTE>(data, data + SizeofResource(GetModuleHandleW(nullptr), found));
}

TEST_F(TemplateTest, ReadsEveryFieldOfBothForms) {
  user::DialogTemplate ex;
  std::vector<BYTE> form = ResourceBytes(IDD_FORM);
  ASSERT_TRUE(user::ParseDialogTemplate(form.data(), form.size(), &ex));
  EXPECT_TRUE(ex.extended);
  EXPECT_EQ(ex.style, 0x80C800C0u);
  EXPECT_EQ(ex.x, 10); EXPECT_EQ(ex.y, 20); EXPECT_EQ(ex.cx, 220); EXPECT_EQ(ex.cy, 120);
  EXPECT_EQ(ex.title, u"Form");
  EXPECT_TRUE(ex.hasFont);
  EXPECT_EQ(ex.pointSize, 8); EXPECT_EQ(ex.weight, 400); EXPECT_EQ(ex.charset, 1);
  EXPECT_EQ(ex.face, u"MS Shell Dlg");
  ASSERT_EQ(ex.items.size(), 11u);
  EXPECT_EQ(ex.items[0].windowClass.text, u"TalixTestLabel");
  EXPECT_EQ(ex.items[0].title.text, u"&Name:");
  EXPECT_EQ(ex.items[10].id, DWORD(IDC_APPLY));
  EXPECT_EQ(ex.items[10].x, 161);

  user::DialogTemplate classic;
  std::vector<BYTE> old = ResourceBytes(IDD_CLASSIC);
  ASSERT_TRUE(user::ParseDialogTemplate(old.data(), old.size(), &classic));
  EXPECT_FALSE(classic.extended);
  EXPECT_EQ(classic.face, u"MS Shell Dlg");
  ASSERT_EQ(classic.items.size(), 2u);
  EXPECT_EQ(classic.items[0].windowClass.kind, user::NameOrOrdinal::Kind::Ordinal);
  EXPECT_EQ(classic.items[0].windowClass.ordinal, 0x82);  // "Static"
  EXPECT_EQ(classic.items[1].windowClass.ordinal, 0x80);  // "Button"
  EXPECT_EQ(classic.items[1].id, 2u);
}

// A template ends with its last item, so every shorter prefix of it is truncated.
TEST_F(TemplateTest, EveryTruncationFails) {
  for (int id : {IDD_FORM, IDD_CLASSIC}) {
    std::vector<BYTE> bytes = ResourceBytes(id);
    // Resources are padded to a DWORD; find the real end first.
    size_t end = bytes.size();
    user::DialogTemplate t;
    while (end > 0 && user::ParseDialogTemplate(bytes.data(), end - 1, &t)) --end;
    ASSERT_GT(end, 30u);
    for (size_t n = 0; n < end; ++n)
      EXPECT_FALSE(user::ParseDialogTemplate(bytes.data(), n, &t)) << id << " cut at " << n;
  }
}

TEST_F(TemplateTest, MalformedInMemoryTemplatesFailWithInvalidParameter) {
  TemplateBuilder good(false, WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 50, u"t");
  good.Item(WS_CHILD | WS_VISIBLE, 5, 5, 40, 10, 10, u"", u"x", 0x82);
  std::vector<BYTE> tooMany = good.Bytes();
  tooMany[8] = 40;  // cdit beyond what follows
  std::vector<BYTE> unterminated = good.Bytes();
  unterminated.resize(22);  // the title's terminator cut off
  unterminated.push_back(u'A');
  unterminated.push_back(0);
  struct Case { const char* name; std::vector<BYTE> bytes; };
  Case cases[] = {{"truncated head", std::vector<BYTE>(good.Bytes().begin(), good.Bytes().begin() + 12)},
                  {"count beyond the size", tooMany},
                  {"string past the end", unterminated}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, c.bytes.size());
    std::memcpy(block, c.bytes.data(), c.bytes.size());
    SetLastError(0);
    EXPECT_EQ(CreateDialogIndirectParamW(nullptr, static_cast<LPCDLGTEMPLATEW>(block), nullptr,
                                         RecordingDialogProc, 0), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, static_cast<LPCDLGTEMPLATEW>(block), nullptr,
                                      RecordingDialogProc, 0), -1);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    GlobalFree(block);
  }
  HGLOBAL block = good.Global();
  HWND dialog = CreateDialogIndirectParamW(nullptr, static_cast<LPCDLGTEMPLATEW>(block), nullptr,
                                           RecordingDialogProc, 0);
  EXPECT_NE(dialog, nullptr);
  DestroyWindow(dialog);
  GlobalFree(block);
}

TEST_F(TemplateTest, MissingTemplatesAndClassesFail) {
  EXPECT_EQ(CreateDialogParamW(Self(), MAKEINTRESOURCEW(999), nullptr, RecordingDialogProc, 0), nullptr);
  EXPECT_EQ(DialogBoxParamW(Self(), MAKEINTRESOURCEW(999), nullptr, RecordingDialogProc, 0), -1);
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, nullptr, nullptr, RecordingDialogProc, 0), -1);
  // An item of a class nobody registered: no dialog, and nothing left behind.
  TemplateBuilder t(false, WS_POPUP, 0, 0, 0, 100, 50, u"t");
  t.Item(WS_CHILD, 0, 0, 10, 10, 5, u"NoSuchClass", u"");
  EXPECT_EQ(CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.Bytes().data()),
                                       nullptr, RecordingDialogProc, 0), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));
  // ... unless the template says DS_NOFAILCREATE.
  TemplateBuilder lenient(false, WS_POPUP | DS_NOFAILCREATE, 0, 0, 0, 100, 50, u"t");
  lenient.Item(WS_CHILD, 0, 0, 10, 10, 5, u"NoSuchClass", u"");
  lenient.Item(WS_CHILD, 0, 0, 10, 10, 6, kButtonClass, u"");
  HWND dialog = CreateDialogIndirectParamW(
      nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(lenient.Bytes().data()), nullptr, RecordingDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDlgItem(dialog, 5), nullptr);
  EXPECT_NE(GetDlgItem(dialog, 6), nullptr);
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace talix::testing
