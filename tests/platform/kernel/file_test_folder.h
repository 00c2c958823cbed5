// A fresh temporary folder per test, removed with its contents afterwards, and small
// helpers to name things in it in either path form.
#pragma once

#include <gtest/gtest.h>
#include <talix/host.h>
#include <windows.h>

#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace talix::testing {

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/talix-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    host_ = pattern;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    savedCwd_ = cwd;
    liveAtStart_ = host::LiveHandles(HandleKind::KernelObject);
  }

  void TearDown() override {
    EXPECT_EQ(host::LiveHandles(HandleKind::KernelObject), liveAtStart_) << "kernel objects leaked";
    EXPECT_EQ(chdir(savedCwd_.c_str()), 0);
    nftw(host_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  }

  // Host path of a name inside the folder ("a/b.txt").
  std::string Host(const std::string& name = "") const {
    return name.empty() ? host_ : host_ + "/" + name;
  }
  // Windows form ("Z:\tmp\talix-files-x\a\b.txt").
  std::u16string Win(const std::string& name = "") const { return HostPathToWin(Host(name)); }

  void WriteHostFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Host(name), std::ios::binary) << bytes;
  }
  std::string ReadHostFile(const std::string& name) const {
    std::ifstream in(Host(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool HostExists(const std::string& name) const {
    struct stat st;
    return lstat(Host(name).c_str(), &st) == 0;
  }
  void MakeHostFolder(const std::string& name) const { ASSERT_EQ(mkdir(Host(name).c_str(), 0777), 0); }

 private:
  static int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    chmod(path, 0700);
    return remove(path);
  }

  std::string host_;
  std::string savedCwd_;
  size_t liveAtStart_ = 0;
};

// Whether permission bits bind this process (they do not for root).
inline bool PermissionsEnforced() { return geteuid() != 0; }

}  // namespace talix::testing
