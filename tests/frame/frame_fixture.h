// Helpers of the frame tests: Windows-form paths and a private library folder made of
// the built stand-ins and resource modules.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace frametest {

// The folder of the test executable (the build's bin/ folder).
std::filesystem::path BinFolder();
// A host path in Windows form (Z: is the host's root).
std::u16string WinPath(const std::filesystem::path& path);

// A temporary library folder: KVNL.dll of `kvnlVariant` ("" = the full stand-in,
// else the folder name under bin/kvnl) with `ini` as KVNL.ini, Lang/ and Resource/
// copied from the build. The library is pointed at it until destruction.
class LibraryFolder {
 public:
  explicit LibraryFolder(const std::string& kvnlVariant = "", const std::string& ini = DefaultIni());
  ~LibraryFolder();
  const std::filesystem::path& Path() const { return path_; }
  static std::string DefaultIni();

 private:
  std::filesystem::path path_;
};

// Seeds the registry (after a reset) with .reg text lines.
void SeedRegistry(const std::string& lines);

}  // namespace frametest
