// Random region programs run against the region functions and against a pixel model of
// the same regions on a small grid; any disagreement aborts. Also feeds raw bytes to
// ExtCreateRegion as hostile RGNDATA.
#include "platform/gdi/gdi_object.h"
#include "tests/platform/gdi/region_pixel_model.h"

#include <talix/host_handles.h>
#include <win/base.h>
#include <win/region.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using talix::test::RegionPixelModel;

#define CHECK(cond)                                                               \
  do {                                                                            \
    if (!(cond)) {                                                                \
      std::fprintf(stderr, "regionops: %s failed at line %d\n", #cond, __LINE__); \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int Coord() { return Byte() % 40 - 4; }  // -4 .. 35: inside the model's grid
  int32_t Raw() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return static_cast<int32_t>(v);
  }
  // Mostly small values, sometimes anything.
  int Wild() { return Byte() & 1 ? Raw() : Byte() * 64 - 8192; }
  const uint8_t* Take(size_t n, size_t* got) {
    *got = std::min(n, size_ - std::min(pos_, size_));
    const uint8_t* p = data_ + pos_;
    pos_ += *got;
    return p;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

constexpr int kSlots = 4;

struct Slot {
  HRGN handle = nullptr;
  RegionPixelModel model;
};

std::vector<RECT> RectsOf(HRGN region) {
  DWORD size = GetRegionData(region, 0, nullptr);
  CHECK(size >= sizeof(RGNDATAHEADER));
  std::vector<uint8_t> bytes(size);
  CHECK(GetRegionData(region, size, reinterpret_cast<RGNDATA*>(bytes.data())) == size);
  RGNDATAHEADER header;
  std::memcpy(&header, bytes.data(), sizeof header);
  CHECK(header.iType == RDH_RECTANGLES && size == sizeof header + header.nCount * sizeof(RECT));
  std::vector<RECT> rects(header.nCount);
  if (!rects.empty()) std::memcpy(rects.data(), bytes.data() + sizeof header, size - sizeof header);
  // Y-x banded, as GetRegionData promises.
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[i];
    CHECK(r.left < r.right && r.top < r.bottom);
    if (i == 0) continue;
    const RECT& p = rects[i - 1];
    CHECK(r.top == p.top ? (r.bottom == p.bottom && r.left > p.right) : r.top >= p.bottom);
  }
  return rects;
}

// The region behind the slot is exactly its model.
void Verify(const Slot& slot) {
  CHECK(RegionPixelModel::FromRects(RectsOf(slot.handle)) == slot.model);
  RECT box{};
  CHECK(GetRgnBox(slot.handle, &box) == slot.model.Type());
  RECT expected = slot.model.Box();
  CHECK(std::memcmp(&box, &expected, sizeof box) == 0);
}

void Replace(Slot& slot, HRGN region, const RegionPixelModel& model) {
  CHECK(region != nullptr);
  if (slot.handle) CHECK(DeleteObject(slot.handle));
  slot.handle = region;
  slot.model = model;
  Verify(slot);
}

std::vector<uint8_t> DataOf(const std::vector<RECT>& rects) {
  std::vector<uint8_t> bytes(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RGNDATAHEADER header{sizeof header, RDH_RECTANGLES, DWORD(rects.size()), 0, {0, 0, 0, 0}};
  std::memcpy(bytes.data(), &header, sizeof header);
  if (!rects.empty())
    std::memcpy(bytes.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
  return bytes;
}

HRGN FromData(const std::vector<uint8_t>& bytes) {
  return ExtCreateRegion(nullptr, DWORD(bytes.size()),
                         reinterpret_cast<const RGNDATA*>(bytes.data()));
}

void Combine(Input& in, Slot* slots) {
  Slot& dst = slots[in.Byte() % kSlots];
  const Slot& a = slots[in.Byte() % kSlots];
  const Slot& b = slots[in.Byte() % kSlots];
  int mode = in.Byte() % 7;  // 0 and 6 are invalid
  RegionPixelModel expected = RegionPixelModel::Combine(a.model, b.model, mode);
  int type = CombineRgn(dst.handle, a.handle, b.handle, mode);
  if (mode < RGN_AND || mode > RGN_COPY) {
    CHECK(type == ERROR);
  } else {
    CHECK(type == expected.Type());
    dst.model = expected;
  }
  Verify(dst);
}

void Offset(Input& in, Slot& slot) {
  int dx = in.Byte() % 17 - 8, dy = in.Byte() % 17 - 8;
  RECT box = slot.model.Box();
  bool staysOnGrid =
      slot.model.Empty() ||
      (box.left + dx >= RegionPixelModel::kMin && box.right + dx <= RegionPixelModel::kMax &&
       box.top + dy >= RegionPixelModel::kMin && box.bottom + dy <= RegionPixelModel::kMax);
  if (!staysOnGrid) return;
  CHECK(OffsetRgn(slot.handle, dx, dy) == slot.model.Type());
  slot.model = slot.model.Offset(dx, dy);
  Verify(slot);
}

void FromRectList(Input& in, Slot& slot) {
  std::vector<RECT> rects(in.Byte() % 12);
  for (RECT& r : rects) r = RECT{in.Coord(), in.Coord(), in.Coord(), in.Coord()};
  Replace(slot, FromData(DataOf(rects)), RegionPixelModel::FromRects(rects));
}

void RoundTrip(const Slot& slot) {
  HRGN copy = FromData(DataOf(RectsOf(slot.handle)));
  CHECK(copy != nullptr);
  CHECK(EqualRgn(copy, slot.handle) == TRUE);
  CHECK(DeleteObject(copy));
}

void HitTests(Input& in, const Slot& slot) {
  int x = in.Coord(), y = in.Coord();
  CHECK((PtInRegion(slot.handle, x, y) != FALSE) == slot.model.Get(x, y));
  RECT r{in.Coord(), in.Coord(), in.Coord(), in.Coord()};
  bool any = false;
  for (int yy = std::min(r.top, r.bottom); yy < std::max(r.top, r.bottom); ++yy)
    for (int xx = std::min(r.left, r.right); xx < std::max(r.left, r.right); ++xx)
      any = any || slot.model.Get(xx, yy);
  CHECK((RectInRegion(slot.handle, &r) != FALSE) == any);
}

void Shape(Input& in, Slot& slot) {
  RECT box{in.Coord(), in.Coord(), in.Coord(), in.Coord()};
  RECT ordered{std::min(box.left, box.right), std::min(box.top, box.bottom),
               std::max(box.left, box.right), std::max(box.top, box.bottom)};
  RegionPixelModel model;
  uint8_t kind = in.Byte() % 3;
  if (kind == 2) {
    std::vector<std::vector<POINT>> polygon(1, std::vector<POINT>(3 + in.Byte() % 6));
    for (POINT& p : polygon[0]) p = POINT{in.Coord(), in.Coord()};
    int mode = in.Byte() % 2 ? WINDING : ALTERNATE;
    for (int y = RegionPixelModel::kMin; y < RegionPixelModel::kMax; ++y)
      for (int x = RegionPixelModel::kMin; x < RegionPixelModel::kMax; ++x)
        model.Set(x, y, talix::test::PolygonCoversPixel(polygon, mode, x, y));
    Replace(slot, CreatePolygonRgn(polygon[0].data(), int(polygon[0].size()), mode), model);
    return;
  }
  for (int y = ordered.top; y < ordered.bottom; ++y)
    for (int x = ordered.left; x < ordered.right; ++x)
      model.Set(x, y, talix::test::EllipseCoversPixel(ordered, x, y));
  if (kind == 0) {
    Replace(slot, CreateEllipticRgn(box.left, box.top, box.right, box.bottom), model);
  } else {
    // Corner ellipses at least as big as the box give the ellipse.
    int w = ordered.right - ordered.left + in.Byte() % 4,
        h = ordered.bottom - ordered.top + in.Byte() % 4;
    Replace(slot, CreateRoundRectRgn(box.left, box.top, box.right, box.bottom, w, h), model);
  }
}

void Hostile(Input& in) {
  size_t got = 0;
  const uint8_t* p = in.Take(in.Byte() * 2u, &got);
  std::vector<uint8_t> bytes(p, p + got);  // exactly the declared size
  HRGN region =
      ExtCreateRegion(nullptr, DWORD(bytes.size()),
                      reinterpret_cast<const RGNDATA*>(bytes.empty() ? nullptr : bytes.data()));
  if (!region) return;
  RectsOf(region);  // whatever was accepted reads back banded
  CHECK(DeleteObject(region));
}

// Shapes with coordinates anywhere in the 32-bit range: each call either fails cleanly or
// gives a well-formed region.
void Extreme(Input& in) {
  int a = in.Wild(), b = in.Wild(), c = in.Wild(), d = in.Wild();
  HRGN region = nullptr;
  switch (in.Byte() % 4) {
    case 0: region = CreateRectRgn(a, b, c, d); break;
    case 1: region = CreateEllipticRgn(a, b, c, d); break;
    case 2: region = CreateRoundRectRgn(a, b, c, d, in.Wild(), in.Wild()); break;
    case 3: {
      POINT points[] = {{a, b}, {c, d}, {in.Wild(), in.Wild()}, {in.Wild(), in.Wild()}};
      region = CreatePolygonRgn(points, 3 + in.Byte() % 2, in.Byte() % 3);
      break;
    }
  }
  if (!region) return;
  RectsOf(region);
  OffsetRgn(region, in.Wild(), in.Wild());
  RectsOf(region);
  CHECK(DeleteObject(region));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t liveBefore = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  Input in(data, size);
  Slot slots[kSlots];
  for (Slot& s : slots) Replace(s, CreateRectRgn(0, 0, 0, 0), RegionPixelModel());
  for (int steps = 0; steps < 64 && !in.Done(); ++steps) {
    uint8_t op = in.Byte();
    Slot& slot = slots[in.Byte() % kSlots];
    switch (op % 10) {
      case 0: {
        RECT r{in.Coord(), in.Coord(), in.Coord(), in.Coord()};
        RegionPixelModel m;
        m.AddRect(r.left, r.top, r.right, r.bottom);
        if (op & 0x80) {
          CHECK(SetRectRgn(slot.handle, r.left, r.top, r.right, r.bottom));
          slot.model = m;
          Verify(slot);
        } else {
          Replace(slot, CreateRectRgn(r.left, r.top, r.right, r.bottom), m);
        }
        break;
      }
      case 1: Combine(in, slots); break;
      case 2: Offset(in, slot); break;
      case 3: FromRectList(in, slot); break;
      case 4: RoundTrip(slot); break;
      case 5: HitTests(in, slot); break;
      case 6: Shape(in, slot); break;
      case 7: Hostile(in); break;
      case 8:
        CHECK(EqualRgn(slot.handle, slots[op % kSlots].handle) ==
              (slot.model == slots[op % kSlots].model ? TRUE : FALSE));
        break;
      case 9: Extreme(in); break;
    }
  }
  for (Slot& s : slots) CHECK(DeleteObject(s.handle));
  CHECK(talix::host::LiveHandles(talix::HandleKind::GdiObject) == liveBefore);
  return 0;
}
