// Where module files are found: the Windows search order for bare names, and matching
// path components that differ only in case.
#pragma once

#include <string>
#include <string_view>

namespace talix {

// The host path of the running executable.
std::string ExecutablePath();
// The Windows folder: TALIX_WINDIR, else the folder this build was configured with.
std::string WindowsFolder();
// `path` if it exists; else the same path with each component that does not exist
// replaced by the one entry of its folder equal to it ignoring ASCII case. Empty when
// some component has no match.
std::string ResolveIgnoringCase(const std::string& path);
// The absolute host path of the module file `name` (Windows or host form). A name with
// no folder is looked for beside the executable, in System32 of the Windows folder, in
// the Windows folder, then in the current folder. With `defaultExtension` (LoadLibrary),
// a file name without an extension gets ".dll" and a trailing '.' means "no extension".
// Empty when not found.
std::string FindModuleFile(std::u16string_view name, bool defaultExtension = true);
// Applies the extension rules above to the file name at the end of `path`.
std::string WithDefaultExtension(std::string path);
// The file name of a host path, the part after the last '/'.
std::string_view FileNameOf(std::string_view hostPath);

}  // namespace talix
