// Fuzzes the .reg file reader. Any input must be either refused with a message naming a
// line, or read; what is read must be written back and read again to the same tree.
#include "platform/kernel/registry/reg_file_parser.h"
#include "platform/kernel/registry/reg_file_writer.h"
#include "platform/kernel/registry/reg_text.h"
#include "platform/kernel/registry/registry_tree.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using talix::registry::RegEdit;
using talix::registry::RegFileError;
using talix::registry::RegistryTree;

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "regfile fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Deep keys are written with their full path on every line, so output grows with the
  // square of the depth; larger inputs only slow the search down.
  if (size > 64 * 1024) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<RegEdit> edits;
  RegFileError error;
  if (!talix::registry::ParseRegFile(bytes, &edits, &error)) {
    if (error.message.empty() || !edits.empty()) Fail("a refused file needs a message and no edits");
    return 0;
  }
  RegistryTree tree;
  tree.Apply(edits);
  std::u16string written = talix::registry::ExportRegText(tree);
  std::vector<RegEdit> reread;
  if (!talix::registry::ParseRegFile(talix::registry::EncodeUtf16Le(written), &reread, &error))
    Fail("a written file does not read back");
  RegistryTree copy;
  copy.Apply(reread);
  if (talix::registry::ExportRegText(copy) != written) Fail("a written file reads back to another tree");
  return 0;
}
