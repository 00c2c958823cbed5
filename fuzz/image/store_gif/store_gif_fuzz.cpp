// GIF bytes through the image store: the structure walk over an exact-size copy, the
// animated-frame cutter and compositor, and the still-picture reader.
#include "fuzz/image/store_common/store_fuzz_support.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  storefuzz::FuzzStore store;
  auto frames = std::make_unique<CNBitmapUtil::CGIFFileStruct>();
  const int count = store.GetGIFFileStructure(data, DWORD(size), frames.get());
  if (count < 0 || count > CNBitmapUtil::kMaxFrames) __builtin_trap();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (!block) return 0;
  if (void* p = GlobalLock(block)) {
    if (size) std::memcpy(p, data, size);
    GlobalUnlock(block);
  }
  if (!store.LoadGifPicture(block, DWORD(size), CNBitmapUtil::BT_IMAGE, 0))
    store.LoadBitmapUsingStream(data, size, CNBitmapUtil::BT_IMAGE, 0);
  GlobalFree(block);
  store.ReadBack();
  return 0;
}
