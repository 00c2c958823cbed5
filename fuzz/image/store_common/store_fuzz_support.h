// Shared pieces of the image store fuzz targets: a store that opens its readers, a
// scratch file for the file-based readers, and a pass over every stored frame so that
// decoded pixels are read back (and any overrun shows under the sanitizers).
#pragma once

#include "image/NBitmapUtil.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace storefuzz {

class FuzzStore : public CNBitmapUtil {
 public:
  using CNBitmapUtil::GetGIFFileStructure;
  using CNBitmapUtil::LoadBitmapUsingStream;
  using CNBitmapUtil::LoadGifPicture;
  using CNBitmapUtil::LoadPNGFromMem;

  // Reads every frame of every slot back as packed rows.
  void ReadBack() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const auto type = BitmapType(slot);
      if (!GetBitmapInfo(type)) continue;
      std::vector<char> buffer(size_t(GetBitmapSize(type)));
      for (int i = 0; i < kMaxFrames; ++i)
        if (GetBitmapHandle(type, i)) GetBitmapDataNA(type, i, buffer.data());
    }
  }
};

// A file holding the input, named with `extension`, in Windows form.
class ScratchFile {
 public:
  ScratchFile(const uint8_t* data, size_t size, const char* extension)
      : host_("/tmp/talix_fuzz_" + std::to_string(getpid()) + extension) {
    if (FILE* f = fopen(host_.c_str(), "wb")) {
      if (size) fwrite(data, 1, size, f);
      fclose(f);
    }
    for (char c : host_) windows_ += c == '/' ? u'\\' : char16_t(c);
    windows_ = u"Z:" + windows_;
  }
  ~ScratchFile() { remove(host_.c_str()); }
  const WCHAR* Windows() const { return windows_.c_str(); }

 private:
  std::string host_;
  std::u16string windows_;
};

}  // namespace storefuzz
