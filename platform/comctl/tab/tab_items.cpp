// The tabs themselves: insertion, removal, reading and changing their fields, the
// application's extra bytes and the per-tab states.
#include "platform/comctl/tab/tab_control.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace talix::comctl::tab {
namespace {

// The application's bytes of a record start where TCITEMW keeps lParam.
constexpr size_t kDataOffset = offsetof(TCITEMW, lParam);

bool IsCallbackText(LPCWSTR text) {
  return text == reinterpret_cast<LPCWSTR>(static_cast<intptr_t>(-1));
}

// Applies the fields of `in` that its mask names to `item`.
void ApplyFields(const TCITEMW& in, size_t extraBytes, TabItem* item) {
  if (in.mask & TCIF_TEXT)
    item->text = in.pszText && !IsCallbackText(in.pszText) ? std::u16string(in.pszText) : u"";
  if (in.mask & TCIF_IMAGE) item->image = in.iImage;
  if (in.mask & TCIF_RTLREADING) item->rtlReading = true;
  if (in.mask & TCIF_PARAM) {
    item->data.assign(extraBytes, 0);
    std::memcpy(item->data.data(), reinterpret_cast<const uint8_t*>(&in) + kDataOffset,
                extraBytes);
  }
  if (in.mask & TCIF_STATE)
    item->state = (item->state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

// Moves an index kept by the control after tab `removed` went away.
int AfterRemoval(int kept, int removed) {
  if (kept == removed) return -1;
  return kept > removed ? kept - 1 : kept;
}

}  // namespace

TabControl* TabControl::FromWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  return reinterpret_cast<TabControl*>(GetWindowLongPtrW(hwnd, kTabStateOffset));
}

int TabControl::Insert(int index, const TCITEMW* in) {
  if (!in || index < 0) return -1;
  index = std::min(index, Count());
  TabItem item;
  item.data.assign(extraBytes_, 0);
  ApplyFields(*in, extraBytes_, &item);
  items_.insert(items_.begin() + index, std::move(item));
  if (Count() == 1) {
    selected = focused = 0;  // the first tab of an empty control becomes the selection
  } else {
    if (selected >= index) ++selected;
    if (focused >= index) ++focused;
  }
  Changed();
  return index;
}

bool TabControl::Delete(int index) {
  if (!Valid(index)) return false;
  items_.erase(items_.begin() + index);
  selected = AfterRemoval(selected, index);
  focused = AfterRemoval(focused, index);
  if (firstVisible_ >= Count()) firstVisible_ = 0;
  Changed();
  return true;
}

void TabControl::DeleteAll() {
  items_.clear();
  selected = focused = -1;
  firstVisible_ = 0;
  Changed();
}

bool TabControl::GetItem(int index, TCITEMW* out) const {
  if (!out || !Valid(index)) return false;
  const TabItem& item = Item(index);
  if ((out->mask & TCIF_TEXT) && out->pszText && out->cchTextMax > 0) {
    size_t n = std::min(item.text.size(), size_t(out->cchTextMax - 1));
    std::memcpy(out->pszText, item.text.data(), n * sizeof(WCHAR));
    out->pszText[n] = 0;
  }
  if (out->mask & TCIF_IMAGE) out->iImage = item.image;
  if (out->mask & TCIF_PARAM)
    std::memcpy(reinterpret_cast<uint8_t*>(out) + kDataOffset, item.data.data(), extraBytes_);
  if (out->mask & TCIF_STATE) out->dwState = item.state & out->dwStateMask;
  return true;
}

bool TabControl::SetItem(int index, const TCITEMW* in) {
  if (!in || !Valid(index)) return false;
  ApplyFields(*in, extraBytes_, &items_[size_t(index)]);
  Changed();
  return true;
}

// Only an empty control changes the size of its tabs' data (the records already made
// would not fit).
bool TabControl::SetItemExtra(WPARAM bytes) {
  if (Count() > 0 || bytes > 4096) return false;
  extraBytes_ = size_t(bytes);
  return true;
}

LPARAM TabControl::ItemData(int index) const {
  const TabItem& item = Item(index);
  if (extraBytes_ > sizeof(LPARAM)) return reinterpret_cast<LPARAM>(item.data.data());
  LPARAM value = 0;
  std::memcpy(&value, item.data.data(), extraBytes_);
  return value;
}

bool TabControl::Highlight(int index, bool on) {
  if (!Valid(index)) return false;
  DWORD& state = items_[size_t(index)].state;
  state = on ? state | TCIS_HIGHLIGHTED : state & ~DWORD(TCIS_HIGHLIGHTED);
  InvalidateRect(hwnd_, nullptr, TRUE);
  return true;
}

void TabControl::DeselectAll(bool keepFocused) {
  for (int i = 0; i < Count(); ++i)
    if (!(keepFocused && i == focused)) items_[size_t(i)].state &= ~DWORD(TCIS_BUTTONPRESSED);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TabControl::RemoveImage(int image) {
  if (images) ImageList_Remove(images, image);
  for (TabItem& item : items_) {
    if (item.image == image) item.image = -1;
    else if (item.image > image) --item.image;
  }
  Changed();
}

}  // namespace talix::comctl::tab
