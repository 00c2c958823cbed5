// Loading code and data-file modules: handles, reference counts, lookups by name and
// address, file names, the search order and the errors.
#include "module_files.h"

#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <talix/host.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace talix::test {
namespace {

// A looked-up function as the type it has (through void(*)(), which converts to any).
template <typename F>
F ProcAs(FARPROC proc) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

std::u16string WinFormOf(const std::string& hostPath) {
  return HostPathToWin(std::filesystem::canonical(hostPath).string());
}

TEST(LoadLibrary, CodeModuleIsSharedCountedAndUnloaded) {
  size_t modulesBefore = host::LiveHandles(HandleKind::Module);
  size_t resourcesBefore = host::LiveHandles(HandleKind::Resource);
  std::u16string path = Wide(SampleElfPath());
  HMODULE first = LoadLibraryW(path.c_str());
  ASSERT_NE(first, nullptr) << GetLastError();
  EXPECT_EQ(LoadLibraryW(path.c_str()), first) << "the same file gives the same handle";
  EXPECT_NE(FindResourceW(first, MAKEINTRESOURCEW(5001), u"PNG"), nullptr);

  auto answer = ProcAs<int (*)()>(GetProcAddress(first, "ElfSampleAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  auto ownModule = ProcAs<HMODULE (*)()>(GetProcAddress(first, "ElfSampleOwnModule"));
  ASSERT_NE(ownModule, nullptr);
  EXPECT_EQ(ownModule(), first) << "found from an address inside the module";
  for (LPCSTR missing : {"NoSuchFunction", "LoadLibraryW" /* a dependency's, not its own */,
                         reinterpret_cast<LPCSTR>(1) /* ordinals are not supported */}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(first, missing), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
  }

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(GetModuleHandleW(u"ElfSample.dll"), first) << "one reference left";
  EXPECT_TRUE(FreeLibrary(first));
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleW(u"ElfSample.dll"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
  EXPECT_FALSE(FreeLibrary(first)) << "a stale handle";
  EXPECT_EQ(host::LiveHandles(HandleKind::Module), modulesBefore);
  EXPECT_EQ(host::LiveHandles(HandleKind::Resource), resourcesBefore);

  HMODULE again = LoadLibraryW(path.c_str());
  EXPECT_NE(again, first) << "handles are not reused at once";
  EXPECT_TRUE(FreeLibrary(again));
}

TEST(LoadLibrary, ModuleHandleByNameAndByAddress) {
  HMODULE module = LoadLibraryW(Wide(SampleElfPath()).c_str());
  ASSERT_NE(module, nullptr);
  std::u16string winPath = WinFormOf(SampleElfPath());
  for (std::u16string name : {u"ElfSample.dll", u"ELFSAMPLE.DLL", u"elfsample", winPath.c_str()})
    EXPECT_EQ(GetModuleHandleW(name.c_str()), module) << ToUtf8(name);
  EXPECT_EQ(GetModuleHandleW(u"ElfSample."), nullptr) << "a trailing dot means no extension";
  EXPECT_EQ(GetModuleHandleW(u"Sample.dll"), nullptr) << "not loaded";

  auto ownModule = reinterpret_cast<void*>(GetProcAddress(module, "ElfSampleOwnModule"));
  HMODULE byAddress = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                 static_cast<LPCWSTR>(ownModule), &byAddress));
  EXPECT_EQ(byAddress, module);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(u"ElfSample.dll"), module) << "GetModuleHandleExW added a reference";
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(u"ElfSample.dll"), nullptr);

  HMODULE executable = GetModuleHandleW(nullptr);
  EXPECT_TRUE(FreeLibrary(executable));
  EXPECT_TRUE(FreeLibrary(executable));
  EXPECT_EQ(GetModuleHandleW(nullptr), executable) << "modules loaded at start stay";

