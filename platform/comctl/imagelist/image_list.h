// Image list objects: equal-sized images, each a 32-bit colour plane and a mask, in a
// handle table of kind ImageList.
//
// Colours are 0xAARRGGBB, straight (not premultiplied) alpha, rows top first. An image
// has alpha only in ILC_COLOR32 lists and only when some alpha byte of its source is
// non-zero; its mask then marks the fully transparent pixels. In other images alpha is
// 0xFF and the mask (ILC_MASK lists only) marks the transparent pixels, whose colour is
// kept black.
#pragma once

#include "platform/kernel/handle_table.h"

#include <win/commctrl.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace talix::comctl {

// Largest image side and image count accepted.
constexpr int kMaxImageSide = 4096;
constexpr size_t kMaxImages = 1u << 16;

struct ListImage {
  std::vector<uint32_t> color;
  std::vector<uint8_t> mask;  // 1 = transparent
  bool alpha = false;
};

struct ImageList {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  int grow = 0;
  COLORREF background = CLR_NONE;
  std::vector<ListImage> images;
  // Strip bitmaps handed out by ImageList_GetImageInfo; rebuilt on demand, owned here.
  HBITMAP stripImage = nullptr;
  HBITMAP stripMask = nullptr;
  bool stripStale = true;

  bool HasMask() const { return (flags & ILC_MASK) != 0; }
  bool KeepsAlpha() const { return (flags & 0xFE) == ILC_COLOR32; }
  size_t Pixels() const { return size_t(cx) * size_t(cy); }
  ~ImageList();
};

// One lock for every image list: image lists are shared between controls and threads.
std::mutex& ImageListLock();
HandleTable<ImageList>& ImageLists();
// The list behind a handle, or null (ERROR_INVALID_HANDLE); requires ImageListLock.
ImageList* ImageListLocked(HIMAGELIST himl);

// An image of the list's size cut from pixels of a larger source (width x height, rows
// top first) at column `left`; parts outside the source are transparent black.
ListImage CutImage(const ImageList& list, const std::vector<uint32_t>& pixels, int width,
                   int height, int left, const std::vector<uint32_t>* maskPixels);
// Applies the list's rules (alpha kept or not, mask kept or not, black under the mask).
void NormalizeImage(const ImageList& list, ListImage* image);

// Reads a bitmap of any depth as 0xAARRGGBB pixels; false for a bad handle.
bool BitmapPixels(HBITMAP bitmap, int* width, int* height, std::vector<uint32_t>* out);

}  // namespace talix::comctl
