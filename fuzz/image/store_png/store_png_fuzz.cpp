// PNG bytes through the image store, from memory (into BT_IMAGE, so an RGBA picture
// also makes its mask) and from a file.
#include "fuzz/image/store_common/store_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  storefuzz::FuzzStore store;
  store.LoadPNGFromMem(data, DWORD(size), CNBitmapUtil::BT_IMAGE, 0);
  storefuzz::ScratchFile file(data, size, ".png");
  store.NLoadBitmap(file.Windows(), CNBitmapUtil::BT_BACKGROUND, 1);
  store.ReadBack();
  return 0;
}
