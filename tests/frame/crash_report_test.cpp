// Crash reporting: when the handler installs, what the handler does with and without
// the report component, and a real crash in a child process leaving a report.
#include "frame_fixture.h"

#include "frame/CrashReport.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <talix/host_paths.h>
#include <talix/host_registry.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class CrashReport : public ::testing::Test {
 protected:
  void SetUp() override {
    crashDir_ = fs::temp_directory_path() / ("talix_crash_" + std::to_string(getpid()));
    fs::remove_all(crashDir_);
    fs::create_directories(crashDir_);
    setenv("TALIX_CRASHDIR", crashDir_.c_str(), 1);
    talix::host::ResetRegistry();
  }
  void TearDown() override {
    SetUnhandledExceptionFilter(nullptr);
    talix::host::SetWindowsFolder(nullptr);
    unsetenv("TALIX_CRASHDIR");
    fs::remove_all(crashDir_);
  }
  fs::path Report(pid_t pid) const { return crashDir_ / ("talix-crash-" + std::to_string(pid) + ".txt"); }
  static LONG CallHandler() {
    EXCEPTION_RECORD record{};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = reinterpret_cast<PVOID>(0x1234);
    CONTEXT context{};
    EXCEPTION_POINTERS pointers{&record, &context};
    return talix::frame::ReportUnhandledException(&pointers);
  }

  fs::path crashDir_;
};

// A released suite (first build part above 0) keeps its own handling; anything else lets
// the library's version decide, and 1.1.0.0 installs.
TEST_F(CrashReport, BuildNumberDecidesTheInstallation) {
  const struct {
    const char* value;
    int installed;
  } cases[] = {{nullptr, 1},         {"\"0.9.5\"", 1}, {"\"2.1.16\"", 0}, {"\"2.1\"", 1},
               {"dword:00000002", 1}, {"\"3.0.1.7\"", 0}, {"\"\"", 1}};
  for (const auto& c : cases) {
    frametest::SeedRegistry(c.value ? std::string("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tavrin]\n\"KelvaneBuildNumber\"=") +
                                          c.value + "\n"
                                    : "");
    SetUnhandledExceptionFilter(nullptr);
    EXPECT_EQ(KvnInitializeWER(), c.installed) << (c.value ? c.value : "unset");
    LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(nullptr);
    EXPECT_EQ(installed != nullptr, c.installed == 1) << (c.value ? c.value : "unset");
  }
}

TEST_F(CrashReport, BuildNumberIsReadTerminated) {
  frametest::SeedRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tavrin]\n\"KelvaneBuildNumber\"=\"2.1.16\"\n");
  WCHAR buffer[7];
  EXPECT_TRUE(talix::frame::ReadBuildNumber(buffer, sizeof(buffer)));
  EXPECT_EQ(std::u16string(buffer), u"2.1.16");
  WCHAR small[6];
  EXPECT_FALSE(talix::frame::ReadBuildNumber(small, sizeof(small)));
  EXPECT_EQ(small[0], 0);
}

TEST_F(CrashReport, HandlerWritesAReportThroughTheComponent) {
  EXPECT_EQ(CallHandler(), EXCEPTION_EXECUTE_HANDLER);
  std::string report = ReadFile(Report(getpid()));
  EXPECT_NE(report.find("exception code: 0x00000000c0000005"), std::string::npos) << report;
  EXPECT_NE(report.find("address: 0x0000000000001234"), std::string::npos) << report;
  EXPECT_NE(report.find("backtrace:"), std::string::npos) << report;
}

TEST_F(CrashReport, WithoutTheComponentOrItsFunctionTheExceptionGoesOn) {
  fs::path bin = frametest::BinFolder();
  talix::host::SetWindowsFolder((bin.parent_path() / "windows-noreport").c_str());
  EXPECT_EQ(CallHandler(), EXCEPTION_CONTINUE_SEARCH);
  talix::host::SetWindowsFolder(crashDir_.c_str());  // no System32 at all
  EXPECT_EQ(CallHandler(), EXCEPTION_CONTINUE_SEARCH);
  EXPECT_FALSE(fs::exists(Report(getpid())));
}

// The component's path must fit in MAX_PATH: a Windows folder of 237 characters works,
// one of 238 does not.
TEST_F(CrashReport, WindowsFolderLengthLimit) {
  fs::path component = frametest::BinFolder().parent_path() / "windows" / "System32" / "FaultRep.dll";
  for (size_t length : {237u, 238u}) {
    // The folder's Windows form is "Z:" followed by its host path.
    std::string base = crashDir_.string() + "/w";
    fs::path folder = base + std::string(length - 2 - base.size(), 'w');
    fs::create_directories(folder / "System32");
    fs::copy_file(component, folder / "System32" / "FaultRep.dll", fs::copy_options::overwrite_existing);
    talix::host::SetWindowsFolder(folder.c_str());
    WCHAR windows[MAX_PATH];
    ASSERT_EQ(GetSystemWindowsDirectoryW(windows, MAX_PATH), length);
    EXPECT_EQ(CallHandler(), length == 237 ? EXCEPTION_EXECUTE_HANDLER : EXCEPTION_CONTINUE_SEARCH) << length;
  }
}

// A host that installed the handler and then faults ends after the report is written.
TEST_F(CrashReport, CrashingHostLeavesAReport) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (KvnInitializeWER() != 1) _exit(2);
    void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    *static_cast<volatile int*>(page) = 1;
    _exit(3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGSEGV);
  std::string report = ReadFile(Report(child));
  EXPECT_NE(report.find("exception code: 0x00000000c0000005"), std::string::npos) << report;
  EXPECT_NE(report.find("data address: 0x"), std::string::npos) << report;
  // The backtrace runs from the reporter back through the signal handler.
  EXPECT_GE(std::count(report.begin(), report.end(), '\n'), 6) << report;
}

}  // namespace
