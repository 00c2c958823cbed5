// CQuorLib's colour-keyed regions: the pixels of a bitmap that do not match a key colour,
// as a region built from one rectangle per horizontal run of such pixels.
//
// Runs are gathered in batches of up to 2000 rectangles, each batch turned into a region
// with ExtCreateRegion and merged into the result, so a bitmap of many runs costs one
// region operation per batch. The last batch is always turned into a region after the scan,
// however the last row ends; a bitmap without a single non-key pixel gives an empty region.
#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

using namespace talix::draw;

namespace {

constexpr DWORD kBatchRects = 2000;

// One RGNDATA block with room for a batch, reused for every batch.
class RegionBatch {
 public:
  bool ok() const { return block_ != nullptr; }

  void Add(LONG left, LONG top, LONG right, LONG bottom) {
    RGNDATAHEADER& h = Header();
    RECT& bound = h.rcBound;
    if (h.nCount == 0) {
      bound = RECT{left, top, right, bottom};
    } else {
      bound = RECT{std::min(bound.left, left), std::min(bound.top, top),
                   std::max(bound.right, right), std::max(bound.bottom, bottom)};
    }
    Rects()[h.nCount++] = RECT{left, top, right, bottom};
  }
  bool Full() const { return Header().nCount == kBatchRects; }
  bool Empty() const { return Header().nCount == 0; }

  // The batch as a region; the batch starts over empty.
  HRGN Take() {
    RGNDATAHEADER& h = Header();
    HRGN region = ExtCreateRegion(nullptr, DWORD(sizeof(RGNDATAHEADER) + h.nCount * sizeof(RECT)),
                                  reinterpret_cast<const RGNDATA*>(block_.get()));
    h.nCount = 0;
    h.rcBound = RECT{0, 0, 0, 0};
    return region;
  }

 private:
  static constexpr size_t kBytes = sizeof(RGNDATAHEADER) + kBatchRects * sizeof(RECT);
  std::unique_ptr<uint8_t[]> block_ = MakeBlock();

  static std::unique_ptr<uint8_t[]> MakeBlock() {
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kBytes]());
    if (block) {
      auto* h = reinterpret_cast<RGNDATAHEADER*>(block.get());
      h->dwSize = sizeof(RGNDATAHEADER);
      h->iType = RDH_RECTANGLES;
    }
    return block;
  }
  RGNDATAHEADER& Header() const { return *reinterpret_cast<RGNDATAHEADER*>(block_.get()); }
  RECT* Rects() { return reinterpret_cast<RECT*>(block_.get() + sizeof(RGNDATAHEADER)); }
};

// The result region, merging each batch into the first.
class RegionUnion {
 public:
  RegionUnion() = default;
  ~RegionUnion() {
    if (result_) DeleteObject(result_);
  }
  RegionUnion(const RegionUnion&) = delete;
  RegionUnion& operator=(const RegionUnion&) = delete;
  // Takes the batch into the result; false when a region cannot be made or merged.
  bool Merge(RegionBatch& batch) {
    HRGN part = batch.Take();
    if (!part) return false;
    if (!result_) {
      result_ = part;
      return true;
    }
    const bool merged = CombineRgn(result_, result_, part, RGN_OR) != ERROR;
    DeleteObject(part);
    return merged;
  }
  bool HasResult() const { return result_ != nullptr; }
  HRGN Release() {
    HRGN r = result_;
    result_ = nullptr;
    return r;
  }

 private:
  HRGN result_ = nullptr;
};

// The bitmap as top-down 32-bit pixels, width * height values; null when it cannot be read.
std::unique_ptr<uint32_t[]> ReadPixels32(HBITMAP bitmap, LONG width, LONG height) {
  std::unique_ptr<uint32_t[]> pixels(new (std::nothrow) uint32_t[size_t(width) * height]());
  if (!pixels) return nullptr;
  BITMAPINFO header = TopDown32Header(width, height);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return nullptr;
  const int lines = GetDIBits(dc, bitmap, 0, UINT(height), pixels.get(), &header, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (lines != height) return nullptr;
  return pixels;
}

}  // namespace

int CQuorLib::TestColorMatch(unsigned long a, unsigned long b, unsigned long tolerance) {
  if ((tolerance & 0xFFFFFFFFul) == 0) return (a & 0xFFFFFFFFul) == (b & 0xFFFFFFFFul) ? 1 : 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const long ca = long((a >> shift) & 0xFF), cb = long((b >> shift) & 0xFF);
    const long allowed = long((tolerance >> shift) & 0xFF);
    if (ca - cb > allowed || cb - ca > allowed) return 0;
  }
  return 1;
}

HRGN CQuorLib::BitmapToRegion(HBITMAP bitmap, unsigned long keyColor, unsigned long tolerance) {
  SIZE size;
  if (!QueryBitmapSize(bitmap, &size) || size.cx <= 0 || size.cy <= 0) return nullptr;
  std::unique_ptr<uint32_t[]> pixels = ReadPixels32(bitmap, size.cx, size.cy);
  RegionBatch batch;
  if (!pixels || !batch.ok()) return nullptr;

  RegionUnion region;
  for (LONG y = 0; y < size.cy; ++y) {
    const uint32_t* row = pixels.get() + size_t(y) * size_t(size.cx);
    LONG x = 0;
    while (x < size.cx) {
      if (TestColorMatch(row[x], keyColor, tolerance)) {
        ++x;
        continue;
      }
      const LONG start = x;
      while (x < size.cx && !TestColorMatch(row[x], keyColor, tolerance)) ++x;
      batch.Add(start, y, x, y + 1);
      if (batch.Full() && !region.Merge(batch)) return nullptr;
    }
  }
  // The remaining runs; an empty batch only when there was no run at all (empty region).
  if ((!batch.Empty() || !region.HasResult()) && !region.Merge(batch)) return nullptr;
  return region.Release();
}
