// Opening, creating, enumerating and deleting registry keys.
#include "registry_test_util.h"

#include <thread>

namespace talix::registry_test {
namespace {

using RegistryKeys = RegistryTest;

TEST_F(RegistryKeys, CreateMakesIntermediateKeysAndReportsDisposition) {
  Key created, again;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Maker\\App", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            created.out(), &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\maker\\APP\\", 0, nullptr, 0, KEY_READ, nullptr,
                            again.out(), &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  Key middle;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"software\\MAKER", 0, KEY_READ, middle.out()), ERROR_SUCCESS);
  // Names keep the case they were created with.
  WCHAR name[16];
  DWORD cch = 16;
  ASSERT_EQ(RegEnumKeyExW(middle.get(), 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"App");
  EXPECT_EQ(cch, 3u);
}

TEST_F(RegistryKeys, OpenStatusCodes) {
  Key parent;
  ASSERT_EQ(RegCreateKeyW(HKEY_LOCAL_MACHINE, u"A\\B", parent.out()), ERROR_SUCCESS);
  struct Case {
    HKEY base;
    const WCHAR* path;
    LONG expected;
  } cases[] = {
      {HKEY_LOCAL_MACHINE, u"a\\b", ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, u"A\\B\\", ERROR_SUCCESS},  // trailing backslash
      {HKEY_LOCAL_MACHINE, u"A\\C", ERROR_FILE_NOT_FOUND},
      {HKEY_CURRENT_USER, u"A\\B", ERROR_FILE_NOT_FOUND},  // other hive
      {HKEY_LOCAL_MACHINE, u"\\A", ERROR_BAD_PATHNAME},
      {HKEY_LOCAL_MACHINE, u"A\\\\B", ERROR_BAD_PATHNAME},
      {parent.get(), u"", ERROR_SUCCESS},  // a new handle to the same key
      {HKEY_CURRENT_CONFIG, u"", ERROR_INVALID_HANDLE},
      {reinterpret_cast<HKEY>(uintptr_t{0x1234}), u"A", ERROR_INVALID_HANDLE},
      {nullptr, u"A", ERROR_INVALID_HANDLE},
  };
  for (const Case& c : cases) {
    HKEY result = reinterpret_cast<HKEY>(uintptr_t{1});
    EXPECT_EQ(RegOpenKeyExW(c.base, c.path, 0, KEY_READ, &result), c.expected) << "case " << (&c - cases);
    if (c.expected == ERROR_SUCCESS) {
      EXPECT_NE(result, c.base);
      EXPECT_EQ(RegCloseKey(result), ERROR_SUCCESS);
    } else {
      EXPECT_EQ(result, nullptr) << "a failed open clears the result";
    }
  }
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"A", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryKeys, NameLengthLimitIs255Characters) {
  std::u16string longest(255, u'n');
  std::u16string tooLong(256, u'n');
  Key ok, bad;
  EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, longest.c_str(), ok.out()), ERROR_SUCCESS);
  EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, tooLong.c_str(), bad.out()), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"line\nbreak", bad.out()), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryKeys, PredefinedKeysComeBackAsTheyAreAndNeedNoClose) {
  HKEY result = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_READ, &result), ERROR_SUCCESS);
  EXPECT_EQ(result, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"", 0, KEY_READ, &result), ERROR_SUCCESS);
  EXPECT_EQ(result, HKEY_CURRENT_USER);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(HKEY_LOCAL_MACHINE), uintptr_t{0xFFFFFFFF80000002ull});
  // The zero-extended form, as stored in a 32-bit field, means the same key.
  Key viaNarrow;
  EXPECT_EQ(RegCreateKeyW(reinterpret_cast<HKEY>(uintptr_t{0x80000002u}), u"N", viaNarrow.out()), ERROR_SUCCESS);
  Key viaWide;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"N", 0, KEY_READ, viaWide.out()), ERROR_SUCCESS);
}

TEST_F(RegistryKeys, ClassesRootIsLocalMachineSoftwareClasses) {
  Key cls;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u".png", cls.out()), ERROR_SUCCESS);
  Key viaMachine;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Classes\\.PNG", 0, KEY_READ, viaMachine.out()),
            ERROR_SUCCESS);
}

