// Creating image lists and editing their images.
//
// ImageList_Add cuts as many images as whole image widths fit in the bitmap; a mask bitmap
// (ILC_MASK lists) marks transparent pixels with 1 (white). ImageList_AddMasked makes the
// mask from the pixels of one colour; unlike the documented behaviour it leaves the
// caller's bitmap unchanged (the copy kept by the list is blackened under the mask).
// New images from ImageList_SetImageCount are opaque black. ImageList_SetIconSize removes
// every image.
#include "platform/comctl/imagelist/image_list.h"

#include <algorithm>

using namespace talix;
using namespace talix::comctl;

namespace {

bool SizeAccepted(int cx, int cy) {
  return cx > 0 && cy > 0 && cx <= kMaxImageSide && cy <= kMaxImageSide;
}

ImageList* Edit(HIMAGELIST himl) {
  ImageList* list = ImageListLocked(himl);
  if (list) list->stripStale = true;
  return list;
}

// A mask plane the size of the image: the mask bitmap's pixels where it covers, else 0.
bool MaskPixels(HBITMAP mask, int width, int height, std::vector<uint32_t>* out) {
  int mw = 0, mh = 0;
  std::vector<uint32_t> pixels;
  if (!BitmapPixels(mask, &mw, &mh, &pixels)) return false;
  out->assign(size_t(width) * height, 0);
  for (int y = 0; y < std::min(height, mh); ++y)
    for (int x = 0; x < std::min(width, mw); ++x) (*out)[size_t(y) * width + x] = pixels[size_t(y) * mw + x];
  return true;
}

// Cuts `count` images (0: all that fit) from a bitmap; false for bad bitmaps.
bool CutImages(const ImageList& list, HBITMAP image, HBITMAP mask, const COLORREF* maskColor,
               size_t count, std::vector<ListImage>* out) {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels, maskPixels;
  if (!BitmapPixels(image, &width, &height, &pixels)) return false;
  bool useMask = list.HasMask() && (mask || maskColor);
  if (mask && useMask && !MaskPixels(mask, width, height, &maskPixels)) return false;
  if (maskColor && useMask) {
    maskPixels.resize(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
      COLORREF rgb = pixels[i] & 0xFFFFFF;
      COLORREF asColorref = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
      maskPixels[i] = asColorref == (*maskColor & 0xFFFFFF) ? 0xFFFFFF : 0;
    }
  }
  if (!count) count = size_t(width / list.cx);
  for (size_t n = 0; n < count; ++n) {
    ListImage cut = CutImage(list, pixels, width, height, int(n) * list.cx, useMask ? &maskPixels : nullptr);
    NormalizeImage(list, &cut);
    out->push_back(std::move(cut));
  }
  return true;
}

int AddImages(HIMAGELIST himl, HBITMAP image, HBITMAP mask, const COLORREF* maskColor) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = Edit(himl);
  std::vector<ListImage> cut;
  if (!list || !CutImages(*list, image, mask, maskColor, 0, &cut) || cut.empty() ||
      list->images.size() + cut.size() > kMaxImages)
    return -1;
  int first = static_cast<int>(list->images.size());
  for (ListImage& one : cut) list->images.push_back(std::move(one));
  return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int cGrow) {
  if (!SizeAccepted(cx, cy)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto list = std::make_shared<ImageList>();
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  list->grow = cGrow;
  uint32_t value = ImageLists().Add(std::move(list));
  if (!value) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return HandleFromValue<HIMAGELIST>(value);
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
  std::shared_ptr<ImageList> list = ImageLists().Take(ValueOfHandle(himl));
  if (!list) SetLastError(ERROR_INVALID_HANDLE);
  return list != nullptr;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
  return AddImages(himl, hbmImage, hbmMask, nullptr);
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
  return AddImages(himl, hbmImage, nullptr, &crMask);
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = Edit(himl);
  std::vector<ListImage> cut;
  if (!list || i < 0 || size_t(i) >= list->images.size() ||
      !CutImages(*list, hbmImage, hbmMask, nullptr, 1, &cut))
    return FALSE;
  list->images[size_t(i)] = std::move(cut.front());
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = Edit(himl);
  if (!list) return FALSE;
  if (i == -1) {
    list->images.clear();
    return TRUE;
  }
  if (i < 0 || size_t(i) >= list->images.size()) return FALSE;
  list->images.erase(list->images.begin() + i);
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = ImageListLocked(himl);
  return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = Edit(himl);
  if (!list || uNewCount > kMaxImages) return FALSE;
  ListImage blank;
  blank.color.assign(list->Pixels(), 0xFF000000);
  blank.mask.assign(list->Pixels(), 0);
  list->images.resize(uNewCount, blank);
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = ImageListLocked(himl);
  if (!list || !cx || !cy) return FALSE;
  *cx = list->cx;
  *cy = list->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = Edit(himl);
  if (!list || !SizeAccepted(cx, cy)) return FALSE;
  list->cx = cx;
  list->cy = cy;
  list->images.clear();
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = ImageListLocked(himl);
  if (!list) return CLR_NONE;
  COLORREF previous = list->background;
  list->background = clrBk;
  return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = ImageListLocked(himl);
  return list ? list->background : CLR_NONE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl) {
  auto copy = std::make_shared<ImageList>();
  {
    std::lock_guard<std::mutex> lock(ImageListLock());
    ImageList* list = ImageListLocked(himl);
    if (!list) return nullptr;
    copy->cx = list->cx;
    copy->cy = list->cy;
    copy->flags = list->flags;
    copy->grow = list->grow;
    copy->background = list->background;
    copy->images = list->images;
  }
  uint32_t value = ImageLists().Add(std::move(copy));
  return value ? HandleFromValue<HIMAGELIST>(value) : nullptr;
}
