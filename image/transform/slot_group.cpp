// GDI copies shared by the transforms.
#include "image/transform/slot_group.h"

#include "draw/gdi_scope.h"

using talix::draw::ScreenDc;
using talix::draw::SelectedDc;

namespace talix::image {

HBITMAP CompatibleBitmapLike(HBITMAP reference, int width, int height) {
  ScreenDc screen;
  if (!reference) return CreateCompatibleBitmap(screen.get(), width, height);
  SelectedDc holder(screen.get(), reference);
  if (!holder.ok()) return nullptr;
  return CreateCompatibleBitmap(holder.get(), width, height);
}

bool CopyBetweenBitmaps(HBITMAP target, int x, int y, int width, int height, HBITMAP source,
                        int sx, int sy) {
  ScreenDc screen;
  SelectedDc to(screen.get(), target), from(screen.get(), source);
  return to.ok() && from.ok() &&
         BitBlt(to.get(), x, y, width, height, from.get(), sx, sy, SRCCOPY);
}

}  // namespace talix::image
