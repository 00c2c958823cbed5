// Setting, reading, enumerating and deleting registry values, and the reads the library
// makes at start-up.
#include "registry_test_util.h"

namespace talix::registry_test {
namespace {

using RegistryValues = RegistryTest;

// The keys and values the library reads, opened the way it opens them.
TEST_F(RegistryValues, LibraryStartUpReadsFindTheirValues) {
  Seed(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Tavrin\Kelvane]
"Current Language"="eng"
"Current Resource"="Dark"

[HKEY_CURRENT_USER\Software\Tavrin\Kelvane]
"Theme"=""

[HKEY_LOCAL_MACHINE\SOFTWARE\Tavrin]
"KelvaneBuildNumber"="2.1.16.12345678901"

[HKEY_LOCAL_MACHINE\SOFTWARE\Brenmoor Layer\API]
"DevHub"="BrmCore.dll"
"Options"=dword:00000001

[HKEY_CURRENT_USER\SOFTWARE\Tavrin\ContactsEditor\Settings]
"NameOrder"=dword:00000002
)");
  struct Case {
    HKEY hive;
    const WCHAR* key;
    REGSAM access;
    const WCHAR* value;
    DWORD bufferSize;
    LONG status;
    DWORD type;
    std::vector<BYTE> data;
  } cases[] = {
      {HKEY_LOCAL_MACHINE, u"Software\\Tavrin\\Kelvane\\", KEY_READ, u"Current Language", 260, ERROR_SUCCESS, REG_SZ,
       Bytes(u"eng")},
      {HKEY_CURRENT_USER, u"Software\\Tavrin\\Kelvane\\", KEY_READ, u"Theme", 260, ERROR_SUCCESS, REG_SZ, Bytes(u"")},
      {HKEY_CURRENT_USER, u"Software\\Tavrin\\Kelvane\\", KEY_READ, u"Current Resource", 260, ERROR_FILE_NOT_FOUND,
       0, {}},
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\Tavrin", KEY_QUERY_VALUE, u"KelvaneBuildNumber", 260, ERROR_SUCCESS, REG_SZ,
       Bytes(u"2.1.16.12345678901")},
      // 18 characters and a terminator need 38 bytes: a 20-byte limit fails.
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\Tavrin", KEY_QUERY_VALUE, u"KelvaneBuildNumber", 20, ERROR_MORE_DATA,
       REG_SZ, {}},
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brenmoor Layer\\API\\", KEY_READ, u"DevHub", 520, ERROR_SUCCESS, REG_SZ,
       Bytes(u"BrmCore.dll")},
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brenmoor Layer\\API\\", KEY_READ, u"Options", 4, ERROR_SUCCESS, REG_DWORD,
       Bytes({1, 0, 0, 0})},
      {HKEY_CURRENT_USER, u"SOFTWARE\\Tavrin\\ContactsEditor\\Settings", KEY_READ, u"NameOrder", 4, ERROR_SUCCESS,
       REG_DWORD, Bytes({2, 0, 0, 0})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    Key key;
    ASSERT_EQ(RegOpenKeyExW(c.hive, c.key, 0, c.access, key.out()), ERROR_SUCCESS);
    std::vector<BYTE> buffer(c.bufferSize, 0xCC);
    DWORD type = 0, size = c.bufferSize;
    EXPECT_EQ(RegQueryValueExW(key.get(), c.value, nullptr, &type, buffer.data(), &size), c.status);
    if (c.status == ERROR_FILE_NOT_FOUND) continue;
    EXPECT_EQ(type, c.type);
    if (c.status == ERROR_MORE_DATA) {
      EXPECT_EQ(size, 38u) << "the size needed";
      continue;
    }
    EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + size), c.data);
  }
}

