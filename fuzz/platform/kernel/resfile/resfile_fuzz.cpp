// Compiled resources in the .res format, the ELF section lookup that finds them in a
// module, and version blocks read directly.
#include "fuzz/platform/kernel/pefile/resource_walk.h"
#include "platform/kernel/module/elf_sections.h"
#include "platform/kernel/module/res_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  talix::ByteView bytes(data, size);
  bool malformed;
  talix::ByteView section = talix::FindElfSection(bytes, talix::kResourceSectionName, &malformed);
  talix::ResourceTree tree;
  talix::ReadResFile(section.Data() ? section : bytes, &tree);
  volatile unsigned sum = talix::fuzz::WalkResources(tree);
  (void)sum;
  talix::fuzz::QueryVersionPaths(bytes);
  return 0;
}
