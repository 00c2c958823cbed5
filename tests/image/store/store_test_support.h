// Helpers for the image store and codec tests: fixture paths, temporary files, a store
// that opens its protected members to the tests, and frame pixels as packed B, G, R.
#pragma once

#include "image/NBitmapUtil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace storetest {

inline std::u16string WinPath(const std::string& host) {
  std::u16string path = u"Z:";
  for (char c : host) path += c == '/' ? u'\\' : char16_t(c);
  return path;
}

inline std::string Fixture(const std::string& name) {
  return std::string(TALIX_SOURCE_DIR) + "/tests/image/codec/data/" + name;
}

inline std::vector<uint8_t> ReadHost(const std::string& host) {
  std::ifstream in(host, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteHost(const std::string& host, const std::vector<uint8_t>& bytes) {
  std::ofstream out(host, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A temporary file for one test, removed at the end.
class TempFile {
 public:
  explicit TempFile(const std::string& name)
      : host_((std::filesystem::temp_directory_path() /
               ("talix_store_" + std::to_string(getpid()) + "_" + name)).string()) {
    std::filesystem::remove(host_);
  }
  ~TempFile() { std::filesystem::remove(host_); }
  const std::string& Host() const { return host_; }
  std::u16string Windows() const { return WinPath(host_); }
  std::vector<uint8_t> Bytes() const { return ReadHost(host_); }

 private:
  std::string host_;
};

// The store with the members the tests drive directly.
class TestStore : public CNBitmapUtil {
 public:
  using CNBitmapUtil::FilenameExtensionCompare;
  using CNBitmapUtil::GetGIFFileStructure;
  using CNBitmapUtil::LoadPNGFromMem;
  using CNBitmapUtil::m_nGIFBkColor;
  using CNBitmapUtil::m_nLoopCount;

  HBITMAP Load(const std::string& host, BitmapType type = BT_IMAGE, int index = 0) {
    return NLoadBitmap(WinPath(host).c_str(), type, index);
  }
  // The frame as packed top-down B, G, R rows; empty when it cannot be read.
  std::vector<uint8_t> Pixels(BitmapType type = BT_IMAGE, int index = 0) {
    const int w = GetBitmapWidth(type), h = GetBitmapHeight(type);
    if (w <= 0 || h <= 0) return {};
    std::vector<uint8_t> out(size_t(w) * 3 * size_t(h));
    if (!GetBitmapDataNA(type, index, reinterpret_cast<char*>(out.data()))) return {};
    return out;
  }
};

// Index and values of the first differing byte, for readable failures.
inline std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i])
      return "byte " + std::to_string(i) + " (pixel " + std::to_string(i / 3) + "): " +
             std::to_string(a[i]) + " vs " + std::to_string(b[i]);
  return "equal";
}

}  // namespace storetest
