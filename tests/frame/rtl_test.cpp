// Right-to-left languages, mirrored dialog templates and the language id reader.
#include "frame_fixture.h"

#include "frame/RTLHelper.h"

#include <gtest/gtest.h>
#include <talix/host_sysmetrics.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

TEST(RTLHelper, RightToLeftLanguageCodes) {
  const struct {
    const WCHAR* lang;
    BOOL rtl;
  } cases[] = {{u"ara", TRUE}, {u"heb", TRUE}, {u"ARA", TRUE}, {u"Heb", TRUE},  {u"eng", FALSE},
               {u"he", FALSE}, {u"hebr", FALSE}, {u"", FALSE},  {nullptr, FALSE}};
  for (const auto& c : cases) {
    EXPECT_EQ(CRTLHelper::IsRTL(c.lang), c.rtl);
    CRTLHelper helper(c.lang);
    EXPECT_EQ(helper.IsRTL(), c.rtl);
  }
  CRTLHelper helper(u"eng");
  helper.Initialize(u"heb");
  CRTLHelper copy(helper);
  EXPECT_TRUE(copy.IsRTL());
}

class FlipDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::u16string path = frametest::WinPath(frametest::BinFolder() / "frametest" / "Dialogs.dll");
    module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }

  std::vector<BYTE> Original(const WCHAR* name) {
    HRSRC resource = FindResourceW(module_, name, RT_DIALOG);
    auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module_, resource)));
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module_, resource));
  }
  static DWORD StyleAt(const void* templ, size_t offset) {
    DWORD value;
    std::memcpy(&value, static_cast<const BYTE*>(templ) + offset, sizeof(value));
    return value;
  }

  HMODULE module_ = nullptr;
};

// Both template forms gain the mirrored layout in their own field and nothing else
// changes; the module's resource stays as it was.
TEST_F(FlipDialogTest, BothTemplateFormsGainTheMirroredLayout) {
  const struct {
    const WCHAR* name;
    size_t exStyleOffset;
  } cases[] = {{MAKEINTRESOURCEW(101), 4}, {MAKEINTRESOURCEW(102), 8}};
  for (const auto& c : cases) {
    std::vector<BYTE> before = Original(c.name);
    ASSERT_EQ(StyleAt(before.data(), c.exStyleOffset), 0x8u);
    DLGTEMPLATE* flipped = CRTLHelper::FlipDialog(module_, c.name, TRUE);
    ASSERT_NE(flipped, nullptr);
    std::vector<BYTE> after(reinterpret_cast<BYTE*>(flipped), reinterpret_cast<BYTE*>(flipped) + before.size());
    EXPECT_EQ(StyleAt(after.data(), c.exStyleOffset), 0x8u | WS_EX_LAYOUTRTL);
    std::memcpy(after.data() + c.exStyleOffset, before.data() + c.exStyleOffset, 4);
    EXPECT_EQ(after, before);
    EXPECT_EQ(Original(c.name), before);
    // Flipping again gives the same copy with the bit set once.
    EXPECT_EQ(CRTLHelper::FlipDialog(module_, c.name, TRUE), flipped);
    EXPECT_EQ(StyleAt(flipped, c.exStyleOffset), 0x8u | WS_EX_LAYOUTRTL);
    // A left-to-right request still gets the untouched template.
    DLGTEMPLATE* plain = CRTLHelper::FlipDialog(module_, c.name, FALSE);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(StyleAt(plain, c.exStyleOffset), 0x8u);
  }
}

TEST_F(FlipDialogTest, MemberFormsUseTheFlagAndTheId) {
  CRTLHelper rtl(u"heb");
  EXPECT_EQ(StyleAt(rtl.FlipDialog(module_, 0x10000u + 101), 4), 0x8u | WS_EX_LAYOUTRTL);
  CRTLHelper ltr(u"eng");
  EXPECT_EQ(StyleAt(ltr.FlipDialog(module_, 101u), 4), 0x8u);
  DLGTEMPLATE* named = rtl.FlipDialog(module_, u"NAMED");
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->dwExtendedStyle, static_cast<DWORD>(WS_EX_LAYOUTRTL));
}

TEST_F(FlipDialogTest, MissingOrTruncatedTemplatesGiveNull) {
  EXPECT_EQ(CRTLHelper::FlipDialog(module_, MAKEINTRESOURCEW(999), TRUE), nullptr);
  EXPECT_EQ(CRTLHelper::FlipDialog(module_, MAKEINTRESOURCEW(201), TRUE), nullptr);
  EXPECT_EQ(CRTLHelper::FlipDialog(module_, MAKEINTRESOURCEW(202), TRUE), nullptr);
  EXPECT_EQ(CRTLHelper::FlipDialog(module_, MAKEINTRESOURCEW(202), FALSE), nullptr);
}

TEST(RTLHelperLangID, ReadsOnlyTerminatedText) {
  frametest::SeedRegistry(
      "[HKEY_CURRENT_USER\\Software\\Lang]\n"
      "\"Code\"=\"heb\"\n"
      "\"Number\"=dword:00000001\n"
      "\"Raw\"=hex:68,00,65,00,62,00\n"
      "\"Long\"=\"" + std::string(400, 'x') + "\"\n");
  std::unique_ptr<WCHAR[]> code(CRTLHelper::GetLangID(HKEY_CURRENT_USER, u"Software\\Lang", u"Code"));
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(std::u16string(code.get()), u"heb");
  for (const WCHAR* name : {u"Number", u"Raw", u"Long", u"Missing"})
    EXPECT_EQ(CRTLHelper::GetLangID(HKEY_CURRENT_USER, u"Software\\Lang", name), nullptr);
  EXPECT_EQ(CRTLHelper::GetLangID(HKEY_CURRENT_USER, u"Software\\None", u"Code"), nullptr);
  EXPECT_EQ(CRTLHelper::GetLangID(HKEY_CURRENT_USER, nullptr, u"Code"), nullptr);
  EXPECT_EQ(CRTLHelper::GetLangID(HKEY_CURRENT_USER, u"Software\\Lang", nullptr), nullptr);
}

TEST(RTLHelperLangID, MidEastFollowsTheSystemMetric) {
  talix::host::SetSystemMetricOverride(SM_MIDEASTENABLED, 1);
  EXPECT_TRUE(CRTLHelper::IsMidEastEnabled());
  talix::host::SetSystemMetricOverride(SM_MIDEASTENABLED, 0);
  EXPECT_FALSE(CRTLHelper::IsMidEastEnabled());
  talix::host::ClearSystemMetricOverrides();
}

}  // namespace
