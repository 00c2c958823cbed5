// Resource directories of PE modules: the header checks, the RVA mapping through the
// section table and the directory walk (cycles, shared directories, names, sizes).
#include "fuzz/platform/kernel/pefile/resource_walk.h"
#include "platform/kernel/module/pe_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  talix::ResourceTree tree;
  if (talix::ReadPeResources(talix::ByteView(data, size), &tree) == 0) {
    volatile unsigned sum = talix::fuzz::WalkResources(tree);
    (void)sum;
  }
  return 0;
}
