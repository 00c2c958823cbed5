#include "loader_fixture.h"

#include "frame/EmbeddedFonts.h"
#include "frame/ResHandler.h"
#include "frame/StrColorLoader.h"

#include <talix/host_registry.h>

namespace fs = std::filesystem;

namespace frametest {

const char* const kThemes[] = {"loaders_theme", "loaders_theme2"};

void RestartLibraryState() {
  talix::frame::ForgetEmbeddedFonts();
  talix::frame::RecreateResourceHandler();
  talix::frame::RecreateColorLoader();
}

void LoaderTest::SetUp() {
  folder_ = std::make_unique<LibraryFolder>();
  for (const char* theme : kThemes) {
    std::string file = std::string("TALIX_") + theme + ".skx";
    fs::copy_file(BinFolder() / "frametest" / file, folder_->Path() / "Resource" / file);
  }
  UseTheme("loaders_theme");
  RestartLibraryState();
}

void LoaderTest::TearDown() {
  RestartLibraryState();
  talix::host::ResetRegistry();
  folder_.reset();
}

void LoaderTest::UseTheme(const char* theme) {
  std::string lines = "[HKEY_LOCAL_MACHINE\\Software\\Tavrin\\Kelvane]\n";
  if (theme[0]) lines += std::string("\"Current Resource\"=\"") + theme + "\"\n";
  SeedRegistry(lines);
}

HINSTANCE LoaderTest::MapTheme(const char* theme) const {
  fs::path file = folder_->Path() / "Resource" / (std::string("TALIX_") + theme + ".skx");
  return LoadLibraryExW(WinPath(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

}  // namespace frametest
