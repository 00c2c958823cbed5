// Paths of the sample modules built for these tests, and small file helpers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace talix::test {

using Bytes = std::vector<uint8_t>;

inline std::string SamplePePath() { return TALIX_MODULES_DIR "/Sample.dll"; }
inline std::string SamplePe32Path() { return TALIX_MODULES_DIR "/Sample32.dll"; }
inline std::string SampleElfPath() { return TALIX_MODULES_DIR "/ElfSample.dll"; }
inline std::string SampleResPath() { return TALIX_SAMPLE_RES; }
inline std::string DataPath(const char* name) { return std::string(TALIX_TEST_DATA_DIR "/") + name; }

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
// A fresh empty folder under the temporary folder, removed by the caller.
std::string MakeTempFolder();
void RemoveTree(const std::string& path);
// A host path as the Windows functions take it.
std::u16string Wide(const std::string& hostPath);

// The bytes of a found resource.
Bytes ResourceBytes(HMODULE module, HRSRC resource);

inline uint16_t Get16(const Bytes& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }
inline uint32_t Get32(const Bytes& b, size_t at) { return Get16(b, at) | uint32_t(Get16(b, at + 2)) << 16; }
inline void Put16(Bytes& b, size_t at, uint16_t v) {
  b.at(at) = uint8_t(v);
  b.at(at + 1) = uint8_t(v >> 8);
}
inline void Put32(Bytes& b, size_t at, uint32_t v) {
  Put16(b, at, uint16_t(v));
  Put16(b, at + 2, uint16_t(v >> 16));
}

}  // namespace talix::test