TEST_F(RegistryKeys, CloseTwiceFailsAndHandleCountsReturnToZero) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"X", &key), ERROR_SUCCESS);
  EXPECT_EQ(talix::host::LiveHandles(HandleKind::RegistryKey), 1u);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(talix::host::LiveHandles(HandleKind::RegistryKey), 0u);
}

TEST_F(RegistryKeys, SubkeysEnumerateInUpperCasedOrderWithDocumentedBufferRules) {
  Key root;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"E", root.out()), ERROR_SUCCESS);
  for (const WCHAR* name : {u"gamma", u"Beta", u"alpha", u"\u00e9t\u00e9"}) {
    Key child;
    ASSERT_EQ(RegCreateKeyW(root.get(), name, child.out()), ERROR_SUCCESS);
  }
  std::vector<std::u16string> names;
  WCHAR buffer[8];
  for (DWORD i = 0;; ++i) {
    DWORD cch = 8;
    LONG status = RegEnumKeyExW(root.get(), i, buffer, &cch, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(cch, std::u16string(buffer).size());
    names.push_back(buffer);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"alpha", u"Beta", u"gamma", u"\u00e9t\u00e9"}));

  // "gamma" needs 6 characters with its terminator: 5 is too few and leaves the count.
  DWORD cch = 5;
  EXPECT_EQ(RegEnumKeyExW(root.get(), 2, buffer, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(cch, 5u);
  cch = 6;
  EXPECT_EQ(RegEnumKeyExW(root.get(), 2, buffer, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(cch, 5u);

  DWORD subkeys = 0, maxName = 0, values = 9;
  ASSERT_EQ(RegQueryInfoKeyW(root.get(), nullptr, nullptr, nullptr, &subkeys, &maxName, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 4u);
  EXPECT_EQ(maxName, 5u);
  EXPECT_EQ(values, 0u);
}

TEST_F(RegistryKeys, CaseFoldingCoversAccentedAndCyrillicLetters) {
  Key a, b, c;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"\u00c9T\u00c9\\\u0416\u0401", a.out()), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"\u00e9t\u00e9\\\u0436\u0451", 0, KEY_READ, b.out()), ERROR_SUCCESS);
  // Different letters stay different.
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"ete", 0, KEY_READ, c.out()), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeys, DeleteKeyRefusesKeysWithSubkeys) {
  Key leaf;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"P\\Q", leaf.out()), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"P"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"P\\Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u""), ERROR_ACCESS_DENIED) << "a root key stays";
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"p\\q"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"P"), ERROR_SUCCESS);
  Key gone;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"P", 0, KEY_READ, gone.out()), ERROR_FILE_NOT_FOUND);
}

