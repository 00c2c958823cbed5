// CreateIconFromResourceEx and LookupIconIdFromDirectoryEx: icons and cursors from the
// bytes of RT_ICON / RT_CURSOR and RT_GROUP_ICON / RT_GROUP_CURSOR resources.
#include "platform/gdi/image_load/icon_dir.h"
#include "platform/gdi/image_load/icon_image.h"

#include <win/errors.h>

using namespace talix;
using namespace talix::gdi;

namespace talix::gdi {

// The depth LookupIconIdFromDirectoryEx matches against: the display's, or 1 for
// LR_MONOCHROME.
int DisplayDepthFor(UINT flags) { return (flags & LR_MONOCHROME) ? 1 : 32; }

std::shared_ptr<IconObject> IconFromResourceBytes(const uint8_t* bits, size_t size, bool icon,
                                                  int cx, int cy, UINT flags) {
  POINT hotspot{0, 0};
  if (!icon) {  // a cursor image starts with its hot spot
    if (!bits || size < 4) return nullptr;
    hotspot = {ReadU16(bits), ReadU16(bits + 2)};
    bits += 4;
    size -= 4;
  }
  auto image = DecodeIconImage(bits, size);
  if (!image) return nullptr;
  image->isIcon = icon;
  image->hotspot = icon ? POINT{image->width / 2, image->height / 2} : hotspot;
  int w = 0, h = 0;
  RequestedIconSize(icon, cx, cy, flags, &w, &h);
  return ScaleIcon(*image, w ? w : image->width, h ? h : image->height);
}

}  // namespace talix::gdi

HICON CreateIconFromResourceEx(PBYTE presbits, DWORD dwResSize, BOOL fIcon, DWORD dwVer,
                               int cxDesired, int cyDesired, UINT Flags) {
  if (!presbits || dwVer < 0x00020000 || dwVer > 0x00030000 || cxDesired < 0 || cyDesired < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto icon = IconFromResourceBytes(presbits, dwResSize, fIcon != FALSE, cxDesired, cyDesired,
                                    Flags);
  if (!icon) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return AddIcon(std::move(icon));
}

HICON CreateIconFromResource(PBYTE presbits, DWORD dwResSize, BOOL fIcon, DWORD dwVer) {
  return CreateIconFromResourceEx(presbits, dwResSize, fIcon, dwVer, 0, 0, LR_DEFAULTSIZE);
}

// The directory carries no size of its own: it is trusted as far as its entry count says,
// as the documented interface requires.
int LookupIconIdFromDirectoryEx(PBYTE presbits, BOOL fIcon, int cxDesired, int cyDesired,
                                UINT Flags) {
  if (!presbits) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t size = 6 + 14 * size_t(ReadU16(presbits + 4));
  std::vector<IconDirEntry> entries;
  if (!ParseGroupDirectory(presbits, size, fIcon != FALSE, &entries)) {
    SetLastError(ERROR_INVALID_DATA);
    return 0;
  }
  int cx = 0, cy = 0;
  RequestedIconSize(fIcon != FALSE, cxDesired, cyDesired, LR_DEFAULTSIZE, &cx, &cy);
  int best = BestIconEntry(entries, cx, cy, DisplayDepthFor(Flags));
  return best < 0 ? 0 : int(entries[best].idOrOffset);
}

int LookupIconIdFromDirectory(PBYTE presbits, BOOL fIcon) {
  return LookupIconIdFromDirectoryEx(presbits, fIcon, 0, 0, LR_DEFAULTCOLOR);
}
