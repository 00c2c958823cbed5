// Scoped GDI resources for the bitmap operations: the screen DC, memory DCs with a bitmap
// selected, owned temporary objects. Each releases what it made on every path, so the
// operations can return early without leaking handles.
#pragma once

#include <windows.h>

namespace talix::draw {

// The screen DC, GetDC(NULL); the reference DC of every new device-compatible bitmap.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory DC compatible with `reference` with `bitmap` selected; ok() is false when the
// DC could not be made or the bitmap not selected (for instance because another DC holds
// it). The selection is undone before the DC is deleted.
class SelectedDc {
 public:
  SelectedDc(HDC reference, HBITMAP bitmap) : dc_(CreateCompatibleDC(reference)) {
    if (dc_ && bitmap) old_ = SelectObject(dc_, bitmap);
  }
  ~SelectedDc() {
    if (!dc_) return;
    if (old_) SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  SelectedDc(const SelectedDc&) = delete;
  SelectedDc& operator=(const SelectedDc&) = delete;
  bool ok() const { return dc_ && old_; }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// A GDI object deleted at the end of the scope unless released to the caller.
template <typename Handle>
class OwnedObject {
 public:
  explicit OwnedObject(Handle h = nullptr) : h_(h) {}
  ~OwnedObject() {
    if (h_) DeleteObject(h_);
  }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;
  Handle get() const { return h_; }
  Handle release() {
    Handle h = h_;
    h_ = nullptr;
    return h;
  }
  void reset(Handle h) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  Handle h_;
};

// Width and height of a bitmap; false when it cannot be queried.
inline bool QueryBitmapSize(HBITMAP bitmap, SIZE* size) {
  BITMAP info{};
  if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return false;
  if (GetObject(bitmap, sizeof info, &info) != int(sizeof info)) return false;
  *size = SIZE{info.bmWidth, info.bmHeight};
  return true;
}

// The header of a top-down 32-bit DIB (one pixel value 0xXXRRGGBB per pixel, no padding).
inline BITMAPINFO TopDown32Header(LONG width, LONG height) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}

}  // namespace talix::draw
