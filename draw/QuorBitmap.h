// CQuorBitmap: a skin picture. A primary image and an optional grey transparency mask
// (0 = opaque, 255 = transparent), loaded from a resource module into an embedded image
// store, scaled by the library's scale factors and mirrored in right-to-left layout.
//
// Ownership: the store owns what it loaded or scaled; the primary and mask of a loaded
// picture are views of its slots. A handle given to Attach/AttachMask is held by the object:
// a later Attach/AttachMask (or LoadFromRes) deletes it, the destructor leaves it to
// whoever attached it. Replacing a store view takes it out of its slot, so no handle is
// ever deleted twice.
//
// Limits:
//  - GetPixel answers CLR_INVALID for positions outside the picture.
//  - GetBackgroundStaticDC refuses frame indexes outside 0..511 (QUO_ERR_PARAM7).
//  - Scaled sizes are at least 1 x 1; a failed resize keeps the unscaled picture.
#pragma once

#include "frame/talix_export.h"
#include "image/NBitmapUtil.h"

#include <windows.h>

// The picture's image store. A subclass only so that the picture may use the store's
// protected slot operations; it adds no fields and no behaviour.
class TALIX_LIB_API CQuorBitmapStore : public CNBitmapUtil {
  friend class CQuorBitmap;
};

class TALIX_LIB_API CQuorBitmap {
 public:
  CQuorBitmap();
  virtual ~CQuorBitmap();
  CQuorBitmap(const CQuorBitmap&) = delete;
  CQuorBitmap& operator=(const CQuorBitmap&) = delete;

  // Loads resource `id` of `module` (bitmap, PNG with alpha, WBMP, OTA), scales and mirrors
  // it. False when no primary could be loaded.
  bool LoadFromRes(HINSTANCE module, unsigned int id);

  void Attach(HBITMAP bitmap);
  HBITMAP Detach();
  void AttachMask(HBITMAP mask);
  HBITMAP DetachMask();

  HBITMAP GetPrimary() const { return m_hPrimary; }
  HBITMAP GetMask() const { return m_hMask; }
  int GetWidth() const { return m_bmPrimary.bmWidth; }
  int GetHeight() const { return m_bmPrimary.bmHeight; }
  bool IsScaled() const { return m_PrimaryType == CNBitmapUtil::BT_IMAGE_RESIZED; }

  // The primary's pixel as 0x00RRGGBB, row y counted from the top; CLR_INVALID when the
  // position lies outside the picture or the pixels cannot be read.
  unsigned long GetPixel(int x, int y);
  // Flips primary and mask left to right in place, each if present.
  void Mirror();

  // Regions of the pixels that do not match keyColor (0x00RRGGBB) within tolerance;
  // the caller owns the region. NULL when the slot holds no picture.
  HRGN PrimaryToRegion(unsigned long keyColor, unsigned long tolerance);
  HRGN MaskToRegion(unsigned long keyColor, unsigned long tolerance);

  // Copies (x, y, cx, cy) of dc into frame `index` of the background slot (the resized one
  // when `resized` is non-zero), reusing a frame of the same size; the store keeps it.
  HBITMAP GetBackgroundStaticDC(HDC dc, int x, int y, int cx, int cy, int resized, int index);

 protected:
  void SetPrimary(HBITMAP bitmap);
  void SetMask(HBITMAP mask);
  void DeletePrimary();
  void DeleteMask();

  CQuorBitmapStore m_Store;
  CNBitmapUtil::BitmapType m_PrimaryType;
  HBITMAP m_hPrimary;
  BITMAP m_bmPrimary;
  CNBitmapUtil::BitmapType m_MaskType;
  HBITMAP m_hMask;
  BITMAP m_bmMask;

 private:
  // Records `bitmap` in handle/info, with the slot's header as the size fallback.
  void Record(HBITMAP bitmap, CNBitmapUtil::BitmapType slot, HBITMAP* handle, BITMAP* info);
  // Gives up the current handle of one half: a view of a store slot leaves the slot
  // (deleted once, by the store), an attached handle is deleted.
  void Release(CNBitmapUtil::BitmapType slot, HBITMAP* handle, BITMAP* info);
  // Release, then hold `bitmap` (the Attach rule for either half).
  void Replace(CNBitmapUtil::BitmapType* type, CNBitmapUtil::BitmapType fresh, HBITMAP* handle,
               BITMAP* info, HBITMAP bitmap);
  // Forgets a handle without deleting it; returns it.
  static HBITMAP Take(HBITMAP* handle, BITMAP* info);
  void ScaleLoaded();
};
