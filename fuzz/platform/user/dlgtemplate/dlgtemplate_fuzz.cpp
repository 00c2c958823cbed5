// Dialog templates of a known size: the reader must reject anything truncated or
// overlong without reading past the end, and whatever it accepts must hold together.
#include "platform/user/dialog/dialog_template.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes, so a sanitizer catches any read past the end.
  std::vector<uint8_t> bytes(data, data + size);
  talix::user::DialogTemplate t;
  if (!talix::user::ParseDialogTemplate(bytes.data(), bytes.size(), &t)) return 0;
  for (const auto& item : t.items) {
    if (item.creationData &&
        (item.creationData < bytes.data() || item.creationData + 2 > bytes.data() + bytes.size()))
      std::abort();
  }
  return 0;
}
