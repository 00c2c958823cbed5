// The KVNL.dll readers against the stand-in and its variants.
#include "frame_fixture.h"

#include "frame/KVNLReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using frametest::BinFolder;
using frametest::WinPath;

std::u16string Text(const WCHAR* text) { return text ? std::u16string(text) : u"(null)"; }

std::u16string Folder(const std::string& variant) {
  return WinPath(variant.empty() ? BinFolder() : BinFolder() / "kvnl" / variant);
}

TEST(KVNL2InfoReader, ReadsEveryFunctionOfTheFullModule) {
  CKVNL2InfoReader reader;
  std::u16string folder = Folder("");
  ASSERT_EQ(reader.ReadKVNL(folder.data()), 0);
  EXPECT_EQ(Text(reader.GetUIManufacturer()), u"Tavrin");
  EXPECT_EQ(Text(reader.GetKVNL()), u"Tavrin");
  EXPECT_EQ(reader.KVNL_GetVariantID(), 1);
  EXPECT_EQ(reader.GetNumberOfPhoneManufacturers(), 3);
  EXPECT_EQ(reader.GetNextPhoneManufacturer(), nullptr);  // the count ran the iteration out
  EXPECT_EQ(Text(reader.GetFirstPhoneManufacturer()), u"Tavrin");
  EXPECT_EQ(Text(reader.GetNextPhoneManufacturer()), u"Orvel");
  EXPECT_EQ(Text(reader.GetNextPhoneManufacturer()), u"Zenna");
}

TEST(KVNL2InfoReader, MissingFunctionsGiveNullAndZero) {
  CKVNL2InfoReader reader;
  std::u16string folder = Folder("textonly");
  ASSERT_EQ(reader.ReadKVNL(folder.data()), 0);
  EXPECT_EQ(reader.GetUIManufacturer(), nullptr);
  EXPECT_EQ(reader.KVNL_GetVariantID(), 0);
  EXPECT_EQ(reader.GetNumberOfPhoneManufacturers(), 0);  // no GetNextPhoneManufacturer
  EXPECT_EQ(Text(reader.GetFirstPhoneManufacturer()), u"Tavrin");
  EXPECT_EQ(Text(reader.GetKVNL()), u"Tavrin");
}

TEST(KVNL2InfoReader, LoadFailures) {
  CKVNL2InfoReader reader;
  std::u16string missing = WinPath(BinFolder() / "no_such_folder");
  EXPECT_EQ(reader.ReadKVNL(missing.data()), -2);
  EXPECT_EQ(reader.GetUIManufacturer(), nullptr);
  EXPECT_EQ(reader.GetNumberOfPhoneManufacturers(), 0);
  std::u16string tooLong = u"Z:\\" + std::u16string(300, u'a');
  EXPECT_EQ(reader.ReadKVNL(tooLong.data()), -2);
  WCHAR empty[1] = {0};
  EXPECT_EQ(reader.ReadKVNL(empty), -2);
}

TEST(KVNLInfoReader, FolderWithOrWithoutBackslashLoadsTheSameModule) {
  std::u16string plain = Folder("");
  std::u16string slashed = plain + u"\\";
  CKVNLInfoReader a(plain.c_str());
  CKVNLInfoReader b(slashed.c_str());
  EXPECT_EQ(Text(a.GetKVNL()), u"Tavrin");
  EXPECT_EQ(Text(b.GetKVNL()), u"Tavrin");
  // The text is a copy that the reader keeps.
  EXPECT_EQ(a.GetKVNL(), a.GetKVNL());
}

TEST(KVNLInfoReader, DefaultConstructorFindsTheModuleBesideTheExecutable) {
  CKVNLInfoReader2 reader;
  EXPECT_EQ(Text(reader.GetKVNL()), u"Tavrin");
  EXPECT_EQ(reader.GetVariantID(), 1);
}

TEST(KVNLInfoReader, MissingModuleOrFunctions) {
  std::u16string missing = WinPath(BinFolder() / "no_such_folder");
  CKVNLInfoReader2 none(missing.c_str());
  EXPECT_EQ(none.GetKVNL(), nullptr);
  EXPECT_EQ(none.GetVariantID(), 0xFFFF);
  std::u16string empty = Folder("empty");
  CKVNLInfoReader2 bare(empty.c_str());
  EXPECT_EQ(bare.GetKVNL(), nullptr);
  EXPECT_EQ(bare.GetVariantID(), 0xFFFF);
  std::u16string textOnly = Folder("textonly");
  CKVNLInfoReader2 partial(textOnly.c_str());
  EXPECT_EQ(partial.GetVariantID(), 0xFFFF);
  EXPECT_EQ(Text(partial.GetKVNL()), u"Tavrin");
}

}  // namespace
