// The registry file: export format, round trips, accepted and rejected input, and the
// file named by TALIX_REGISTRY.
#include "registry_test_util.h"

#include "platform/kernel/utf.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

namespace talix::registry_test {
namespace {

// Every key (by full path) with its values, read back through the registry functions.
using Snapshot = std::map<std::u16string, std::vector<std::pair<std::u16string, Value>>>;

void Walk(HKEY key, const std::u16string& path, Snapshot* out) {
  auto& values = (*out)[path];
  std::vector<WCHAR> name(16384);
  for (DWORD i = 0;; ++i) {
    DWORD cch = static_cast<DWORD>(name.size()), type = 0, size = 0;
    LONG status = RegEnumValueW(key, i, name.data(), &cch, nullptr, &type, nullptr, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    Value value{type, std::vector<BYTE>(size)};
    cch = static_cast<DWORD>(name.size());
    ASSERT_EQ(RegEnumValueW(key, i, name.data(), &cch, nullptr, &type, value.data.data(), &size), ERROR_SUCCESS);
    values.emplace_back(std::u16string(name.data(), cch), value);
  }
  for (DWORD i = 0;; ++i) {
    DWORD cch = static_cast<DWORD>(name.size());
    LONG status = RegEnumKeyExW(key, i, name.data(), &cch, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    Key child;
    ASSERT_EQ(RegOpenKeyExW(key, name.data(), 0, KEY_READ, child.out()), ERROR_SUCCESS);
    Walk(child.get(), path + u"\\" + std::u16string(name.data(), cch), out);
  }
}

Snapshot TakeSnapshot() {
  Snapshot snapshot;
  Walk(HKEY_LOCAL_MACHINE, u"HKLM", &snapshot);
  Walk(HKEY_CURRENT_USER, u"HKCU", &snapshot);
  Walk(HKEY_USERS, u"HKU", &snapshot);
  return snapshot;
}

std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::u16string FromUtf16File(const std::string& bytes) {
  std::u16string text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A file name of this test alone.
std::string TempPath(const char* tag) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "talix_registry_" + info->name() + "_" + tag + "_" + std::to_string(::getpid()) +
         ".reg";
}

using RegistryFile = RegistryTest;

// A tree with every value type and the names that need care in the file format.
void BuildAwkwardTree() {
  Key deep;
  std::u16string deepPath = u"Software\\Deep";
  for (int i = 0; i < 40; ++i) deepPath += u"\\L" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
  ASSERT_EQ(RegCreateKeyW(HKEY_LOCAL_MACHINE, deepPath.c_str(), deep.out()), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(deep.get(), u"leaf", REG_SZ, Bytes(u"bottom")), ERROR_SUCCESS);

  Key odd;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Odd \"keys\"\\brackets]\\-dash\\ \u4e2d\u6587 ", odd.out()),
            ERROR_SUCCESS);
  std::vector<BYTE> wide(100);
  for (size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<BYTE>(i * 7);
  struct Entry {
    const WCHAR* name;
    DWORD type;
    std::vector<BYTE> data;
  } entries[] = {
      {nullptr, REG_SZ, Bytes(u"the default")},
      {u"plain", REG_SZ, Bytes(u"C:\\Program Files\\\"Maker\"")},
      {u"quote\"back\\slash", REG_SZ, Bytes(u"")},
      {u"@", REG_SZ, Bytes(u"not the default")},
      {u"semi;colon = equals", REG_SZ, Bytes(u"; not a comment")},
      {u"unicode \u00e9\u4e2d\U0001F600", REG_SZ, Bytes(u"\u05e9\u05dc\u05d5\u05dd \U0001F600")},
      {u"no terminator", REG_SZ, Bytes(u"abc", false)},
      {u"empty bytes", REG_SZ, {}},
      {u"odd size", REG_SZ, Bytes({0x41, 0x00, 0x42})},
      {u"embedded null", REG_SZ, Bytes(std::u16string_view(u"a\0b", 3))},
      {u"line break", REG_SZ, Bytes(u"one\r\ntwo")},
      {u"expand", REG_EXPAND_SZ, Bytes(u"%SystemRoot%\\x")},
      {u"multi", REG_MULTI_SZ, Bytes(std::u16string_view(u"a\0bc\0\0", 6), false)},
      {u"dword", REG_DWORD, Bytes({0x0A, 0x00, 0x00, 0x80})},
      {u"short dword", REG_DWORD, Bytes({1, 2, 3})},
      {u"big endian", REG_DWORD_BIG_ENDIAN, Bytes({0, 0, 0, 1})},
      {u"qword", REG_QWORD, Bytes({1, 2, 3, 4, 5, 6, 7, 0xFF})},
      {u"binary", REG_BINARY, wide},
      {u"empty binary", REG_BINARY, {}},
      {u"none", REG_NONE, Bytes({0xDE, 0xAD})},
      {u"link", REG_LINK, Bytes(u"\\Registry\\Machine", false)},
      {u"raw type", 0x12345678, Bytes({9, 8, 7})},
  };
  for (const Entry& e : entries) ASSERT_EQ(SetValue(odd.get(), e.name, e.type, e.data), ERROR_SUCCESS);
  Key emptyKey;
  ASSERT_EQ(RegCreateKeyW(HKEY_USERS, u"S-1-5-18\\Empty", emptyKey.out()), ERROR_SUCCESS);
}

TEST_F(RegistryFile, RoundTripInMemoryKeepsEveryKeyValueAndType) {
  ASSERT_NO_FATAL_FAILURE(BuildAwkwardTree());
  Snapshot before = TakeSnapshot();
  std::string exported = talix::host::ExportRegistry();
  talix::host::ResetRegistry();
  ASSERT_TRUE(TakeSnapshot() != before);
  ASSERT_EQ(talix::host::SeedRegistry(exported), "");
  EXPECT_EQ(TakeSnapshot(), before);
  EXPECT_EQ(talix::host::ExportRegistry(), exported) << "a second export is identical";
}

TEST_F(RegistryFile, RoundTripThroughAFileInTheEditorsForm) {
  ASSERT_NO_FATAL_FAILURE(BuildAwkwardTree());
  Snapshot before = TakeSnapshot();
  std::string path = TempPath("save");
  ASSERT_EQ(talix::host::SaveRegistryFile(path), "");
  talix::host::ResetRegistry();
  ASSERT_EQ(talix::host::LoadRegistryFile(path), "");
  EXPECT_EQ(TakeSnapshot(), before);

  std::string bytes = ReadFile(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  std::u16string text = FromUtf16File(bytes);
  size_t lines = 0;
  for (size_t start = 0; start < text.size(); ++lines) {
    size_t end = text.find(u"\r\n", start);
    ASSERT_NE(end, std::u16string::npos) << "every line ends in CRLF";
    EXPECT_EQ(text.substr(start, end - start).find(u'\n'), std::u16string::npos);
    if (text[start] == u' ') {
      EXPECT_LE(end - start, 80u) << "wrapped hex lines stay within 80 columns";
    }
    start = end + 2;
  }
  EXPECT_GT(lines, 50u);
  std::remove(path.c_str());
}

TEST_F(RegistryFile, ExportWritesTheEditorsFormat) {
  Seed("Windows Registry Editor Version 5.00\n"
       "[HKEY_LOCAL_MACHINE\\Software\\Maker]\n"
       "@=\"def\"\n"
       "\"Path\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\n"
       "\"Count\"=dword:a\n"
       "\"Big\"=hex(b):01,00,00,00,00,00,00,00\n"
       "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\n"
       "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
       "\"Blob\"=hex:\n"
       "\"None\"=hex(0):\n"
       "\"Raw\"=hex(ABCDEF01):ff\n");
  Key key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Maker", 0, KEY_ALL_ACCESS, key.out()), ERROR_SUCCESS);
  std::vector<BYTE> sixty(60);
  for (size_t i = 0; i < sixty.size(); ++i) sixty[i] = static_cast<BYTE>(i);
  ASSERT_EQ(SetValue(key.get(), u"Wide", REG_BINARY, sixty), ERROR_SUCCESS);
  std::u16string expected =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE]\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Maker]\r\n"
      u"@=\"def\"\r\n"
      u"\"Path\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\r\n"
      u"\"Count\"=dword:0000000a\r\n"
      u"\"Big\"=hex(b):01,00,00,00,00,00,00,00\r\n"
      u"\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
      u"\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
      u"\"Blob\"=hex:\r\n"
      u"\"None\"=hex(0):\r\n"
      u"\"Raw\"=hex(abcdef01):ff\r\n"
      u"\"Wide\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
      u"  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\r\n"
      u"  2f,30,31,32,33,34,35,36,37,38,39,3a,3b\r\n"
      u"\r\n"
      u"[HKEY_CURRENT_USER]\r\n\r\n"
      u"[HKEY_USERS]\r\n\r\n";
  EXPECT_EQ(FromUtf16File(talix::host::ExportRegistry()), expected);
}

// One file in the three encodings, with every construct the reader accepts.
TEST_F(RegistryFile, ReadsUtf8AndUtf16WithEveryConstruct) {
  const std::u16string text =
      u"\n"
      u"Windows Registry Editor Version 5.00\n"
      u"\n"
      u"; a comment\n"
      u"  [hkey_current_user\\Software\\Gone]\n"
      u"\"x\"=\"y\"\n"
      u"[HKEY_CURRENT_USER\\Software\\Keep\\\u4e2d]\n"
      u"\"a\" = \"b\"  ; trailing comment\n"
      u"\"drop\"=\"soon\"\n"
      u"\"drop\"=-\n"
      u"\"n\"=dword:A\n"
      u"\"bin\"=hex:01,02,\\\n"
      u"    03 , 04,\\\n"
      u"\t05\n"
      u"\"m\"=hex(7):61,00,00,00,00,00\n"
      u"@=hex(0):\n"
      u"[-HKEY_CURRENT_USER\\Software\\Gone]\n"
      u"[HKEY_CLASSES_ROOT\\.txt]\n"
      u"@=\"txtfile\"\n";
  Snapshot expected{
      {u"HKLM", {}},
      {u"HKLM\\SOFTWARE", {}},
      {u"HKLM\\SOFTWARE\\Classes", {}},
      {u"HKLM\\SOFTWARE\\Classes\\.txt", {{u"", Value{REG_SZ, Bytes(u"txtfile")}}}},
      {u"HKCU", {}},
      {u"HKCU\\Software", {}},
      {u"HKCU\\Software\\Keep", {}},
      {u"HKCU\\Software\\Keep\\\u4e2d",
       {{u"a", Value{REG_SZ, Bytes(u"b")}},
        {u"n", Value{REG_DWORD, Bytes({10, 0, 0, 0})}},
        {u"bin", Value{REG_BINARY, Bytes({1, 2, 3, 4, 5})}},
        {u"m", Value{REG_MULTI_SZ, Bytes({0x61, 0, 0, 0, 0, 0})}},
        {u"", Value{REG_NONE, {}}}}},
      {u"HKU", {}},
  };
  std::u16string crlf;
  for (char16_t c : text) {
    if (c == u'\n') crlf += u'\r';
    crlf += c;
  }
  struct Encoding {
    const char* name;
    std::string bytes;
  } encodings[] = {
      {"UTF-8", talix::ToUtf8(text)},
      {"UTF-8 with BOM and CRLF", "\xEF\xBB\xBF" + talix::ToUtf8(crlf)},
      {"UTF-16LE with BOM and CRLF", Utf16File(crlf)},
  };
  for (const Encoding& e : encodings) {
    SCOPED_TRACE(e.name);
    talix::host::ResetRegistry();
    ASSERT_EQ(talix::host::SeedRegistry(e.bytes), "");
    EXPECT_EQ(TakeSnapshot(), expected);
  }
}

// A bad file is refused as a whole with its first faulty line named; nothing of it is
// applied, not even the good lines before the fault.
TEST_F(RegistryFile, MalformedInputNamesTheLineAndChangesNothing) {
  const std::string base = "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Base]\n\"v\"=\"1\"\n";
  Seed(base);
  const std::string before = talix::host::ExportRegistry();
  const std::string header = "Windows Registry Editor Version 5.00\n";
  const std::string key = header + "[HKEY_LOCAL_MACHINE\\Base]\n";
  struct Case {
    std::string text;
    const char* expected;  // the start of the message
  } cases[] = {
      {"", "line 1: the file must start"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n", "line 1: REGEDIT4"},
      {"\n\nWindows Registry Editor Version 4.00\n", "line 3: the file must start"},
      {header + "\"v\"=\"x\"\n", "line 2: a value must follow a [key]"},
      {header + "[HKEY_NOWHERE\\A]\n", "line 2: unknown root key"},
      {header + "[HKEY_LOCAL_MACHINE\\A\n", "line 2: a key line must end with ']'"},
      {header + "[HKEY_LOCAL_MACHINE\\A\\\\B]\n", "line 2: empty key name"},
      {header + "[HKEY_LOCAL_MACHINE\\" + std::string(256, 'k') + "]\n", "line 2: key name longer than 255"},
      {header + "[-HKEY_LOCAL_MACHINE]\n", "line 2: a root key cannot be deleted"},
      {header + "[-HKEY_LOCAL_MACHINE\\Base]\n\"v\"=\"x\"\n", "line 3: a value cannot follow a [-key]"},
      {key + "\"v\"=\"unterminated\n", "line 3: missing closing quote"},
      {key + "\"v\"=\"a\\qb\"\n", "line 3: unknown escape"},
      {key + "\"v\" \"x\"\n", "line 3: expected '='"},
      {key + "\"v\"=\"x\" junk\n", "line 3: unexpected text after the closing quote"},
      {key + "\"v\"=str:\"x\"\n", "line 3: unknown value data"},
      {key + "\"v\"=dword:123456789\n", "line 3: dword: needs 1 to 8 hex digits"},
      {key + "\"v\"=dword:\n", "line 3: dword: needs"},
      {key + "\"v\"=dword:12 34\n", "line 3: unexpected text after the dword"},
      {key + "\"v\"=hex(x):00\n", "line 3: hex(type) needs"},
      {key + "\"v\"=hex 00\n", "line 3: expected ':' after hex"},
      {key + "\"v\"=hex:01,zz\n", "line 3: expected a byte"},
      {key + "\"v\"=hex:01,123\n", "line 3: expected a byte"},
      {key + "\"v\"=hex:01 02\n", "line 3: expected ',' between hex bytes"},
      {key + "\"v\"=hex:01,\\", "line 3: the value continues past the end"},
      {key + "\"v\"=hex:01,\\ x\n02\n", "line 3: unexpected text after a line continuation"},
      {key + "\"v\"=hex:01,\\\n  02,\\\n  q3\n", "line 5: expected a byte"},
      {key + "\"ok\"=\"fine\"\n[HKEY_LOCAL_MACHINE\\New]\n\"w\"=\"x\"\n\"v\"=-x\n", "line 6: unexpected text after '-'"},
      {key + "junk\n", "line 3: expected a [key] line"},
      {key + "\"v\"=\"\xC3\x28\"\n", "line 3: malformed UTF-8"},
      {key + std::string("\"v\"=\"a\0b\"\n", 11), "line 3: NUL character"},
      {"\xFE\xFF", "line 1: big-endian UTF-16"},
      {Utf16File(u"Windows Registry Editor Version 5.00\r\n") + "x", "line 2: the file ends in the middle"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string message = talix::host::SeedRegistry(c.text);
    EXPECT_EQ(message.substr(0, std::string(c.expected).size()), c.expected) << message;
    if (talix::host::ExportRegistry() != before) {
      ADD_FAILURE() << "the registry must be unchanged";
      talix::host::ResetRegistry();
      Seed(base);
    }
  }
}

TEST_F(RegistryFile, LoadingAMissingOrBadFileReportsTheFileAndLine) {
  std::string missing = TempPath("missing");
  EXPECT_NE(talix::host::LoadRegistryFile(missing).find(missing), std::string::npos);
  std::string bad = TempPath("bad");
  WriteFile(bad, "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=dword:zz\r\n");
  EXPECT_EQ(talix::host::LoadRegistryFile(bad), bad + ": line 4: dword: needs 1 to 8 hex digits");
  std::remove(bad.c_str());
}

// The registry file of the process (TALIX_REGISTRY) is read at first use and written by
// RegFlushKey. Each scenario runs in a fresh child process, where that first use happens;
// the child runs the test body again up to the death-test statement, so the file name is
// handed down through the environment.
int UseRegistryFileInChild(const std::string& mode) {
  Key key;
  if (RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Tavrin\\Kelvane", key.out()) != ERROR_SUCCESS) return 10;
  if (mode == "existing" && QueryValue(key.get(), u"Theme") != Value{REG_SZ, Bytes(u"Dark")}) return 11;
  if (SetValue(key.get(), u"Added", REG_DWORD, Bytes({7, 0, 0, 0})) != ERROR_SUCCESS) return 12;
  LONG expected = mode == "damaged" ? ERROR_REGISTRY_CORRUPT : ERROR_SUCCESS;
  return RegFlushKey(key.get()) == expected ? 0 : 13;
}

constexpr char kDamagedFile[] = "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"v\"=hex:zz\n";

void RunRegistryFileScenario(const std::string& mode, const char* initial) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  constexpr char kHandDown[] = "TALIX_REGISTRY_TEST_FILE";
  if (!std::getenv(kHandDown)) ::setenv(kHandDown, TempPath(mode.c_str()).c_str(), 1);
  const std::string path = std::getenv(kHandDown);
  std::remove(path.c_str());
  if (initial) WriteFile(path, initial);
  ::setenv("TALIX_REGISTRY", path.c_str(), 1);
  EXPECT_EXIT(std::exit(UseRegistryFileInChild(mode)), ::testing::ExitedWithCode(0), "");
  ::unsetenv("TALIX_REGISTRY");
  ::unsetenv(kHandDown);
  if (mode == "damaged") {
    EXPECT_EQ(ReadFile(path), kDamagedFile) << "a file that could not be read is not overwritten";
  } else {
    EXPECT_EQ(ReadFile(path).substr(0, 2), "\xFF\xFE");
    talix::host::ResetRegistry();
    ASSERT_EQ(talix::host::LoadRegistryFile(path), "");
    Key key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Tavrin\\Kelvane", 0, KEY_READ, key.out()), ERROR_SUCCESS);
    EXPECT_EQ(QueryValue(key.get(), u"Added"), (Value{REG_DWORD, Bytes({7, 0, 0, 0})}));
    if (initial) {
      EXPECT_EQ(QueryValue(key.get(), u"Theme"), (Value{REG_SZ, Bytes(u"Dark")}));
    }
    talix::host::ResetRegistry();
  }
  std::remove(path.c_str());
}

TEST(RegistryFileDeathTest, ExistingFileIsLoadedAtFirstUseAndRewrittenByFlush) {
  RunRegistryFileScenario("existing", "Windows Registry Editor Version 5.00\n"
                                      "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"Dark\"\n");
}

TEST(RegistryFileDeathTest, MissingFileIsCreatedByFlush) { RunRegistryFileScenario("missing", nullptr); }

TEST(RegistryFileDeathTest, DamagedFileIsNotOverwritten) { RunRegistryFileScenario("damaged", kDamagedFile); }

}  // namespace
}  // namespace talix::registry_test
