// An ELF module for the module tests: exported functions to look up, and (through the
// build) the sample resources embedded in its resource section.
#include <windows.h>

extern "C" TALIX_EXPORT int ElfSampleAnswer() { return 42; }

// The module's own handle, found the way the library finds its own module.
extern "C" TALIX_EXPORT HMODULE ElfSampleOwnModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ElfSampleOwnModule), &self);
  return self;
}
