#include "module_files.h"

#include "platform/kernel/utf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace talix::test {

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

std::string MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "talix_modules_XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  return pattern;
}

void RemoveTree(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::u16string Wide(const std::string& hostPath) { return FromUtf8(hostPath); }

Bytes ResourceBytes(HMODULE module, HRSRC resource) {
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
  DWORD size = SizeofResource(module, resource);
  return data ? Bytes(data, data + size) : Bytes();
}

}  // namespace talix::test
