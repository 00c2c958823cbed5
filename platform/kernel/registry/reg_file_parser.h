// Reading the ".reg" export format ("Windows Registry Editor Version 5.00"):
//
//   [HKEY_LOCAL_MACHINE\Software\Maker]     a key (created with the keys above it)
//   [-HKEY_CURRENT_USER\Software\Old]       deletes a key and everything below it
//   "Name"="text with \\ and \" escapes"    REG_SZ, stored with its terminating null
//   @="default value"                        the key's unnamed value
//   "Count"=dword:0000000a                   REG_DWORD
//   "Blob"=hex:01,02,ff,\                    REG_BINARY; a backslash at the end of a
//     03,04                                  line continues the list on the next one
//   "Path"=hex(2):25,00,00,00                any type by number: 2 REG_EXPAND_SZ,
//   "List"=hex(7):..  "Big"=hex(b):..        7 REG_MULTI_SZ, b REG_QWORD, 0 REG_NONE ...
//   "Gone"=-                                 deletes a value
//   ; comment                                comments and blank lines are skipped
//
// Root keys: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS, and HKEY_CLASSES_ROOT
// (read as HKEY_LOCAL_MACHINE\SOFTWARE\Classes). A comment may also follow a complete
// value after blanks.
//
// The whole file is parsed into a list of edits before anything is applied, so a file
// with an error anywhere changes nothing; applying checked edits cannot fail.
//
// Limits: "REGEDIT4" files (ANSI text) are not read.
#pragma once

#include "platform/kernel/registry/reg_text.h"
#include "platform/kernel/registry/registry_tree.h"

#include <string_view>
#include <vector>

namespace talix::registry {

// Parses the bytes of a .reg file. True with the edits, or false with the first error.
TALIX_EXPORT bool ParseRegFile(std::string_view bytes, std::vector<RegEdit>* edits, RegFileError* error);

}  // namespace talix::registry
