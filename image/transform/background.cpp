// Backgrounds of a slot group: a plain colour of the image's size, or a part of what a
// window shows (its DC; GetDC(NULL) is the screen).
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"
#include "image/transform/slot_group.h"

using talix::draw::OwnedObject;
using talix::draw::ScreenDc;
using talix::draw::SelectedDc;
using talix::image::GroupSlot;

namespace {

// A window's DC for the length of a scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace

int CNBitmapUtil::CreateColorBackground(COLORREF color, int resized, int index) {
  const BitmapType imageSlot = GroupSlot(resized, BT_IMAGE);
  const BitmapType backSlot = GroupSlot(resized, BT_BACKGROUND);
  const CNBitmap* image = m_pBitmaps[imageSlot];
  if (!GetBitmapHandle(imageSlot, index) || !image || !image->m_pBitmapInfo)
    return Fail(QUO_ERR_NO_IMAGE, 0);
  int width = 0, height = 0;
  if (image->m_nImageSize <= 0 || !talix::image::HeaderSize(image->m_pBitmapInfo, &width, &height))
    return Fail(QUO_ERR_FAILED, 0);

  OwnedObject<HBITMAP> fill(talix::image::CompatibleBitmapLike(nullptr, width, height));
  OwnedObject<HBRUSH> brush(CreateSolidBrush(color));
  if (!fill.get() || !brush.get()) return Fail(QUO_ERR_GDI, 0);
  int filled = 0;
  {
    ScreenDc screen;
    SelectedDc dc(screen.get(), fill.get());
    if (!dc.ok()) return Fail(QUO_ERR_GDI, 0);
    const RECT all{0, 0, width, height};
    filled = FillRect(dc.get(), &all, brush.get());
  }
  DeleteBitmap(backSlot, index);
  if (!InstallFrame(backSlot, index, fill.release(), width, height)) return Fail(QUO_ERR_GDI, 0);
  return filled;
}

HBITMAP CNBitmapUtil::GetBackgroundStatic(HWND window, int x, int y, int width, int height,
                                          int resized, int index) {
  if (width <= 0) return Fail<HBITMAP>(QUO_ERR_PARAM4, nullptr);
  if (height <= 0) return Fail<HBITMAP>(QUO_ERR_PARAM5, nullptr);
  if (!RowSizeFor(width, height)) return Fail<HBITMAP>(QUO_ERR_PARAM4, nullptr);
  if (!IsFrameIndex(index)) return Fail<HBITMAP>(QUO_ERR_PARAM7, nullptr);
  WindowDc source(window);
  if (!source.get()) return Fail<HBITMAP>(QUO_ERR_PARAM1, nullptr);

  const BitmapType backSlot = GroupSlot(resized, BT_BACKGROUND);
  PrepareSlot(backSlot, width, height);
  HBITMAP frame = GetBitmapHandle(backSlot, index);
  if (!frame) {
    frame = talix::image::CompatibleBitmapLike(nullptr, width, height);
    if (!frame || !InstallFrame(backSlot, index, frame, width, height))
      return Fail<HBITMAP>(QUO_ERR_GDI, nullptr);
  }
  ScreenDc screen;
  SelectedDc target(screen.get(), frame);
  if (!target.ok() || !BitBlt(target.get(), 0, 0, width, height, source.get(), x, y, SRCCOPY))
    return Fail<HBITMAP>(QUO_ERR_GDI, nullptr);
  return frame;
}
