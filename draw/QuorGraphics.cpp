// CQuorGraphics: pictures drawn through a borrowed DC, whole or in parts, stretched with
// HALFTONE, and blended through their masks over what the DC shows.
#include "draw/QuorGraphics.h"

#include "draw/QuorBitmap.h"
#include "draw/gdi_scope.h"
#include "draw/stretch_copy.h"
#include "frame/QuorLib.h"

#include <cstdint>

using talix::draw::OwnedObject;
using talix::draw::RectAt;
using talix::draw::RectHeight;
using talix::draw::RectWidth;
using talix::draw::SelectedDc;

namespace {

// Temporaries of one draw are three bitmaps of the destination's size; beyond this many
// pixels (a 8192 x 8192 destination) a draw is refused rather than allocated.
constexpr int64_t kMaxDrawPixels = int64_t(1) << 26;

bool HasPicture(CQuorBitmap* picture) {
  return picture && picture->GetPrimary() && picture->GetWidth() != 0 &&
         picture->GetHeight() != 0;
}

}  // namespace

CQuorGraphics::CQuorGraphics(HDC dc) : m_hDC(dc) {}

CQuorGraphics::~CQuorGraphics() = default;

void CQuorGraphics::DrawImage(CQuorBitmap* picture, int x, int y) {
  if (!HasPicture(picture)) return;
  const int w = picture->GetWidth(), h = picture->GetHeight();
  DrawImage(picture, RectAt(x, y, w, h), RECT{0, 0, w, h});
}

void CQuorGraphics::DrawImage(CQuorBitmap* picture, int x, int y, int cx, int cy) {
  DrawImage(picture, RectAt(x, y, cx, cy));
}

void CQuorGraphics::DrawImage(CQuorBitmap* picture, RECT dst) {
  if (!HasPicture(picture)) return;
  DrawImage(picture, dst, RECT{0, 0, picture->GetWidth(), picture->GetHeight()});
}

void CQuorGraphics::DrawImage(CQuorBitmap* picture, RECT dst, int x, int y, int cx, int cy) {
  DrawImage(picture, dst, RectAt(x, y, cx, cy));
}

void CQuorGraphics::DrawImage(CQuorBitmap* picture, RECT dst, RECT src) {
  if (!HasPicture(picture)) return;
  const int w = RectWidth(dst), h = RectHeight(dst);
  if (w <= 0 || h <= 0 || int64_t(w) * h > kMaxDrawPixels) return;
  if (RectWidth(src) == 0 || RectHeight(src) == 0) return;  // nothing to take the picture from

  OwnedObject<HBITMAP> part(CopyBitmapPart(picture->GetPrimary(), src, w, h));
  if (!part.get()) return;
  OwnedObject<HBITMAP> maskPart(
      picture->GetMask() ? CopyBitmapPart(picture->GetMask(), src, w, h) : nullptr);
  OwnedObject<HBITMAP> blended;
  if (maskPart.get()) {
    // What the DC shows under dst, mixed with the picture: mask 0 shows the picture,
    // mask 255 keeps the background.
    OwnedObject<HBITMAP> background(CreateCompatibleBitmap(m_hDC, w, h));
    if (!background.get()) return;
    {
      SelectedDc under(m_hDC, background.get());
      if (!under.ok() || !BitBlt(under.get(), 0, 0, w, h, m_hDC, dst.left, dst.top, SRCCOPY))
        return;
    }
    blended.reset(CQuorLib::BlendBitmap(maskPart.get(), background.get(), part.get()));
    if (!blended.get()) return;
  }
  SelectedDc source(m_hDC, blended.get() ? blended.get() : part.get());
  if (source.ok()) MyStretchBlt(m_hDC, dst.left, dst.top, w, h, source.get(), 0, 0, w, h, SRCCOPY);
}

HBITMAP CQuorGraphics::CopyBitmapPart(HBITMAP bitmap, RECT src, int cx, int cy) {
  if (!bitmap || cx <= 0 || cy <= 0 || int64_t(cx) * cy > kMaxDrawPixels) return nullptr;
  OwnedObject<HBITMAP> result(CreateCompatibleBitmap(m_hDC, cx, cy));
  if (!result.get()) return nullptr;
  {
    SelectedDc from(m_hDC, bitmap);
    SelectedDc to(m_hDC, result.get());
    if (!from.ok() || !to.ok()) return nullptr;
    if (!MyStretchBlt(to.get(), 0, 0, cx, cy, from.get(), src.left, src.top, RectWidth(src),
                      RectHeight(src), SRCCOPY))
      return nullptr;
  }  // both DCs restored and deleted before the result leaves
  return result.release();
}

// Every caller passes SRCCOPY; the copy is SRCCOPY whatever `rop` says.
BOOL CQuorGraphics::MyStretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int srcX,
                                 int srcY, int srcCx, int srcCy, unsigned long /*rop*/) {
  return talix::draw::CopyOrStretch(dst, x, y, cx, cy, src, srcX, srcY, srcCx, srcCy);
}