// Every use of a handle to a deleted key (or a key below it) fails with ERROR_KEY_DELETED;
// closing it still works.
TEST_F(RegistryKeys, HandlesOfDeletedKeysFailWithKeyDeleted) {
  Key top, below;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"T", top.out()), ERROR_SUCCESS);
  ASSERT_EQ(RegCreateKeyW(top.get(), u"U\\V", below.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(below.get(), u"v", REG_DWORD, Bytes({1, 0, 0, 0})), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"T"), ERROR_SUCCESS);

  for (HKEY key : {top.get(), below.get()}) {
    DWORD size = 4, type = 0, cch = 8;
    BYTE data[4];
    WCHAR name[8];
    HKEY sub = nullptr;
    EXPECT_EQ(RegQueryValueExW(key, u"v", nullptr, &type, data, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(SetValue(key, u"w", REG_DWORD, Bytes({2, 0, 0, 0})), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteValueW(key, u"v"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumValueW(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyW(key, u"new", &sub), ERROR_KEY_DELETED);
    EXPECT_EQ(RegOpenKeyExW(key, u"", 0, KEY_READ, &sub), ERROR_KEY_DELETED);
  }
  // Re-creating the path makes a new key; the old handles stay dead.
  Key again;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"T\\U\\V", again.out()), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(again.get(), u"v").type, 0xFFFFFFFFu);
  EXPECT_EQ(SetValue(below.get(), u"v", REG_DWORD, Bytes({1, 0, 0, 0})), ERROR_KEY_DELETED);
}

TEST_F(RegistryKeys, DeleteTreeWithoutSubkeyEmptiesTheKeyButKeepsIt) {
  Key key, child;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"K", key.out()), ERROR_SUCCESS);
  ASSERT_EQ(RegCreateKeyW(key.get(), u"C", child.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(key.get(), u"v", REG_BINARY, Bytes({1})), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteTreeW(key.get(), nullptr), ERROR_SUCCESS);
  DWORD subkeys = 9, values = 9;
  ASSERT_EQ(RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 0u);
  EXPECT_EQ(values, 0u);
  EXPECT_EQ(SetValue(child.get(), u"v", REG_BINARY, Bytes({1})), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"Missing"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeys, AccessRightsOfTheHandleAreChecked) {
  Key writable;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"R", writable.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(writable.get(), u"v", REG_DWORD, Bytes({1, 0, 0, 0})), ERROR_SUCCESS);
  Key readOnly, queryOnly, writeOnly, generic;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"R", 0, KEY_READ, readOnly.out()), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"R", 0, KEY_QUERY_VALUE, queryOnly.out()), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"R", 0, KEY_WRITE, writeOnly.out()), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"R", 0, GENERIC_READ | GENERIC_WRITE, generic.out()), ERROR_SUCCESS);
  WCHAR name[8];
  DWORD cch = 8;
  EXPECT_EQ(SetValue(readOnly.get(), u"w", REG_DWORD, Bytes({1, 0, 0, 0})), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueW(readOnly.get(), u"v"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(QueryValue(queryOnly.get(), u"v").data, Bytes({1, 0, 0, 0}));
  EXPECT_EQ(RegEnumKeyExW(queryOnly.get(), 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegQueryValueExW(writeOnly.get(), u"v", nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetValue(generic.get(), u"w", REG_DWORD, Bytes({2, 0, 0, 0})), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(generic.get(), u"w").data, Bytes({2, 0, 0, 0}));
}

TEST_F(RegistryKeys, VolatileKeysOnlyHoldVolatileKeysAndAreNotSaved) {
  Key v, inner, persistent;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Vol", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            v.out(), nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCreateKeyExW(v.get(), u"Inner", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, inner.out(), nullptr),
            ERROR_CHILD_MUST_BE_VOLATILE);
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Kept", persistent.out()), ERROR_SUCCESS);
  std::string exported = talix::host::ExportRegistry();
  auto contains = [&](std::u16string_view text) {
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    return exported.find(bytes) != std::string::npos;
  };
  EXPECT_TRUE(contains(u"[HKEY_CURRENT_USER\\Kept]"));
  EXPECT_FALSE(contains(u"Vol"));
}

// Threads creating, writing and deleting keys at once leave a consistent tree (run under
// the sanitizers, this also checks the locking).
TEST_F(RegistryKeys, ConcurrentUseKeepsTheTreeConsistent) {
  constexpr int kThreads = 4, kRounds = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      std::u16string path = u"Shared\\T" + std::u16string(1, static_cast<char16_t>(u'0' + t));
      for (int round = 0; round < kRounds; ++round) {
        HKEY key = nullptr;
        if (RegCreateKeyW(HKEY_CURRENT_USER, path.c_str(), &key) != ERROR_SUCCESS) continue;
        DWORD value = static_cast<DWORD>(round);
        RegSetValueExW(key, u"n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
        if (round % 3 == 0) RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
      }
    });
  }
  for (auto& thread : threads) thread.join();
  Key shared;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Shared", 0, KEY_READ, shared.out()), ERROR_SUCCESS);
  DWORD subkeys = 0;
  ASSERT_EQ(RegQueryInfoKeyW(shared.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  // The last round (199) is not deleted, so every thread's key is there with its last value.
  EXPECT_EQ(subkeys, static_cast<DWORD>(kThreads));
  Key t0;
  ASSERT_EQ(RegOpenKeyExW(shared.get(), u"T0", 0, KEY_READ, t0.out()), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(t0.get(), u"n").data, Bytes({kRounds - 1, 0, 0, 0}));
}

}  // namespace
}  // namespace talix::registry_test
