// .ico and .cur files: a directory of images, each an icon resource's bytes at an offset.
#include "platform/gdi/image_load/icon_dir.h"
#include "platform/gdi/image_load/icon_image.h"

namespace talix::gdi {

std::shared_ptr<IconObject> IconFromFileBytes(const uint8_t* data, size_t size, bool icon,
                                              int cx, int cy, UINT flags) {
  std::vector<IconDirEntry> entries;
  if (!ParseFileDirectory(data, size, icon, &entries)) return nullptr;
  int w = 0, h = 0;
  RequestedIconSize(icon, cx, cy, flags | LR_DEFAULTSIZE, &w, &h);
  int best = BestIconEntry(entries, w, h, DisplayDepthFor(flags));
  if (best < 0) return nullptr;
  const IconDirEntry& entry = entries[best];
  auto image = DecodeIconImage(data + entry.idOrOffset, entry.bytes);
  if (!image) return nullptr;
  image->isIcon = icon;
  image->hotspot = icon ? POINT{image->width / 2, image->height / 2}
                        : POINT{entry.hotX, entry.hotY};
  RequestedIconSize(icon, cx, cy, flags, &w, &h);
  return ScaleIcon(*image, w ? w : image->width, h ? h : image->height);
}

}  // namespace talix::gdi
