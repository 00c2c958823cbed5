// WBMP bytes through the image store's file reader (a three-letter extension other than
// the picture formats sends the file to the WBMP reader first).
#include "fuzz/image/store_common/store_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  storefuzz::FuzzStore store;
  storefuzz::ScratchFile file(data, size, ".wbm");
  if (store.NLoadBitmap(file.Windows())) store.ReadBack();
  return 0;
}
