// The process's modules: one handle per module, reference counts, and the lookups by
// identity, address and file name that LoadLibrary and GetModuleHandle need.
#pragma once

#include "platform/kernel/module/module_object.h"

#include <win/types.h>

#include <memory>
#include <string_view>

namespace talix {

// Registers `module` with one reference, or, when a module with the same identity is
// already registered, adds a reference to that one (and drops `module`). Returns the
// handle, or null (ERROR_NOT_ENOUGH_MEMORY) when the table is full.
HMODULE AddModuleReference(std::shared_ptr<Module> module);
// The module behind a handle; null when stale or foreign. NULL gives the executable.
std::shared_ptr<Module> FindModule(HMODULE handle);
// The handle of the host executable.
HMODULE ExecutableModule();
// The handle of the loaded code module at `base`, registering it, pinned, when the
// system loader loaded it. Null when no module is loaded there.
HMODULE CodeModuleAt(const void* base);
// The handle of the loaded code module whose file name (or full path, when `name` has a
// folder) equals `name` ignoring ASCII case. Null when none.
HMODULE LoadedCodeModuleNamed(std::string_view hostName);
// Drops a reference; the module unloads when none are left. False for a bad handle.
bool ReleaseModule(HMODULE handle);
void PinModule(HMODULE handle);
void AddReference(HMODULE handle);

// The load base of the module that a dlopen handle stands for.
const void* BaseOfDlHandle(void* dl);

}  // namespace talix
