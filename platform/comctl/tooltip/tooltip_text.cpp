// Tool text at display time and the notifications to a tool's owner.
#include "platform/comctl/tooltip/tooltip_state.h"

#include <algorithm>
#include <iterator>

namespace talix::comctl::tooltip {
namespace {

std::u16string LoadResourceString(HINSTANCE instance, UINT id) {
  const WCHAR* text = nullptr;
  int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::u16string(text, size_t(length)) : std::u16string();
}

// The text an owner's TTN_GETDISPINFOW answer names: a string (perhaps in szText), or a
// string resource of hinst.
std::u16string TextOfAnswer(const NMTTDISPINFOW& info) {
  LPCWSTR text = info.lpszText;
  if (!text || text == LPSTR_TEXTCALLBACKW) return {};
  if (IS_INTRESOURCE(text))
    return info.hinst ? LoadResourceString(info.hinst, UINT(reinterpret_cast<ULONG_PTR>(text)))
                      : std::u16string();
  const WCHAR* bufferEnd = info.szText + std::size(info.szText);
  if (text >= info.szText && text < bufferEnd)  // never read past szText
    return std::u16string(text, std::find(text, bufferEnd, u'\0'));
  return std::u16string(text);
}

std::u16string AskOwner(TooltipState& s, const Tool& tool) {
  HWND self = s.self;
  ToolKey key = tool.key;
  NMTTDISPINFOW info{};
  info.lpszText = info.szText;
  info.uFlags = tool.flags;
  info.lParam = tool.lParam;
  NotifyOwner(s, tool, TTN_GETDISPINFOW, &info.hdr);
  // The owner may have destroyed the tooltip or changed its tools while answering.
  if (!IsWindow(self)) return {};
  std::u16string text = TextOfAnswer(info);
  Tool* again = s.tools.Find(key);
  if (again && (info.uFlags & TTF_DI_SETITEM)) {
    again->kind = TextKind::String;
    again->text = text;
  }
  return text;
}

}  // namespace

LRESULT NotifyOwner(TooltipState& s, const Tool& tool, UINT code, NMHDR* header) {
  if (!IsWindow(tool.key.hwnd)) return 0;
  header->hwndFrom = s.self;
  header->idFrom = tool.key.id;
  header->code = code;
  return SendMessageW(tool.key.hwnd, WM_NOTIFY, WPARAM(tool.key.id),
                      reinterpret_cast<LPARAM>(header));
}

std::u16string ResolveText(TooltipState& s, const ToolKey& key) {
  const Tool* tool = s.tools.Find(key);
  if (!tool) return {};
  switch (tool->kind) {
    case TextKind::String: return tool->text;
    case TextKind::Resource: return LoadResourceString(tool->hinst, tool->resourceId);
    case TextKind::Callback: return AskOwner(s, *tool);
  }
  return {};
}

}  // namespace talix::comctl::tooltip