TEST_F(RegistryValues, QueryFollowsTheDocumentedBufferRules) {
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Q", key.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(key.get(), u"s", REG_SZ, Bytes(u"abc")), ERROR_SUCCESS);  // 8 bytes
  struct Case {
    bool withBuffer;
    bool withSize;
    DWORD size;
    LONG status;
    DWORD sizeAfter;
  } cases[] = {
      {false, true, 0, ERROR_SUCCESS, 8},             // size only
      {true, true, 8, ERROR_SUCCESS, 8},              // exact fit
      {true, true, 100, ERROR_SUCCESS, 8},            // roomy
      {true, true, 7, ERROR_MORE_DATA, 8},            // one byte short
      {true, true, 0, ERROR_MORE_DATA, 8},            // empty buffer
      {true, false, 0, ERROR_INVALID_PARAMETER, 0},   // buffer without a size
      {false, false, 0, ERROR_SUCCESS, 0},            // existence check
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    BYTE buffer[100];
    std::fill(std::begin(buffer), std::end(buffer), 0xCC);
    DWORD type = 0, size = c.size;
    EXPECT_EQ(RegQueryValueExW(key.get(), u"S", nullptr, &type, c.withBuffer ? buffer : nullptr,
                               c.withSize ? &size : nullptr),
              c.status);
    if (c.withSize) {
      EXPECT_EQ(size, c.sizeAfter);
    }
    if (c.status == ERROR_SUCCESS && c.withBuffer) {
      EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 8), Bytes(u"abc"));
      EXPECT_EQ(buffer[8], 0xCC) << "nothing written past the data";
    }
    if (c.status != ERROR_INVALID_PARAMETER) {
      EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    }
  }
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryValueExW(key.get(), u"s", &reserved, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExW(key.get(), u"missing", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

// Data comes back exactly as stored: a string written without its terminator has none.
TEST_F(RegistryValues, StringsAreStoredAsWrittenWithoutAnAddedTerminator) {
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"S", key.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(key.get(), u"bare", REG_SZ, Bytes(u"xy", false)), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(key.get(), u"bare"), (Value{REG_SZ, Bytes(u"xy", false)}));
  ASSERT_EQ(SetValue(key.get(), u"empty", REG_SZ, {}), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(key.get(), u"empty"), (Value{REG_SZ, {}}));
}

TEST_F(RegistryValues, DefaultValueAndReplacingValues) {
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"D", key.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(key.get(), nullptr, REG_SZ, Bytes(u"default")), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(key.get(), u""), (Value{REG_SZ, Bytes(u"default")}));
  ASSERT_EQ(SetValue(key.get(), u"First", REG_SZ, Bytes(u"1")), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(key.get(), u"second", REG_DWORD, Bytes({2, 0, 0, 0})), ERROR_SUCCESS);
  // Replacing keeps the value's place and the case of its name, and may change its type.
  ASSERT_EQ(SetValue(key.get(), u"FIRST", REG_BINARY, Bytes({9})), ERROR_SUCCESS);
  std::vector<std::u16string> names;
  for (DWORD i = 0;; ++i) {
    WCHAR name[16];
    DWORD cch = 16;
    LONG status = RegEnumValueW(key.get(), i, name, &cch, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"", u"First", u"second"}));
  EXPECT_EQ(QueryValue(key.get(), u"first"), (Value{REG_BINARY, Bytes({9})}));

  EXPECT_EQ(RegDeleteValueW(key.get(), u"FIRST"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key.get(), u"first"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(QueryValue(key.get(), u"second"), (Value{REG_DWORD, Bytes({2, 0, 0, 0})}));
  WCHAR name[16];
  DWORD cch = 16;
  ASSERT_EQ(RegEnumValueW(key.get(), 1, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"second") << "later values move up after a delete";
}

TEST_F(RegistryValues, SetRejectsUnsavableNamesAndUnreadableData) {
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"B", key.out()), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key.get(), u"a\nb", 0, REG_SZ, nullptr, 0), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExW(key.get(), u"n", 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
  EXPECT_EQ(RegSetValueExW(key.get(), u"n", 0, REG_NONE, nullptr, 0), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(key.get(), u"n"), (Value{REG_NONE, {}}));
}

TEST_F(RegistryValues, EnumValueFollowsTheDocumentedBufferRules) {
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"V", key.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(key.get(), u"name", REG_BINARY, Bytes({1, 2, 3})), ERROR_SUCCESS);
  WCHAR name[8];
  BYTE data[8];
  DWORD cch = 4, type = 0, size = sizeof data;
  EXPECT_EQ(RegEnumValueW(key.get(), 0, name, &cch, nullptr, &type, data, &size), ERROR_MORE_DATA) << "name";
  EXPECT_EQ(cch, 4u);
  cch = 5;
  size = 2;
  EXPECT_EQ(RegEnumValueW(key.get(), 0, name, &cch, nullptr, &type, data, &size), ERROR_MORE_DATA) << "data";
  EXPECT_EQ(size, 3u);
  cch = 5;
  size = 3;
  ASSERT_EQ(RegEnumValueW(key.get(), 0, name, &cch, nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(cch, 4u);
  EXPECT_EQ(std::u16string(name), u"name");
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(std::vector<BYTE>(data, data + size), Bytes({1, 2, 3}));
  cch = 5;
  EXPECT_EQ(RegEnumValueW(key.get(), 1, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegEnumValueW(key.get(), 0, nullptr, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);

  DWORD values = 0, maxName = 0, maxData = 0;
  ASSERT_EQ(SetValue(key.get(), u"longer name", REG_DWORD, Bytes({0, 0, 0, 0})), ERROR_SUCCESS);
  ASSERT_EQ(RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, &maxName,
                             &maxData, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(maxName, 11u);
  EXPECT_EQ(maxData, 4u);
}

}  // namespace
}  // namespace talix::registry_test
