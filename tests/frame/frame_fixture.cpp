#include "frame_fixture.h"

#include "frame/LibraryModule.h"

#include <gtest/gtest.h>
#include <talix/host_registry.h>
#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;

namespace frametest {

fs::path BinFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

std::u16string WinPath(const fs::path& path) {
  std::u16string out = u"Z:";
  for (char c : path.string()) out += c == '/' ? u'\\' : static_cast<char16_t>(c);
  return out;
}

std::string LibraryFolder::DefaultIni() {
  return "UIManufacturer=Tavrin\nPhoneManufacturers=Tavrin;Orvel;Zenna\nVariantID=1\nKVNL=Tavrin\n";
}

LibraryFolder::LibraryFolder(const std::string& kvnlVariant, const std::string& ini) {
  path_ = fs::temp_directory_path() / ("talix_frame_" + std::to_string(getpid()));
  fs::remove_all(path_);
  fs::create_directories(path_);
  fs::path bin = BinFolder();
  if (kvnlVariant != "none") {
    fs::path module = kvnlVariant.empty() ? bin / "KVNL.dll" : bin / "kvnl" / kvnlVariant / "KVNL.dll";
    fs::copy_file(module, path_ / "KVNL.dll");
    std::ofstream(path_ / "KVNL.ini") << ini;
  }
  fs::copy(bin / "Lang", path_ / "Lang");
  fs::copy(bin / "Resource", path_ / "Resource");
  talix::frame::SetLibraryFolderOverride(WinPath(path_).c_str());
}

LibraryFolder::~LibraryFolder() {
  talix::frame::SetLibraryFolderOverride(nullptr);
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void SeedRegistry(const std::string& lines) {
  talix::host::ResetRegistry();
  std::string error = talix::host::SeedRegistry("Windows Registry Editor Version 5.00\n\n" + lines);
  ASSERT_EQ(error, "");
}

}  // namespace frametest
