// Tools of a tooltip and their TOOLINFOW records.
#include "platform/comctl/tooltip/tool_list.h"

#include <win/wstr.h>

#include <algorithm>
#include <cstring>

namespace talix::comctl::tooltip {
namespace {

// The caller buffer that TTM_GETTOOLINFOW and TTM_ENUMTOOLSW fill has no stated size;
// records of this kind carry 80 characters.
constexpr size_t kInfoTextChars = 80;

bool Inside(const RECT& r, POINT pt) {
  return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

}  // namespace

HWND Tool::Window() const {
  return (flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(key.id) : key.hwnd;
}

bool Tool::Contains(HWND window, POINT pt) const {
  if (flags & TTF_IDISHWND) return window == Window();
  return window == key.hwnd && Inside(rect, pt);
}

void Tool::SetText(LPCWSTR value, HINSTANCE instance) {
  hinst = instance;
  text.clear();
  resourceId = 0;
  if (value == LPSTR_TEXTCALLBACKW) {
    kind = TextKind::Callback;
  } else if (value && IS_INTRESOURCE(value)) {
    kind = TextKind::Resource;
    resourceId = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(value));
  } else {
    kind = TextKind::String;
    if (value) text = value;
  }
}

UINT ToolInfoSize(const TTTOOLINFOW* info) {
  if (!info || info->cbSize < TTTOOLINFOW_V1_SIZE) return 0;
  if (info->cbSize >= TTTOOLINFOW_V3_SIZE) return TTTOOLINFOW_V3_SIZE;
  if (info->cbSize >= TTTOOLINFOW_V2_SIZE) return TTTOOLINFOW_V2_SIZE;
  return TTTOOLINFOW_V1_SIZE;
}

Tool ToolFromInfo(const TTTOOLINFOW& info, UINT size) {
  Tool tool;
  tool.flags = info.uFlags;
  tool.key = ToolKey{info.hwnd, info.uId};
  tool.rect = info.rect;
  tool.SetText(info.lpszText, info.hinst);
  if (size >= TTTOOLINFOW_V2_SIZE) tool.lParam = info.lParam;
  return tool;
}

void ToolToInfo(const Tool& tool, TTTOOLINFOW* info, UINT size) {
  info->uFlags = tool.flags;
  info->hwnd = tool.key.hwnd;
  info->uId = tool.key.id;
  info->rect = tool.rect;
  info->hinst = tool.hinst;
  if (size >= TTTOOLINFOW_V2_SIZE) info->lParam = tool.lParam;
  if (tool.kind == TextKind::Callback) {
    info->lpszText = LPSTR_TEXTCALLBACKW;
  } else if (tool.kind == TextKind::Resource) {
    info->lpszText = MAKEINTRESOURCEW(tool.resourceId);
  } else if (info->lpszText && !IS_INTRESOURCE(info->lpszText) &&
             info->lpszText != LPSTR_TEXTCALLBACKW) {
    size_t count = std::min(tool.text.size(), kInfoTextChars - 1);
    std::memcpy(info->lpszText, tool.text.data(), count * sizeof(WCHAR));
    info->lpszText[count] = 0;
  }
}

Tool* ToolList::Find(const ToolKey& key) {
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.key == key; });
  return it == tools_.end() ? nullptr : &*it;
}

const Tool* ToolList::At(size_t index) const {
  return index < tools_.size() ? &tools_[index] : nullptr;
}

bool ToolList::Remove(const ToolKey& key) {
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.key == key; });
  if (it == tools_.end()) return false;
  tools_.erase(it);
  return true;
}

std::optional<ToolKey> ToolList::HitTest(HWND window, POINT pt) const {
  for (const Tool& tool : tools_)
    if (tool.Contains(window, pt)) return tool.key;
  return std::nullopt;
}

bool ToolList::SubclassesWindow(HWND window) const {
  return std::any_of(tools_.begin(), tools_.end(), [&](const Tool& t) {
    return (t.flags & TTF_SUBCLASS) && t.Window() == window;
  });
}

}  // namespace talix::comctl::tooltip
