#include "platform/gdi/icon/standard_art.h"

#include "platform/gdi/icon/shape.h"

#include <cmath>

namespace talix::gdi {

namespace {

struct Layer {
  Shape shape;
  uint32_t argb;  // 0 erases (cursors only)
};

constexpr uint32_t kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kRed = 0xFFD83030,
                   kBlue = 0xFF2F6FD0, kYellow = 0xFFF5C518, kGrey = 0xFF505050,
                   kGreen = 0xFF2FA050, kTitle = 0xFF3A7BD5;

std::vector<Layer> IconLayers(int id) {
  const Pt c{0.5f, 0.5f};
  switch (id) {
    case 32512:  // application: a window with a title bar
      return {{Shape::Polygon({{.08f, .14f}, {.92f, .14f}, {.92f, .86f}, {.08f, .86f}}), kGrey},
              {Shape::Polygon({{.13f, .32f}, {.87f, .32f}, {.87f, .81f}, {.13f, .81f}}), kWhite},
              {Shape::Polygon({{.13f, .19f}, {.87f, .19f}, {.87f, .3f}, {.13f, .3f}}), kTitle}};
    case 32513:  // hand / error: a red disc with a white X
      return {{Shape::Disc(c, .46f), kRed},
              {Shape::Line({.33f, .33f}, {.67f, .67f}, .07f), kWhite},
              {Shape::Line({.67f, .33f}, {.33f, .67f}, .07f), kWhite}};
    case 32514:  // question: a blue disc with a white question mark
      return {{Shape::Disc(c, .46f), kBlue},
              {Shape::Line({.37f, .35f}, {.44f, .25f}, .06f), kWhite},
              {Shape::Line({.44f, .25f}, {.57f, .25f}, .06f), kWhite},
              {Shape::Line({.57f, .25f}, {.63f, .35f}, .06f), kWhite},
              {Shape::Line({.63f, .35f}, {.5f, .49f}, .06f), kWhite},
              {Shape::Line({.5f, .49f}, {.5f, .59f}, .06f), kWhite},
              {Shape::Dot({.5f, .74f}, .07f), kWhite}};
    case 32515:  // exclamation / warning: a yellow triangle with a black "!"
      return {{Shape::Polygon({{.5f, .04f}, {.98f, .93f}, {.02f, .93f}}), kGrey},
              {Shape::Polygon({{.5f, .1f}, {.92f, .89f}, {.08f, .89f}}), kYellow},
              {Shape::Line({.5f, .36f}, {.5f, .62f}, .06f), kBlack},
              {Shape::Dot({.5f, .76f}, .065f), kBlack}};
    case 32516:  // asterisk / information: a blue disc with a white "i"
      return {{Shape::Disc(c, .46f), kBlue},
              {Shape::Dot({.5f, .27f}, .07f), kWhite},
              {Shape::Line({.5f, .43f}, {.5f, .74f}, .065f), kWhite}};
    case 32517:  // system logo: a green diamond with a white centre
      return {{Shape::Polygon({{.5f, .03f}, {.97f, .5f}, {.5f, .97f}, {.03f, .5f}}), kGreen},
              {Shape::Disc(c, .16f), kWhite}};
    case 32518:  // shield: a blue shield with a white bar
      return {{Shape::Polygon({{.5f, .04f}, {.9f, .17f}, {.86f, .6f}, {.5f, .96f}, {.14f, .6f},
                               {.1f, .17f}}),
               kBlue},
              {Shape::Line({.5f, .2f}, {.5f, .78f}, .07f), kWhite}};
    default:
      return {};
  }
}

// Source-over of a straight-alpha colour with coverage onto a premultiplied pixel.
void Over(float* px, uint32_t argb, float coverage) {
  float a = float(argb >> 24) / 255.f * coverage;
  for (int i = 0; i < 3; ++i) {
    float c = float((argb >> (16 - 8 * i)) & 0xFF) / 255.f;
    px[i] = c * a + px[i] * (1 - a);
  }
  px[3] = a + px[3] * (1 - a);
}

}  // namespace

std::shared_ptr<IconObject> DrawStandardIcon(int id, int size) {
  std::vector<Layer> layers = IconLayers(id);
  auto icon = std::make_shared<IconObject>();
  if (layers.empty() || !icon->Resize(size, size)) return nullptr;
  constexpr int kSub = 4;  // 4x4 samples a pixel
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float px[4] = {0, 0, 0, 0};
      for (const Layer& layer : layers) {
        int hits = 0;
        for (int sy = 0; sy < kSub; ++sy)
          for (int sx = 0; sx < kSub; ++sx)
            hits += layer.shape.Contains({(x + (sx + .5f) / kSub) / size,
                                          (y + (sy + .5f) / kSub) / size});
        if (hits) Over(px, layer.argb, float(hits) / (kSub * kSub));
      }
      uint32_t a = uint32_t(std::lround(px[3] * 255));
      uint32_t out = a << 24;
      for (int i = 0; i < 3 && a; ++i)  // back to straight alpha
        out |= uint32_t(std::lround(std::fmin(px[i] / px[3], 1.f) * 255)) << (16 - 8 * i);
      icon->color[size_t(y) * size + x] = out;
      icon->mask[size_t(y) * size + x] = a == 0;
    }
  icon->hasAlpha = true;
  icon->hotspot = {size / 2, size / 2};
  return icon;
}

