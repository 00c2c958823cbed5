// CQuorBitmap: loading, scaling and mirroring a skin picture, attaching handles, reading
// pixels and regions, capturing backgrounds into the store.
#include "draw/QuorBitmap.h"

#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"

#include <climits>
#include <cmath>

using talix::draw::SelectedDc;
using BT = CNBitmapUtil::BitmapType;

namespace {

// (int)(length x scale) truncated toward zero, at least 1 (so a zero or tiny factor keeps
// one pixel); 0 when the factor cannot give a usable size (not a number, negative, beyond int).
int ScaledLength(int length, double scale) {
  if (!(scale >= 0.0)) return 0;
  const double scaled = std::trunc(double(length) * scale);
  if (!(scaled < double(INT_MAX))) return 0;
  return scaled < 1.0 ? 1 : int(scaled);
}

// 0x00BBGGRR as 0x00RRGGBB.
unsigned long SwapRedBlue(COLORREF c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace

CQuorBitmap::CQuorBitmap()
    : m_PrimaryType(CNBitmapUtil::BT_IMAGE),
      m_hPrimary(nullptr),
      m_bmPrimary{},
      m_MaskType(CNBitmapUtil::BT_ALPHA),
      m_hMask(nullptr),
      m_bmMask{} {}

CQuorBitmap::~CQuorBitmap() {
  // Attached handles stay with whoever attached them; store views die with the store.
  Take(&m_hPrimary, &m_bmPrimary);
  Take(&m_hMask, &m_bmMask);
  m_Store.Clear();
}

// ---- Handles ----

void CQuorBitmap::Record(HBITMAP bitmap, BT slot, HBITMAP* handle, BITMAP* info) {
  *handle = bitmap;
  *info = BITMAP{};
  if (!bitmap) return;
  if (GetObject(bitmap, sizeof(BITMAP), info) != int(sizeof(BITMAP))) *info = BITMAP{};
  if (info->bmWidth != 0) return;
  // A handle GetObject cannot describe: take the size from the slot's own header.
  if (const BITMAPINFO* header = m_Store.GetBitmapInfo(slot)) {
    info->bmWidth = header->bmiHeader.biWidth;
    info->bmHeight = header->bmiHeader.biHeight;
  }
}

void CQuorBitmap::Release(BT slot, HBITMAP* handle, BITMAP* info) {
  if (*handle) {
    // A view of the store leaves its slot (the store deletes it, once); a handle that
    // was attached from outside is ours to delete.
    if (m_Store.GetBitmapHandle(slot, 0) == *handle)
      m_Store.DeleteBitmap(slot, 0);
    else
      DeleteObject(*handle);
  }
  *handle = nullptr;
  *info = BITMAP{};
}

void CQuorBitmap::SetPrimary(HBITMAP bitmap) { Record(bitmap, m_PrimaryType, &m_hPrimary, &m_bmPrimary); }
void CQuorBitmap::SetMask(HBITMAP mask) { Record(mask, m_MaskType, &m_hMask, &m_bmMask); }
void CQuorBitmap::DeletePrimary() { Release(m_PrimaryType, &m_hPrimary, &m_bmPrimary); }
void CQuorBitmap::DeleteMask() { Release(m_MaskType, &m_hMask, &m_bmMask); }

void CQuorBitmap::Replace(BT* type, BT fresh, HBITMAP* handle, BITMAP* info, HBITMAP bitmap) {
  if (bitmap && bitmap == *handle) return;  // re-attaching must not delete it
  Release(*type, handle, info);
  *type = fresh;
  Record(bitmap, fresh, handle, info);
}

HBITMAP CQuorBitmap::Take(HBITMAP* handle, BITMAP* info) {
  HBITMAP bitmap = *handle;
  *handle = nullptr;
  *info = BITMAP{};
  return bitmap;
}

void CQuorBitmap::Attach(HBITMAP bitmap) {
  Replace(&m_PrimaryType, CNBitmapUtil::BT_IMAGE, &m_hPrimary, &m_bmPrimary, bitmap);
}
void CQuorBitmap::AttachMask(HBITMAP mask) {
  Replace(&m_MaskType, CNBitmapUtil::BT_ALPHA, &m_hMask, &m_bmMask, mask);
}
HBITMAP CQuorBitmap::Detach() { return Take(&m_hPrimary, &m_bmPrimary); }
HBITMAP CQuorBitmap::DetachMask() { return Take(&m_hMask, &m_bmMask); }

// ---- Loading ----

bool CQuorBitmap::LoadFromRes(HINSTANCE module, unsigned int id) {
  // A new load replaces everything: held handles go, and the four picture slots start
  // empty so that no mask or scaled copy of an earlier load survives into this one.
  DeletePrimary();
  DeleteMask();
  for (BT slot : {CNBitmapUtil::BT_IMAGE, CNBitmapUtil::BT_ALPHA, CNBitmapUtil::BT_IMAGE_RESIZED,
                  CNBitmapUtil::BT_ALPHA_RESIZED})
    m_Store.ResetSlot(slot);
  m_PrimaryType = CNBitmapUtil::BT_IMAGE;
  m_MaskType = CNBitmapUtil::BT_ALPHA;

  if (id > unsigned(INT_MAX) || !m_Store.LoadBitmapFromRes(module, int(id), m_PrimaryType, 0))
    return false;
  ScaleLoaded();
  SetPrimary(m_Store.GetBitmapHandle(m_PrimaryType, 0));
  SetMask(m_Store.GetBitmapHandle(m_MaskType, 0));
  if (CQuorLib::GetLayout() == 1) Mirror();
  return m_hPrimary != nullptr;
}

void CQuorBitmap::ScaleLoaded() {
  const double sx = CQuorLib::GetScaleX(), sy = CQuorLib::GetScaleY();
  // One factor of exactly 1.0 switches scaling off.
  if (!CQuorLib::GetAutoScale() || sx == 1.0 || sy == 1.0) return;
  auto resize = [&](BT slot) {
    const int w = ScaledLength(m_Store.GetBitmapWidth(slot), sx);
    const int h = ScaledLength(m_Store.GetBitmapHeight(slot), sy);
    return w > 0 && h > 0 && m_Store.Resize(slot, 0, w, h, 1) == 1;
  };
  // A failed resize keeps the unscaled picture rather than leaving an empty slot.
  if (!resize(CNBitmapUtil::BT_IMAGE)) return;
  const bool hasMask = m_Store.GetBitmapHandle(CNBitmapUtil::BT_ALPHA, 0) != nullptr;
  if (hasMask && !resize(CNBitmapUtil::BT_ALPHA)) return;  // mask and picture stay one size
  m_PrimaryType = CNBitmapUtil::BT_IMAGE_RESIZED;
  if (hasMask) m_MaskType = CNBitmapUtil::BT_ALPHA_RESIZED;
}

// ---- Reading ----

unsigned long CQuorBitmap::GetPixel(int x, int y) {
  if (!m_hPrimary || x < 0 || y < 0 || x >= m_bmPrimary.bmWidth || y >= m_bmPrimary.bmHeight)
    return CLR_INVALID;
  SelectedDc dc(nullptr, m_hPrimary);
  if (!dc.ok()) return CLR_INVALID;
  const COLORREF color = ::GetPixel(dc.get(), x, y);
  return color == CLR_INVALID ? CLR_INVALID : SwapRedBlue(color);
}

void CQuorBitmap::Mirror() {
  if (m_hPrimary) CQuorLib::MirrorBitmap(m_hPrimary);
  if (m_hMask) CQuorLib::MirrorBitmap(m_hMask);
}

HRGN CQuorBitmap::PrimaryToRegion(unsigned long keyColor, unsigned long tolerance) {
  if (!m_hPrimary) return nullptr;
  // The store builds the region of its own slot; an attached handle is not in the store
  // and goes through the bitmap operation of the same rule.
  if (m_Store.GetBitmapHandle(m_PrimaryType, 0) == m_hPrimary)
    return m_Store.BitmapToRegion(m_PrimaryType, 0, keyColor, tolerance);
  return CQuorLib::BitmapToRegion(m_hPrimary, keyColor, tolerance);
}

HRGN CQuorBitmap::MaskToRegion(unsigned long keyColor, unsigned long tolerance) {
  if (!m_hMask) return nullptr;
  if (m_Store.GetBitmapHandle(m_MaskType, 0) == m_hMask)
    return m_Store.BitmapToRegion(m_MaskType, 0, keyColor, tolerance);
  return CQuorLib::BitmapToRegion(m_hMask, keyColor, tolerance);
}

// ---- Backgrounds ----

HBITMAP CQuorBitmap::GetBackgroundStaticDC(HDC dc, int x, int y, int cx, int cy, int resized,
                                           int index) {
  if (cx <= 0) return m_Store.Fail<HBITMAP>(CNBitmapUtil::QUO_ERR_PARAM4, nullptr);
  if (cy <= 0) return m_Store.Fail<HBITMAP>(CNBitmapUtil::QUO_ERR_PARAM5, nullptr);
  if (!CQuorBitmapStore::IsFrameIndex(index))
    return m_Store.Fail<HBITMAP>(CNBitmapUtil::QUO_ERR_PARAM7, nullptr);
  if (!CQuorBitmapStore::RowSizeFor(cx, cy))
    return m_Store.Fail<HBITMAP>(CNBitmapUtil::QUO_ERR_TOO_LARGE, nullptr);

  const BT slot = resized ? CNBitmapUtil::BT_BACKGROUND_RESIZED : CNBitmapUtil::BT_BACKGROUND;
  m_Store.PrepareSlot(slot, cx, cy);  // a slot of another size is discarded whole
  HBITMAP frame = m_Store.GetBitmapHandle(slot, index);
  if (!frame) {
    frame = CreateCompatibleBitmap(dc, cx, cy);
    if (!frame || !m_Store.InstallFrame(slot, index, frame, cx, cy))
      return m_Store.Fail<HBITMAP>(CNBitmapUtil::QUO_ERR_GDI, nullptr);
  }
  SelectedDc target(dc, frame);
  if (!target.ok() || !BitBlt(target.get(), 0, 0, cx, cy, dc, x, y, SRCCOPY))
    return m_Store.Fail<HBITMAP>(CNBitmapUtil::QUO_ERR_GDI, nullptr);
  m_Store.m_nLastError = CNBitmapUtil::QUO_OK;
  return frame;
}
