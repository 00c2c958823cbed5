// Helpers shared by the registry tests.
#pragma once

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talix::registry_test {

// An open key closed at the end of the scope.
class Key {
 public:
  Key() = default;
  explicit Key(HKEY key) : key_(key) {}
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  HKEY* out() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

inline std::vector<BYTE> Bytes(std::u16string_view text, bool terminated = true) {
  std::vector<BYTE> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

inline std::vector<BYTE> Bytes(std::initializer_list<int> list) {
  std::vector<BYTE> bytes;
  for (int b : list) bytes.push_back(static_cast<BYTE>(b));
  return bytes;
}

struct Value {
  DWORD type = 0;
  std::vector<BYTE> data;
  bool operator==(const Value& other) const { return type == other.type && data == other.data; }
};

// The value as RegQueryValueExW gives it; type 0xFFFFFFFF when the query fails.
inline Value QueryValue(HKEY key, const WCHAR* name) {
  DWORD size = 0;
  Value value;
  if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return {0xFFFFFFFF, {}};
  value.data.resize(size);
  if (RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
    return {0xFFFFFFFF, {}};
  value.data.resize(size);
  return value;
}

inline LONG SetValue(HKEY key, const WCHAR* name, DWORD type, const std::vector<BYTE>& data) {
  return RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
}

// Starts every test from an empty registry and checks that no key handle is left open.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { talix::host::ResetRegistry(); }
  void TearDown() override {
    EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::RegistryKey), 0u) << "registry key handles leaked";
    talix::host::ResetRegistry();
  }
  static void Seed(std::string_view text) { ASSERT_EQ(talix::host::SeedRegistry(text), ""); }
};

}  // namespace talix::registry_test