  HMODULE self = nullptr;
  EXPECT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCWSTR>(&WinFormOf), &self));
  EXPECT_EQ(self, GetModuleHandleW(nullptr)) << "an address in the executable";
  EXPECT_FALSE(GetModuleHandleExW(0, u"NoSuchModule.dll", &self));
  EXPECT_EQ(self, nullptr);
  EXPECT_FALSE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                  nullptr, &self));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST(LoadLibrary, SystemModuleNamesAreThePlatform) {
  HMODULE kernel = GetModuleHandleW(u"kernel32");
  ASSERT_NE(kernel, nullptr);
  EXPECT_EQ(ProcAs<HMODULE (*)(LPCWSTR)>(GetProcAddress(kernel, "LoadLibraryW")), &LoadLibraryW);
  EXPECT_EQ(GetProcAddress(kernel, "NoSuchFunctionAnywhere"), nullptr) << "functions not provided are absent";
  HMODULE user = LoadLibraryW(u"USER32.DLL");
  EXPECT_EQ(user, kernel);
  EXPECT_TRUE(FreeLibrary(user));
}

TEST(LoadLibrary, DataFilesAreSharedButAreNotCodeModules) {
  size_t modulesBefore = host::LiveHandles(HandleKind::Module);
  std::u16string path = Wide(SamplePePath());
  HMODULE data = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE), data);
  EXPECT_EQ(GetProcAddress(data, "Anything"), nullptr);
  EXPECT_EQ(GetModuleHandleW(u"Sample.dll"), nullptr) << "data files are not found by name";
  EXPECT_TRUE(FreeLibrary(data));
  EXPECT_TRUE(FreeLibrary(data));
  EXPECT_EQ(host::LiveHandles(HandleKind::Module), modulesBefore);
}

TEST(GetModuleFileName, FullPathAndShortBuffers) {
  HMODULE module = LoadLibraryW(Wide(SampleElfPath()).c_str());
  ASSERT_NE(module, nullptr);
  std::u16string expected = WinFormOf(SampleElfPath());
  const DWORD length = static_cast<DWORD>(expected.size());
  struct Case {
    DWORD size;
    DWORD returned;
    DWORD error;  // 0: not set
  };
  for (Case c : {Case{length + 10, length, 0}, Case{length + 1, length, 0},
                 Case{length, length, ERROR_INSUFFICIENT_BUFFER},
                 Case{5, 5, ERROR_INSUFFICIENT_BUFFER}, Case{1, 1, ERROR_INSUFFICIENT_BUFFER}}) {
    std::u16string buffer(length + 20, u'#');
    SetLastError(0);
    DWORD got = GetModuleFileNameW(module, buffer.data(), c.size);
    EXPECT_EQ(got, c.returned) << "size " << c.size;
    EXPECT_EQ(GetLastError(), c.error) << "size " << c.size;
    size_t copied = std::min<size_t>(length, c.size - 1);
    EXPECT_EQ(buffer.substr(0, copied), expected.substr(0, copied));
    EXPECT_EQ(buffer[copied], u'\0') << "always terminated";
    EXPECT_EQ(buffer[c.size], u'#') << "nothing past the buffer";
  }
  EXPECT_TRUE(FreeLibrary(module));
  WCHAR buffer[MAX_PATH];
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(module, buffer, MAX_PATH), 0u) << "unloaded";
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
  DWORD exe = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  ASSERT_GT(exe, 0u);
  EXPECT_EQ(std::u16string(buffer), WinFormOf("/proc/self/exe"));
}

