// BMP bytes through the picture reader of the image store.
#include "fuzz/image/store_common/store_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  storefuzz::FuzzStore store;
  if (store.LoadBitmapUsingStream(data, size, CNBitmapUtil::BT_IMAGE, 0)) store.ReadBack();
  return 0;
}
