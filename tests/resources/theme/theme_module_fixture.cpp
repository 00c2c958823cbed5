#include "theme_module_fixture.h"

#include <filesystem>

namespace themetest {

HMODULE ThemeModuleTest::module_ = nullptr;
Manifest ThemeModuleTest::manifest_;
std::map<std::string, int> ThemeModuleTest::ids_;

static std::u16string WinPath(const std::filesystem::path& path) {
  std::u16string out = u"Z:";
  for (char c : path.string()) out += c == '/' ? u'\\' : static_cast<char16_t>(c);
  return out;
}

void ThemeModuleTest::SetUpTestSuite() {
  std::filesystem::path bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  module_ = LoadLibraryExW(WinPath(bin / "Resource" / "TALIX_Dark.skx").c_str(), nullptr,
                           LOAD_LIBRARY_AS_DATAFILE);
  manifest_ = ReadManifest(TALIX_THEME_MANIFEST);
  ids_ = ReadIdsHeader(TALIX_THEME_IDS_HEADER);
}

void ThemeModuleTest::TearDownTestSuite() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}

std::string ThemeModuleTest::ResourceBytes(int id, LPCWSTR type) {
  HRSRC info = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
  if (!info) return {};
  HGLOBAL data = LoadResource(module_, info);
  const char* bytes = static_cast<const char*>(LockResource(data));
  return bytes ? std::string(bytes, SizeofResource(module_, info)) : std::string();
}

}  // namespace themetest
