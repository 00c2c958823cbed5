// The library's own module and the folder it was loaded from. Resource modules and
// KVNL.dll are looked up beside the library's file.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace talix::frame {

// The library's module handle (found from an address inside the library).
HMODULE LibraryModule();

// Writes the folder of the library's file (Windows form, no trailing backslash) into
// `folder` of `size` characters. False when the file name cannot be read, is cut short by
// the buffer or has no backslash; `folder` is then empty.
bool LibraryFolder(WCHAR* folder, size_t size);

// Tests point the library at a folder of their own (resource modules, KVNL.dll); null
// returns to the library's real folder.
TALIX_EXPORT void SetLibraryFolderOverride(const WCHAR* folder);

// Appends `parts` (null-terminated list) to `out` (holding `size` characters, already
// terminated). False, with `out` emptied, when the result does not fit.
bool AppendParts(WCHAR* out, size_t size, std::initializer_list<const WCHAR*> parts);

}  // namespace talix::frame
