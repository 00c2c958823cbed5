// The sample resources read back byte-exact from every kind of container: resource-only
// PE modules (PE32+ and PE32), the ELF module loaded as code and as a data file, and the
// test executable itself.
#include "module_files.h"

#include "data/sample_ids.h"

#include <talix/host.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

namespace talix::test {
namespace {

enum class Container { Pe64, Pe32, ElfCode, ElfData, Executable };

// The data of record (type id, name id) of a .res file, found by a plain scan.
Bytes ResRecord(const Bytes& res, uint16_t type, uint16_t name, uint16_t language) {
  for (size_t at = 0; at + 32 <= res.size();) {
    uint32_t dataSize = Get32(res, at), headerSize = Get32(res, at + 4);
    bool numeric = Get16(res, at + 8) == 0xFFFF && Get16(res, at + 12) == 0xFFFF;
    if (numeric && Get16(res, at + 10) == type && Get16(res, at + 14) == name &&
        Get16(res, at + 22) == language)
      return Bytes(res.begin() + at + headerSize, res.begin() + at + headerSize + dataSize);
    at = (at + headerSize + dataSize + 3) & ~size_t{3};
  }
  return {};
}

// The permissions ("r--p", ...) of the mapping holding `address`, from /proc/self/maps.
std::string MappingPermissions(const void* address) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  auto at = reinterpret_cast<uintptr_t>(address);
  while (std::getline(maps, line)) {
    unsigned long start = 0, end = 0;
    char permissions[5] = {};
    if (std::sscanf(line.c_str(), "%lx-%lx %4s", &start, &end, permissions) == 3 && at >= start && at < end)
      return permissions;
  }
  return "unmapped";
}

class SampleResources : public testing::TestWithParam<Container> {
 protected:
  void SetUp() override {
    switch (GetParam()) {
      case Container::Pe64:
        module_ = LoadLibraryExW(Wide(SamplePePath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        break;
      case Container::Pe32:
        module_ = LoadLibraryExW(Wide(SamplePe32Path()).c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        break;
      case Container::ElfCode:
        module_ = LoadLibraryW(Wide(SampleElfPath()).c_str());
        break;
      case Container::ElfData:
        module_ = LoadLibraryExW(Wide(SampleElfPath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        break;
      case Container::Executable:
        module_ = GetModuleHandleW(nullptr);
        break;
    }
    ASSERT_NE(module_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (GetParam() != Container::Executable) {
      EXPECT_TRUE(FreeLibrary(module_));
    }
  }

  Bytes Find(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(module_, name, type);
    EXPECT_NE(found, nullptr) << "error " << GetLastError();
    return found ? ResourceBytes(module_, found) : Bytes();
  }

  HMODULE module_ = nullptr;
};

TEST_P(SampleResources, FilesReadBackByteExact) {
  Bytes png = ReadBytes(DataPath("tiny.png"));
  EXPECT_EQ(Find(u"PNG", MAKEINTRESOURCEW(IDP_TINY)), png);
  EXPECT_EQ(Find(u"png", u"#5001"), png) << "type names ignore case; #n is identifier n";
  EXPECT_EQ(Find(u"PNG", u"logo"), png) << "named resource";
  EXPECT_EQ(Find(u"TTF", MAKEINTRESOURCEW(IDF_SYMBOLS)), ReadBytes(DataPath("symbols.otf")));
  Bytes bmp = ReadBytes(DataPath("small.bmp"));
  EXPECT_EQ(Find(RT_BITMAP, MAKEINTRESOURCEW(IDB_SMALL)), Bytes(bmp.begin() + 14, bmp.end()))
      << "a bitmap resource is the file without its file header";
}

TEST_P(SampleResources, CompiledResourcesMatchTheResFile) {
  Bytes res = ReadBytes(SampleResPath());
  Bytes dialogEx = Find(RT_DIALOG, MAKEINTRESOURCEW(IDD_ABOUT));
  ASSERT_GE(dialogEx.size(), 12u);
  EXPECT_EQ(Get32(dialogEx, 0), 0xFFFF0001u) << "DLGTEMPLATEEX signature";
  EXPECT_EQ(Get32(dialogEx, 8), 0x8u) << "extended style";
  EXPECT_EQ(dialogEx, ResRecord(res, 5, IDD_ABOUT, 0x409));
  Bytes dialog = Find(RT_DIALOG, MAKEINTRESOURCEW(IDD_CLASSIC));
  ASSERT_GE(dialog.size(), 8u);
  EXPECT_EQ(Get32(dialog, 0), 0x80C80040u) << "DLGTEMPLATE style, DS_SETFONT added for FONT";
  EXPECT_EQ(dialog, ResRecord(res, 5, IDD_CLASSIC, 0x409));
  EXPECT_EQ(Find(RT_VERSION, MAKEINTRESOURCEW(1)), ResRecord(res, 16, 1, 0x409));
  for (uint16_t block : {1, 2, 7, 4096})
    EXPECT_EQ(Find(RT_STRING, MAKEINTRESOURCEW(block)),
              ResRecord(res, 6, block, block == (IDS_HEBREW_ONLY >> 4) + 1 ? 0x40D : 0x409))
        << "string block " << block;
}

struct StringCase {
  UINT id;
  int cch;
  int expectedReturn;
  std::u16string expectedText;
};

TEST_P(SampleResources, LoadStringCopiesTruncatesAndTerminates) {
  const StringCase cases[] = {
      {IDS_FIRST, 64, 12, u"First string"},
      {IDS_LAST_OF_BLOCK, 64, 18, u"Last of block zero"},
      {IDS_NEXT_BLOCK, 64, 18, u"Start of block one"},
      {IDS_HEBREW, 64, 9, u"שלום עולם"},
      {IDS_HEBREW_ONLY, 64, 9, u"רק בעברית"},
      {IDS_HIGH, 64, 24, u"The very last identifier"},
      {IDS_LONG, 37, 36, u"0123456789abcdefghijklmnopqrstuvwxyz"},
      {IDS_LONG, 36, 35, u"0123456789abcdefghijklmnopqrstuvwxy"},
      {IDS_LONG, 11, 10, u"0123456789"},
      {IDS_LONG, 1, 0, u""},
      {2, 64, 0, u""},            // an empty slot of an existing block
      {IDS_EMPTY_NEIGHBOUR, 64, 0, u""},
      {500, 64, 0, u""},          // a block that does not exist
  };
  for (const StringCase& c : cases) {
    std::u16string buffer(80, u'#');
    int got = LoadStringW(module_, c.id, buffer.data(), c.cch);
    EXPECT_EQ(got, c.expectedReturn) << "id " << c.id << " cch " << c.cch;
    EXPECT_EQ(buffer.substr(0, got), c.expectedText) << "id " << c.id;
    EXPECT_EQ(buffer[got], u'\0') << "terminated, id " << c.id;
    EXPECT_EQ(buffer[c.cch], u'#') << "nothing written past the buffer, id " << c.id;
  }
}

TEST_P(SampleResources, LoadStringWithNoBufferSizeGivesReadOnlyPointer) {
  const WCHAR* text = nullptr;
  int length = LoadStringW(module_, IDS_HEBREW, reinterpret_cast<LPWSTR>(&text), 0);
  ASSERT_EQ(length, 9);
  std::u16string copy(9, u'\0');
  std::memcpy(copy.data(), text, 9 * sizeof(WCHAR));  // the resource need not be aligned
  EXPECT_EQ(copy, u"שלום עולם");
  Bytes block = Find(RT_STRING, MAKEINTRESOURCEW(IDS_HEBREW / 16 + 1));
  const BYTE* start = static_cast<const BYTE*>(
      LockResource(LoadResource(module_, FindResourceW(module_, MAKEINTRESOURCEW(2), RT_STRING))));
  const BYTE* pointed = reinterpret_cast<const BYTE*>(text);
  EXPECT_TRUE(pointed > start && pointed + 18 <= start + block.size()) << "points into the resource";
}

struct LanguageCase {
  WORD requested;
  const char* expected;
};

TEST_P(SampleResources, LanguageSelectionFallsBackToNeutralThenAny) {
  const LanguageCase cases[] = {
      {0x0409, "english"}, {0x040D, "hebrew"}, {0x0000, "neutral"},
      {0x0809, "neutral"},  // English (UK): no exact match, no English-neutral
      {0x0407, "neutral"},
  };
  for (const LanguageCase& c : cases) {
    HRSRC found = FindResourceExW(module_, RT_RCDATA, MAKEINTRESOURCEW(IDR_LANGS), c.requested);
    ASSERT_NE(found, nullptr) << c.requested;
    Bytes bytes = ResourceBytes(module_, found);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.expected) << std::hex << c.requested;
  }
  EXPECT_EQ(Find(RT_RCDATA, MAKEINTRESOURCEW(IDR_LANGS)), Bytes({'n', 'e', 'u', 't', 'r', 'a', 'l'}));
  HRSRC onlyEnglish = FindResourceExW(module_, u"PNG", MAKEINTRESOURCEW(IDP_TINY), 0x040D);
  EXPECT_NE(onlyEnglish, nullptr) << "any language when neither exact nor neutral exists";
}

std::u16string Label(LPCWSTR key) {
  if (!IS_INTRESOURCE(key)) return key;
  std::string digits = std::to_string(LOWORD(key));
  return u"#" + std::u16string(digits.begin(), digits.end());
}

struct Visit {
  std::vector<std::u16string> seen;
  size_t stopAfter = SIZE_MAX;
};

TEST_P(SampleResources, EnumerationVisitsInDirectoryOrderAndStops) {
  Visit types;
  EXPECT_TRUE(EnumResourceTypesW(module_, [](HMODULE, LPWSTR type, LONG_PTR p) -> BOOL {
    auto* v = reinterpret_cast<Visit*>(p);
    v->seen.push_back(Label(type));
    return v->seen.size() < v->stopAfter;
  }, reinterpret_cast<LONG_PTR>(&types)));
  EXPECT_EQ(types.seen, (std::vector<std::u16string>{u"PNG", u"TTF", u"#2", u"#5", u"#6", u"#10", u"#16"}));

  Visit stopped;
  stopped.stopAfter = 2;
  EXPECT_FALSE(EnumResourceTypesW(module_, [](HMODULE, LPWSTR type, LONG_PTR p) -> BOOL {
    auto* v = reinterpret_cast<Visit*>(p);
    v->seen.push_back(Label(type));
    return v->seen.size() < v->stopAfter;
  }, reinterpret_cast<LONG_PTR>(&stopped)));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_ENUM_USER_STOP));
  EXPECT_EQ(stopped.seen.size(), 2u);

  Visit names;
  EXPECT_TRUE(EnumResourceNamesW(module_, u"PNG", [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR p) -> BOOL {
    reinterpret_cast<Visit*>(p)->seen.push_back(Label(name));
    return TRUE;
  }, reinterpret_cast<LONG_PTR>(&names)));
  EXPECT_EQ(names.seen, (std::vector<std::u16string>{u"LOGO", u"#5001"}));

  std::vector<WORD> languages;
  EXPECT_TRUE(EnumResourceLanguagesW(module_, RT_RCDATA, MAKEINTRESOURCEW(IDR_LANGS),
                                     [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR p) -> BOOL {
                                       reinterpret_cast<std::vector<WORD>*>(p)->push_back(language);
                                       return TRUE;
                                     }, reinterpret_cast<LONG_PTR>(&languages)));
  EXPECT_EQ(languages, (std::vector<WORD>{0x0000, 0x0409, 0x040D}));
}

TEST_P(SampleResources, MissingResourcesAndForeignHandlesFail) {
  SetLastError(0);
  EXPECT_EQ(FindResourceW(module_, MAKEINTRESOURCEW(1), u"NOPE"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceW(module_, MAKEINTRESOURCEW(999), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceW(module_, u"LOGOS", u"PNG"), nullptr);

  HMODULE other = LoadLibraryExW(Wide(SamplePePath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(other, nullptr);
  HRSRC foreign = FindResourceW(other, MAKEINTRESOURCEW(IDP_TINY), u"PNG");
  ASSERT_NE(foreign, nullptr);
  if (other != module_) {
    EXPECT_EQ(LoadResource(module_, foreign), nullptr) << "a resource of another module";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_EQ(SizeofResource(module_, foreign), 0u);
  }
  EXPECT_EQ(LoadResource(module_, reinterpret_cast<HRSRC>(uintptr_t{0x1234})), nullptr);
  EXPECT_TRUE(FreeLibrary(other));
}

TEST_P(SampleResources, WritableCopyIsStableAndLeavesTheResourceAlone) {
  HRSRC dialog = FindResourceW(module_, MAKEINTRESOURCEW(IDD_ABOUT), RT_DIALOG);
  ASSERT_NE(dialog, nullptr);
  Bytes original = ResourceBytes(module_, dialog);
  const void* loaded = LockResource(LoadResource(module_, dialog));
  EXPECT_EQ(MappingPermissions(loaded).substr(0, 2), "r-") << "resource memory is read-only";
  auto* copy = static_cast<BYTE*>(host::WritableResourceCopy(module_, dialog));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Bytes(copy, copy + original.size()), original);
  EXPECT_NE(copy, LockResource(LoadResource(module_, dialog)));
  copy[8] |= 0x40;  // as a right-to-left flip sets WS_EX_LAYOUTRTL's byte
  EXPECT_EQ(host::WritableResourceCopy(module_, dialog), copy) << "one copy per resource";
  EXPECT_EQ(ResourceBytes(module_, dialog), original);
}

std::string ContainerName(const testing::TestParamInfo<Container>& info) {
  static const char* const kNames[] = {"Pe64", "Pe32", "ElfCode", "ElfData", "Executable"};
  return kNames[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Containers, SampleResources,
                         testing::Values(Container::Pe64, Container::Pe32, Container::ElfCode,
                                         Container::ElfData, Container::Executable),
                         ContainerName);

TEST(ExecutableResources, NullModuleMeansTheExecutable) {
  WCHAR text[32];
  EXPECT_EQ(LoadStringW(nullptr, IDS_FIRST, text, 32), 12);
  EXPECT_EQ(std::u16string(text), u"First string");
  HRSRC png = FindResourceW(nullptr, MAKEINTRESOURCEW(IDP_TINY), u"PNG");
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(ResourceBytes(nullptr, png), ReadBytes(DataPath("tiny.png")));
}

}  // namespace
}  // namespace talix::test
