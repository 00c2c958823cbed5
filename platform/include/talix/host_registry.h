// Host API: registry seeding, reset, loading and saving.
//
// The registry starts from the ".reg" file named by TALIX_REGISTRY at its first use
// (empty when the variable is unset or the file does not exist yet). It is written back
// only when asked: RegFlushKey or FlushRegistry. Files are written in UTF-16LE with a byte
// order mark and CRLF line ends, as the Windows registry editor exports them; they are
// read in that form or in UTF-8 (with or without a byte order mark).
//
// Every function returning std::string returns "" on success, else a message naming the
// file and the line at fault. A file or text that does not parse changes nothing.
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace talix::host {

// Merges .reg text (bytes in either encoding) into the registry, as the registry editor
// imports a file: keys and values are added or replaced, "[-key]" and "name"=- delete.
TALIX_EXPORT std::string SeedRegistry(std::string_view regFileBytes);
// Empties every root key. Handles of the removed keys fail with ERROR_KEY_DELETED.
TALIX_EXPORT void ResetRegistry();
// Merges a .reg file (host path or Windows-form path) into the registry.
TALIX_EXPORT std::string LoadRegistryFile(std::string_view path);
// Writes the registry to its file (TALIX_REGISTRY). Refuses when that file could not be
// read at start-up, so a damaged file is not overwritten by an empty registry; a reset or
// a successful LoadRegistryFile of that file clears that state. Without TALIX_REGISTRY,
// does nothing.
TALIX_EXPORT std::string FlushRegistry();
// Writes the registry to the given file (a new file renamed over the old one).
TALIX_EXPORT std::string SaveRegistryFile(std::string_view path);
// The registry as the bytes of a .reg file (UTF-16LE with byte order mark).
TALIX_EXPORT std::string ExportRegistry();

}  // namespace talix::host
