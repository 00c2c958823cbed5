// OTA bitmap bytes through the image store's file reader.
#include "fuzz/image/store_common/store_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  storefuzz::FuzzStore store;
  storefuzz::ScratchFile file(data, size, ".otb");
  if (store.NLoadBitmap(file.Windows())) store.ReadBack();
  return 0;
}
