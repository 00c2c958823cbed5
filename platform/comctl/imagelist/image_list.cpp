#include "platform/comctl/imagelist/image_list.h"

#include "platform/gdi/icon/icon_object.h"

#include <algorithm>

namespace talix::comctl {

ImageList::~ImageList() {
  if (stripImage) DeleteObject(stripImage);
  if (stripMask) DeleteObject(stripMask);
}

std::mutex& ImageListLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

HandleTable<ImageList>& ImageLists() {
  static auto* table = new HandleTable<ImageList>(HandleKind::ImageList);
  return *table;
}

ImageList* ImageListLocked(HIMAGELIST himl) {
  ImageList* list = ImageLists().Peek(ValueOfHandle(himl));
  if (!list) SetLastError(ERROR_INVALID_HANDLE);
  return list;
}

bool BitmapPixels(HBITMAP bitmap, int* width, int* height, std::vector<uint32_t>* out) {
  return gdi::ReadBitmapPixels(bitmap, width, height, out);
}

ListImage CutImage(const ImageList& list, const std::vector<uint32_t>& pixels, int width,
                   int height, int left, const std::vector<uint32_t>* maskPixels) {
  ListImage image;
  image.color.assign(list.Pixels(), 0);
  image.mask.assign(list.Pixels(), 1);
  for (int y = 0; y < std::min(list.cy, height); ++y)
    for (int x = 0; x < list.cx && left + x < width; ++x) {
      size_t from = size_t(y) * width + left + x, to = size_t(y) * list.cx + x;
      image.color[to] = pixels[from];
      image.mask[to] = maskPixels && ((*maskPixels)[from] & 0xFFFFFF) != 0;
    }
  image.alpha = std::any_of(image.color.begin(), image.color.end(),
                            [](uint32_t c) { return (c >> 24) != 0; });
  return image;
}

namespace {

// Straight alpha over black, opaque.
uint32_t OverBlack(uint32_t c) {
  uint32_t a = c >> 24, out = 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8)
    out |= ((((c >> shift) & 0xFF) * a + 127) / 255) << shift;
  return out;
}

}  // namespace

void NormalizeImage(const ImageList& list, ListImage* image) {
  if (image->alpha && list.KeepsAlpha()) {
    for (size_t i = 0; i < image->color.size(); ++i) image->mask[i] = (image->color[i] >> 24) == 0;
    return;
  }
  for (size_t i = 0; i < image->color.size(); ++i) {
    uint32_t& c = image->color[i];
    if (image->alpha) image->mask[i] = (c >> 24) == 0;
    c = image->alpha ? OverBlack(c) : (c | 0xFF000000);
    if (!list.HasMask()) image->mask[i] = 0;
    if (image->mask[i]) c = 0xFF000000;
  }
  image->alpha = false;
}

}  // namespace talix::comctl
