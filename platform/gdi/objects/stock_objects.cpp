#include "platform/gdi/objects/stock_objects.h"

#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/objects/brush_object.h"
#include "platform/gdi/objects/pen_object.h"

#include <win/base.h>
#include <win/sysmetrics.h>

#include <array>
#include <atomic>
#include <mutex>

namespace talix::gdi {

__attribute__((weak)) HGDIOBJ CreateStockFont(int) { return nullptr; }

namespace {

constexpr int kStockCount = DC_PEN + 1;

HGDIOBJ AddStock(std::shared_ptr<GdiObject> object) {
  object->MarkStock();
  return AddGdiObject(std::move(object));
}

HGDIOBJ StockBrush(COLORREF color) {
  return AddStock(std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, color, 0}));
}

HGDIOBJ StockPen(UINT style, COLORREF color) {
  return AddStock(std::make_shared<PenObject>(LOGPEN{style, POINT{1, 0}, color}));
}

bool IsFontIndex(int i) { return i >= OEM_FIXED_FONT && i <= DEFAULT_GUI_FONT && i != DEFAULT_PALETTE; }

// Brushes, pens and the default bitmap, made together on first use. Fonts come later
// from the font engine (see FontSlot).
struct StockTable {
  std::array<HGDIOBJ, kStockCount> objects{};
  HBITMAP defaultBitmap = nullptr;

  StockTable() {
    objects[WHITE_BRUSH] = StockBrush(RGB(255, 255, 255));
    objects[LTGRAY_BRUSH] = StockBrush(RGB(192, 192, 192));
    objects[GRAY_BRUSH] = StockBrush(RGB(128, 128, 128));
    objects[DKGRAY_BRUSH] = StockBrush(RGB(64, 64, 64));
    objects[BLACK_BRUSH] = StockBrush(RGB(0, 0, 0));
    objects[NULL_BRUSH] = AddStock(std::make_shared<BrushObject>(LOGBRUSH{BS_NULL, 0, 0}));
    objects[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
    objects[BLACK_PEN] = StockPen(PS_SOLID, RGB(0, 0, 0));
    objects[NULL_PEN] = StockPen(PS_NULL, 0);
    auto dcBrush = std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, RGB(255, 255, 255), 0});
    dcBrush->MarkDcBrush();
    objects[DC_BRUSH] = AddStock(dcBrush);
    auto dcPen = std::make_shared<PenObject>(LOGPEN{PS_SOLID, POINT{1, 0}, 0});
    dcPen->MarkDcPen();
    objects[DC_PEN] = AddStock(dcPen);
    PixelFormat mono;
    mono.bpp = 1;
    mono.palette = DefaultPalette(1);
    defaultBitmap = static_cast<HBITMAP>(AddStock(BitmapObject::Create(1, 1, mono, false, true)));
  }
};

StockTable& Stock() {
  static StockTable table;
  return table;
}

HGDIOBJ FontSlot(int index) {
  static std::array<std::atomic<HGDIOBJ>, kStockCount> fonts{};
  static std::mutex mutex;
  HGDIOBJ font = fonts[index].load();
  if (font) return font;
  std::lock_guard<std::mutex> lock(mutex);
  font = fonts[index].load();
  if (!font) {
    font = CreateStockFont(index);
    if (GdiObject* object = GdiObjects().Peek(reinterpret_cast<uintptr_t>(font))) object->MarkStock();
    fonts[index].store(font);
  }
  return font;
}

// GetSysColorBrush keeps one brush per system colour index.
constexpr int kSysColorCount = COLOR_MENUBAR + 1;

}  // namespace

HBITMAP DefaultBitmap() { return Stock().defaultBitmap; }

}  // namespace talix::gdi

HGDIOBJ GetStockObject(int i) {
  using namespace talix::gdi;
  if (i < 0 || i >= kStockCount) return nullptr;
  if (IsFontIndex(i)) return FontSlot(i);
  return Stock().objects[size_t(i)];
}

HBRUSH GetSysColorBrush(int nIndex) {
  using namespace talix::gdi;
  if (nIndex < 0 || nIndex >= kSysColorCount) return nullptr;
  static std::array<std::atomic<HBRUSH>, kSysColorCount> brushes{};
  static std::mutex mutex;
  HBRUSH brush = brushes[size_t(nIndex)].load();
  if (brush) return brush;
  std::lock_guard<std::mutex> lock(mutex);
  brush = brushes[size_t(nIndex)].load();
  if (!brush) {
    brush = static_cast<HBRUSH>(
        AddStock(std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, GetSysColor(nIndex), 0})));
    brushes[size_t(nIndex)].store(brush);
  }
  return brush;
}
