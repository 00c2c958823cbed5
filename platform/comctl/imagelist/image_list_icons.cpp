// Icons in and out of image lists, the strip bitmaps of ImageList_GetImageInfo, and
// ImageList_LoadImageW.
//
// The strips are one column of images, image i at rows i*cy..(i+1)*cy; they belong to the
// list and are rebuilt after any change. ImageList_LoadImageW makes an ILC_COLOR32 list
// for 32-bit bitmaps and ILC_COLOR24 otherwise, with ILC_MASK unless crMask is CLR_NONE
// (CLR_DEFAULT takes the top-left pixel's colour); cx 0 means square images.
#include "platform/comctl/imagelist/image_bitmaps.h"

#include <algorithm>

using namespace talix;
using namespace talix::comctl;

namespace {

constexpr size_t kMaxStripPixels = size_t{1} << 26;

bool RebuildStripsLocked(ImageList& list) {
  if (!list.stripStale && list.stripImage) return true;
  if (list.stripImage) DeleteObject(list.stripImage);
  if (list.stripMask) DeleteObject(list.stripMask);
  list.stripImage = list.stripMask = nullptr;
  size_t count = std::max<size_t>(list.images.size(), 1);
  if (list.Pixels() * count > kMaxStripPixels) return false;
  int height = list.cy * static_cast<int>(count);
  uint32_t* bits = nullptr;
  list.stripImage = NewColorSection(list.cx, height, &bits);
  if (!list.stripImage) return false;
  std::vector<uint8_t> mask(list.Pixels() * count, 0);
  for (size_t i = 0; i < list.images.size(); ++i) {
    const ListImage& image = list.images[i];
    for (size_t p = 0; p < image.color.size(); ++p)
      bits[i * list.Pixels() + p] = image.alpha ? image.color[p] : image.color[p] & 0xFFFFFF;
    std::copy(image.mask.begin(), image.mask.end(), mask.begin() + i * list.Pixels());
  }
  if (list.HasMask()) list.stripMask = NewMaskBitmap(mask.data(), list.cx, height);
  list.stripStale = false;
  return true;
}

}  // namespace

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
  ImageList shape;
  {
    std::lock_guard<std::mutex> lock(ImageListLock());
    ImageList* list = ImageListLocked(himl);
    if (!list || i < -1 || (i >= 0 && size_t(i) >= list->images.size())) return -1;
    shape.cx = list->cx;
    shape.cy = list->cy;
    shape.flags = list->flags;
  }
  ListImage image;
  if (!RenderIcon(shape, hicon, &image)) return -1;
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = ImageListLocked(himl);
  if (!list || list->cx != shape.cx || list->cy != shape.cy) return -1;  // changed meanwhile
  list->stripStale = true;
  if (i == -1) {
    if (list->images.size() >= kMaxImages) return -1;
    list->images.push_back(std::move(image));
    return static_cast<int>(list->images.size() - 1);
  }
  if (size_t(i) >= list->images.size()) return -1;
  list->images[size_t(i)] = std::move(image);
  return i;
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT) {
  ListImage image;
  int cx = 0, cy = 0;
  {
    std::lock_guard<std::mutex> lock(ImageListLock());
    ImageList* list = ImageListLocked(himl);
    if (!list || i < 0 || size_t(i) >= list->images.size()) return nullptr;
    image = list->images[size_t(i)];
    cx = list->cx;
    cy = list->cy;
  }
  uint32_t* bits = nullptr;
  ICONINFO info{TRUE, 0, 0, NewMaskBitmap(image.mask.data(), cx, cy), NewColorSection(cx, cy, &bits)};
  HICON icon = nullptr;
  if (info.hbmMask && info.hbmColor) {
    for (size_t p = 0; p < image.color.size(); ++p)
      bits[p] = image.alpha ? image.color[p] : image.color[p] & 0xFFFFFF;
    icon = CreateIconIndirect(&info);
  }
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return icon;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo) {
  std::lock_guard<std::mutex> lock(ImageListLock());
  ImageList* list = ImageListLocked(himl);
  if (!list || !pImageInfo || i < 0 || size_t(i) >= list->images.size()) return FALSE;
  if (!RebuildStripsLocked(*list)) return FALSE;
  pImageInfo->hbmImage = list->stripImage;
  pImageInfo->hbmMask = list->stripMask;
  pImageInfo->Unused1 = pImageInfo->Unused2 = 0;
  pImageInfo->rcImage = RECT{0, i * list->cy, list->cx, (i + 1) * list->cy};
  return TRUE;
}

namespace {

HIMAGELIST ListFromBitmap(HBITMAP bitmap, int cx, int cGrow, COLORREF crMask) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof(info), &info)) return nullptr;
  if (cx <= 0) cx = info.bmHeight;
  UINT flags = (info.bmBitsPixel == 32 ? ILC_COLOR32 : ILC_COLOR24) | (crMask != CLR_NONE ? ILC_MASK : 0);
  HIMAGELIST list = ImageList_Create(cx, info.bmHeight, flags, info.bmWidth / std::max(cx, 1), cGrow);
  if (!list) return nullptr;
  if (crMask == CLR_DEFAULT) {
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
    BitmapPixels(bitmap, &w, &h, &pixels);
    uint32_t p = pixels.empty() ? 0 : pixels[0];
    crMask = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int added = crMask != CLR_NONE ? ImageList_AddMasked(list, bitmap, crMask)
                                 : ImageList_Add(list, bitmap, nullptr);
  if (added < 0) {
    ImageList_Destroy(list);
    return nullptr;
  }
  return list;
}

HIMAGELIST ListFromIcon(HICON icon, int cx, int cGrow) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return nullptr;
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  int height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (cx <= 0) cx = height;
  HIMAGELIST list = ImageList_Create(cx, cx, ILC_COLOR32 | ILC_MASK, 1, cGrow);
  if (list && ImageList_ReplaceIcon(list, -1, icon) < 0) {
    ImageList_Destroy(list);
    return nullptr;
  }
  return list;
}

}  // namespace

HIMAGELIST ImageList_LoadImageW(HINSTANCE hi, LPCWSTR lpbmp, int cx, int cGrow, COLORREF crMask,
                                UINT uType, UINT uFlags) {
  if (uType != IMAGE_BITMAP && uType != IMAGE_ICON) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  bool bitmap = uType == IMAGE_BITMAP;
  HANDLE image = LoadImageW(hi, lpbmp, uType, bitmap ? 0 : cx, bitmap ? 0 : cx,
                            uFlags & ~static_cast<UINT>(LR_SHARED));
  if (!image) return nullptr;
  HIMAGELIST list = bitmap ? ListFromBitmap(static_cast<HBITMAP>(image), cx, cGrow, crMask)
                           : ListFromIcon(static_cast<HICON>(image), cx, cGrow);
  if (bitmap)
    DeleteObject(image);
  else
    DestroyIcon(static_cast<HICON>(image));
  return list;
}