namespace {

struct CursorArt {
  POINT hotspot;
  std::vector<Layer> layers;  // pixel units of a 32x32 picture
};

std::vector<Layer> Arrow() {
  return {{Shape::Polygon({{1, 1}, {1, 23}, {6, 18}, {10, 27}, {13, 26}, {9, 17}, {16, 17}}),
           kWhite}};
}

std::vector<Layer> DoubleArrow(Pt a, Pt b) {
  float dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
  float ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
  auto head = [&](Pt tip, float dir) {
    Pt base{tip.x + dir * 7 * ux, tip.y + dir * 7 * uy};
    return Shape::Polygon({tip, {base.x + 5 * nx, base.y + 5 * ny}, {base.x - 5 * nx, base.y - 5 * ny}});
  };
  return {{Shape::Line(a, b, 1.5f), kWhite}, {head(a, 1), kWhite}, {head(b, -1), kWhite}};
}

std::vector<Layer> Join(std::vector<Layer> a, const std::vector<Layer>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<Layer> Hourglass(float x, float y, float s) {
  auto p = [&](float px, float py) { return Pt{x + px * s, y + py * s}; };
  return {{Shape::Polygon({p(0, 0), p(16, 0), p(16, 3), p(9, 13), p(16, 23), p(16, 26), p(0, 26),
                           p(0, 23), p(7, 13), p(0, 3)}),
           kWhite}};
}

bool CursorFor(int id, CursorArt* art) {
  switch (id) {
    case 32512: *art = {{1, 1}, Arrow()}; return true;
    case 32513:
      *art = {{16, 16}, {{Shape::Line({16, 5}, {16, 27}, 1), kWhite},
                         {Shape::Line({12, 4}, {20, 4}, 1), kWhite},
                         {Shape::Line({12, 28}, {20, 28}, 1), kWhite}}};
      return true;
    case 32514: *art = {{16, 16}, Hourglass(8, 3, 1)}; return true;
    case 32515:
      *art = {{16, 16}, {{Shape::Line({16, 4}, {16, 28}, 1), kWhite},
                         {Shape::Line({4, 16}, {28, 16}, 1), kWhite}}};
      return true;
    case 32516:
      *art = {{16, 2}, {{Shape::Polygon({{16, 2}, {25, 12}, {19, 12}, {19, 29}, {13, 29}, {13, 12},
                                         {7, 12}}),
                         kWhite}}};
      return true;
    case 32640:
    case 32646:
      *art = {{16, 16}, Join(DoubleArrow({3, 16}, {29, 16}), DoubleArrow({16, 3}, {16, 29}))};
      return true;
    case 32642: *art = {{16, 16}, DoubleArrow({5, 5}, {27, 27})}; return true;
    case 32643: *art = {{16, 16}, DoubleArrow({27, 5}, {5, 27})}; return true;
    case 32644: *art = {{16, 16}, DoubleArrow({3, 16}, {29, 16})}; return true;
    case 32645: *art = {{16, 16}, DoubleArrow({16, 3}, {16, 29})}; return true;
    case 32648:
      *art = {{16, 16}, {{Shape::Disc({16, 16}, 12), kWhite},
                         {Shape::Disc({16, 16}, 8), 0},
                         {Shape::Line({9, 9}, {23, 23}, 2), kWhite}}};
      return true;
    case 32649:
      *art = {{12, 1}, {{Shape::Line({12, 3}, {12, 16}, 2.5f), kWhite},
                        {Shape::Polygon({{9, 14}, {25, 14}, {25, 25}, {21, 30}, {13, 30}, {7, 22}}),
                         kWhite}}};
      return true;
    case 32650: *art = {{1, 1}, Join(Arrow(), Hourglass(18, 16, .55f))}; return true;
    case 32651:
      *art = {{1, 1}, Join(Arrow(), {{Shape::Line({20, 8}, {23, 5}, 1.2f), kWhite},
                                     {Shape::Line({23, 5}, {27, 7}, 1.2f), kWhite},
                                     {Shape::Line({27, 7}, {24, 12}, 1.2f), kWhite},
                                     {Shape::Line({24, 12}, {24, 15}, 1.2f), kWhite},
                                     {Shape::Dot({24, 19}, 1.3f), kWhite}})};
      return true;
    default: return false;
  }
}

}  // namespace

std::shared_ptr<IconObject> DrawStandardCursor(int id) {
  constexpr int kSize = 32;
  CursorArt art;
  auto cursor = std::make_shared<IconObject>();
  if (!CursorFor(id, &art) || !cursor->Resize(kSize, kSize)) return nullptr;
  std::vector<uint8_t> inside(kSize * kSize, 0);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      for (const Layer& layer : art.layers)
        if (layer.shape.Contains({x + .5f, y + .5f})) inside[y * kSize + x] = layer.argb != 0;
  auto in = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < kSize && y < kSize && inside[y * kSize + x];
  };
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      bool outline = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) outline |= in(x + dx, y + dy);
      size_t i = size_t(y) * kSize + x;
      cursor->color[i] = in(x, y) ? 0xFFFFFF : 0;  // white inside, black outline
      cursor->mask[i] = !outline;
    }
  cursor->isIcon = false;
  cursor->hasColorBitmap = false;
  cursor->hotspot = art.hotspot;
  return cursor;
}

}  // namespace talix::gdi
