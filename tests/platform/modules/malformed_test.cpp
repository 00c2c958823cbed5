// Damaged modules: a table of corruptions of the sample PE module and of the ELF module.
// A damaged header fails the load with ERROR_BAD_EXE_FORMAT; a damaged resource
// directory loads, and then each resource either reads back exactly as in the intact
// module or is not found. Nothing reads outside the file (the sanitizers watch).
#include "module_files.h"

#include "data/sample_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace talix::test {
namespace {

constexpr uint32_t kSubdirectory = 0x80000000u;

// Where the parts of the sample PE module are, read from its headers.
struct PeLayout {
  explicit PeLayout(const Bytes& b) {
    pe = Get32(b, 0x3C);
    fileHeader = pe + 4;
    optional = fileHeader + 20;
    sectionTable = optional + Get16(b, fileHeader + 16);
    root = Get32(b, sectionTable + 20);  // the directory starts its one section
    resourceSize = optional + 112 + 2 * 8 + 4;
  }
  // The offset of root entry `index`'s first data entry (first name, first language).
  uint32_t FirstDataEntry(const Bytes& b, uint32_t index) const {
    uint32_t typeDir = root + (Get32(b, root + 16 + 8 * index + 4) & ~kSubdirectory);
    uint32_t nameDir = root + (Get32(b, typeDir + 16 + 4) & ~kSubdirectory);
    return root + Get32(b, nameDir + 16 + 4);
  }
  uint32_t TypeDirectory(const Bytes& b, uint32_t index) const {
    return root + (Get32(b, root + 16 + 8 * index + 4) & ~kSubdirectory);
  }
  uint32_t pe, fileHeader, optional, sectionTable, root, resourceSize;
};

struct SampleResource {
  LPCWSTR type;
  LPCWSTR name;
};
const SampleResource kSampleResources[] = {
    {u"PNG", MAKEINTRESOURCEW(IDP_TINY)}, {u"PNG", u"LOGO"},
    {u"TTF", MAKEINTRESOURCEW(IDF_SYMBOLS)}, {RT_BITMAP, MAKEINTRESOURCEW(IDB_SMALL)},
    {RT_DIALOG, MAKEINTRESOURCEW(IDD_ABOUT)}, {RT_DIALOG, MAKEINTRESOURCEW(IDD_CLASSIC)},
    {RT_STRING, MAKEINTRESOURCEW(1)}, {RT_RCDATA, MAKEINTRESOURCEW(IDR_LANGS)},
    {RT_VERSION, MAKEINTRESOURCEW(1)},
};

struct Corruption {
  const char* what;
  std::function<void(Bytes&, const PeLayout&)> damage;
  DWORD loadError;       // ERROR_SUCCESS: the module loads
  SampleResource lost;   // a resource that must then be missing (type null: none)
};

class DamagedModules : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTempFolder();
    intact_ = ReadBytes(SamplePePath());
    HMODULE module = LoadLibraryExW(Wide(SamplePePath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    for (const SampleResource& r : kSampleResources)
      expected_.push_back(ResourceBytes(module, FindResourceW(module, r.name, r.type)));
    FreeLibrary(module);
  }
  void TearDown() override { RemoveTree(folder_); }

  std::u16string Write(const Bytes& bytes) {
    std::string path = folder_ + "/case" + std::to_string(++cases_) + ".dll";
    WriteBytes(path, bytes);
    return Wide(path);
  }

  // Every sample resource reads back exactly or is missing.
  void ExpectIntactOrMissing(HMODULE module, const char* what) {
    for (size_t i = 0; i < std::size(kSampleResources); ++i) {
      HRSRC found = FindResourceW(module, kSampleResources[i].name, kSampleResources[i].type);
      if (found) {
        EXPECT_EQ(ResourceBytes(module, found), expected_[i]) << what << " resource " << i;
      }
    }
    WCHAR text[64];
    LoadStringW(module, IDS_FIRST, text, 64);
    EnumResourceTypesW(module, [](HMODULE, LPWSTR, LONG_PTR) -> BOOL { return TRUE; }, 0);
  }

  std::string folder_;
  Bytes intact_;
  std::vector<Bytes> expected_;
  int cases_ = 0;
};

TEST_F(DamagedModules, PeCorruptionsFailOrLoseOnlyTheDamagedResources) {
  const SampleResource none{nullptr, nullptr};
  const SampleResource png{u"PNG", MAKEINTRESOURCEW(IDP_TINY)};
  const SampleResource ttf{u"TTF", MAKEINTRESOURCEW(IDF_SYMBOLS)};
  const Corruption corruptions[] = {
      {"truncated in the DOS header", [](Bytes& b, const PeLayout&) { b.resize(0x30); }, ERROR_BAD_EXE_FORMAT, none},
      {"e_lfanew past the end", [](Bytes& b, const PeLayout&) { Put32(b, 0x3C, 0xFFFFFFF0u); }, ERROR_BAD_EXE_FORMAT, none},
      {"e_lfanew at the last bytes", [](Bytes& b, const PeLayout&) { Put32(b, 0x3C, uint32_t(b.size() - 2)); },
       ERROR_BAD_EXE_FORMAT, none},
      {"no PE signature", [](Bytes& b, const PeLayout& l) { b[l.pe] = 'X'; }, ERROR_BAD_EXE_FORMAT, none},
      {"truncated in the optional header", [](Bytes& b, const PeLayout& l) { b.resize(l.optional + 30); },
       ERROR_BAD_EXE_FORMAT, none},
      {"unknown optional header magic", [](Bytes& b, const PeLayout& l) { Put16(b, l.optional, 0x999); },
       ERROR_BAD_EXE_FORMAT, none},
      {"section table past the end", [](Bytes& b, const PeLayout& l) { Put16(b, l.fileHeader + 2, 0xFFFF); },
       ERROR_BAD_EXE_FORMAT, none},
      {"section data past the end", [](Bytes& b, const PeLayout& l) { Put32(b, l.sectionTable + 20, 0x7FFFFFFF); },
       ERROR_BAD_EXE_FORMAT, none},
      {"huge section size", [](Bytes& b, const PeLayout& l) { Put32(b, l.sectionTable + 16, 0xFFFFFFFFu); },
       ERROR_BAD_EXE_FORMAT, none},
      {"truncated in the resources", [](Bytes& b, const PeLayout& l) { b.resize(l.root + 100); },
       ERROR_BAD_EXE_FORMAT, none},
      {"huge resource directory size", [](Bytes& b, const PeLayout& l) { Put32(b, l.resourceSize, 0xFFFFFFFFu); },
       ERROR_SUCCESS, png},
      {"type directory pointing at the root", [](Bytes& b, const PeLayout& l) { Put32(b, l.root + 16 + 4, kSubdirectory); },
       ERROR_SUCCESS, png},
      {"name directory pointing at itself",
       [](Bytes& b, const PeLayout& l) {
         uint32_t typeDir = l.TypeDirectory(b, 0);
         Put32(b, typeDir + 16 + 4, kSubdirectory | (typeDir - l.root));
       },
       ERROR_SUCCESS, {u"PNG", u"LOGO"}},
      {"type name past the end", [](Bytes& b, const PeLayout& l) { Put32(b, l.root + 16, kSubdirectory | 0x7FFFFFF0u); },
       ERROR_SUCCESS, png},
      {"subdirectory past the end",
       [](Bytes& b, const PeLayout& l) { Put32(b, l.root + 16 + 8 + 4, kSubdirectory | 0x7FFFFFFFu); },
       ERROR_SUCCESS, ttf},
      {"huge entry count", [](Bytes& b, const PeLayout& l) { Put16(b, l.root + 14, 0xFFFF); }, ERROR_SUCCESS, none},
      {"data RVA past the end", [](Bytes& b, const PeLayout& l) { Put32(b, l.FirstDataEntry(b, 1), 0xFFFFFF00u); },
       ERROR_SUCCESS, ttf},
      {"huge data size", [](Bytes& b, const PeLayout& l) { Put32(b, l.FirstDataEntry(b, 1) + 4, 0xFFFFFFF0u); },
       ERROR_SUCCESS, ttf},
      {"data running past its section",
       [](Bytes& b, const PeLayout& l) { Put32(b, l.FirstDataEntry(b, 1) + 4, Get32(b, l.sectionTable + 16)); },
       ERROR_SUCCESS, ttf},
  };
  for (const Corruption& c : corruptions) {
    Bytes damaged = intact_;
    c.damage(damaged, PeLayout(intact_));
    std::u16string path = Write(damaged);
    for (DWORD flags : {DWORD{LOAD_LIBRARY_AS_DATAFILE}, DWORD{0}}) {
      SetLastError(0);
      HMODULE module = LoadLibraryExW(path.c_str(), nullptr, flags);
      if (c.loadError != ERROR_SUCCESS) {
        EXPECT_EQ(module, nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.loadError) << c.what;
        continue;
      }
      ASSERT_NE(module, nullptr) << c.what << " error " << GetLastError();
      ExpectIntactOrMissing(module, c.what);
      if (c.lost.type) {
        EXPECT_EQ(FindResourceW(module, c.lost.name, c.lost.type), nullptr) << c.what;
      }
      EXPECT_TRUE(FreeLibrary(module));
    }
  }
}

// The offset of the compiled .res inside an ELF module: its empty leading record.
size_t ResOffset(const Bytes& elf) {
  static const uint8_t kMarker[] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  auto found = std::search(elf.begin(), elf.end(), std::begin(kMarker), std::end(kMarker));
  return found == elf.end() ? 0 : size_t(found - elf.begin());
}

TEST_F(DamagedModules, ElfCorruptionsFailOrLoseResources) {
  Bytes intact = ReadBytes(SampleElfPath());
  size_t res = ResOffset(intact);
  ASSERT_GT(res, 0u);
  size_t firstRecord = res + 32;
  struct ElfCase {
    const char* what;
    std::function<void(Bytes&)> damage;
    DWORD dataLoadError;
    bool allResourcesLost;
  };
  const ElfCase cases[] = {
      {"truncated header", [](Bytes& b) { b.resize(40); }, ERROR_BAD_EXE_FORMAT, true},
      {"section table past the end", [](Bytes& b) { b[0x28 + 7] = 0x7F; }, ERROR_BAD_EXE_FORMAT, true},
      {"section count past the end", [](Bytes& b) { Put16(b, 0x3C, 0xFFFF); }, ERROR_BAD_EXE_FORMAT, true},
      {"first record with a huge header", [=](Bytes& b) { Put32(b, firstRecord + 4, 0xFFFFFFF0u); },
       ERROR_SUCCESS, true},
      {"first record with a huge size", [=](Bytes& b) { Put32(b, firstRecord, 0x7FFFFFF0u); }, ERROR_SUCCESS, true},
      {"unterminated type name", [=](Bytes& b) { Put32(b, firstRecord + 4, 10); Put16(b, firstRecord + 8, 'A'); },
       ERROR_SUCCESS, true},
  };
  for (const ElfCase& c : cases) {
    Bytes damaged = intact;
    c.damage(damaged);
    std::u16string path = Write(damaged);
    SetLastError(0);
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (c.dataLoadError != ERROR_SUCCESS) {
      EXPECT_EQ(module, nullptr) << c.what;
      EXPECT_EQ(GetLastError(), c.dataLoadError) << c.what;
      continue;
    }
    ASSERT_NE(module, nullptr) << c.what;
    ExpectIntactOrMissing(module, c.what);
    if (c.allResourcesLost) {
      EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(IDP_TINY), u"PNG"), nullptr) << c.what;
      EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_DATA_NOT_FOUND)) << c.what;
    }
    EXPECT_TRUE(FreeLibrary(module));
  }
}

}  // namespace
}  // namespace talix::test
