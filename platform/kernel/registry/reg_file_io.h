// Whole-file reads and replacing writes for the registry file (host paths, POSIX I/O).
#pragma once

#include <string>

namespace talix::registry {

enum class ReadResult { Read, Missing, Failed };

// Reads a whole file; on failure *error says why.
ReadResult ReadWholeFile(const std::string& hostPath, std::string* bytes, std::string* error);
// Writes a new file beside the target and renames it over the target, so a reader never
// sees a half-written file. "" on success, else why it failed.
std::string WriteFileReplacing(const std::string& hostPath, const std::string& bytes);

}  // namespace talix::registry