// Bare names search the executable's folder, System32 and the Windows folder, then the
// current folder; each path component may differ in case.
class ModuleSearch : public testing::Test {
 protected:
  void SetUp() override {
    root_ = MakeTempFolder();
    std::filesystem::create_directories(root_ + "/Win/System32");
    std::filesystem::create_directories(root_ + "/Current");
    std::filesystem::copy_file(SampleElfPath(), root_ + "/Win/System32/InSystem.dll");
    std::filesystem::copy_file(SampleElfPath(), root_ + "/Win/InWindows.dll");
    std::filesystem::copy_file(SampleElfPath(), root_ + "/Current/InCurrent.dll");
    oldWindir_ = getenv("TALIX_WINDIR") ? getenv("TALIX_WINDIR") : "";
    setenv("TALIX_WINDIR", (root_ + "/Win").c_str(), 1);
    oldCwd_ = std::filesystem::current_path().string();
    std::filesystem::current_path(root_ + "/Current");
  }
  void TearDown() override {
    std::filesystem::current_path(oldCwd_);
    if (oldWindir_.empty()) unsetenv("TALIX_WINDIR");
    else setenv("TALIX_WINDIR", oldWindir_.c_str(), 1);
    RemoveTree(root_);
  }
  std::string root_, oldWindir_, oldCwd_;
};

TEST_F(ModuleSearch, BareNamesFollowTheSearchOrderIgnoringCase) {
  struct Case {
    std::u16string name;
    std::string expectedFile;  // under root_, empty when not found
  };
  const Case cases[] = {
      {u"InSystem.dll", "/Win/System32/InSystem.dll"},
      {u"insystem", "/Win/System32/InSystem.dll"},
      {u"INWINDOWS.DLL", "/Win/InWindows.dll"},
      {u"InCurrent.dll", "/Current/InCurrent.dll"},
      {Wide(root_ + "/WIN/system32/INSYSTEM.dll"), "/Win/System32/InSystem.dll"},
      {u"..\\win\\inwindows.dll", "/Win/InWindows.dll"},
      {u"Missing.dll", ""},
      {u"InSystem.", ""},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    HMODULE module = LoadLibraryW(c.name.c_str());
    if (c.expectedFile.empty()) {
      EXPECT_EQ(module, nullptr) << ToUtf8(c.name);
      EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND)) << ToUtf8(c.name);
      continue;
    }
    ASSERT_NE(module, nullptr) << ToUtf8(c.name) << " error " << GetLastError();
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(module, path, MAX_PATH);
    EXPECT_EQ(std::u16string(path), WinFormOf(root_ + c.expectedFile)) << ToUtf8(c.name);
    EXPECT_TRUE(FreeLibrary(module));
  }
}

TEST(LoadLibrary, BadArgumentsAndFilesFailWithTheirErrors) {
  std::string folder = MakeTempFolder();
  WriteBytes(folder + "/Text.dll", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'd', 'u', 'l', 'e'});
  WriteBytes(folder + "/Empty.dll", Bytes{});
  std::filesystem::create_directories(folder + "/Folder.dll");
  struct Case {
    std::u16string name;
    DWORD flags;
    DWORD error;
  };
  const Case cases[] = {
      {u"", 0, ERROR_INVALID_PARAMETER},
      {u"Z:\\no\\such\\folder\\x.dll", 0, ERROR_MOD_NOT_FOUND},
      {u"C:\\Windows\\x.dll", 0, ERROR_MOD_NOT_FOUND},
      {Wide(folder + "/Text.dll"), 0, ERROR_BAD_EXE_FORMAT},
      {Wide(folder + "/Text.dll"), LOAD_LIBRARY_AS_DATAFILE, ERROR_BAD_EXE_FORMAT},
      {Wide(folder + "/Empty.dll"), LOAD_LIBRARY_AS_DATAFILE, ERROR_BAD_EXE_FORMAT},
      {Wide(folder + "/Folder.dll"), 0, ERROR_MOD_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryExW(c.name.c_str(), nullptr, c.flags), nullptr) << ToUtf8(c.name);
    EXPECT_EQ(GetLastError(), c.error) << ToUtf8(c.name);
  }
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(uintptr_t{0x12345})));
  EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(uintptr_t{0x12345}), "x"), nullptr);
  RemoveTree(folder);
}

}  // namespace
}  // namespace talix::test
