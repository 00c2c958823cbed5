// The tool messages: adding, removing, reading and changing tools, and their text.
#include "platform/comctl/tooltip/tool_subclass.h"
#include "platform/comctl/tooltip/tooltip_messages.h"

#include <algorithm>
#include <cstring>

namespace talix::comctl::tooltip {
namespace {

const TTTOOLINFOW* Info(LPARAM lParam) { return reinterpret_cast<const TTTOOLINFOW*>(lParam); }

Tool* FindTool(TooltipState& s, LPARAM lParam) {
  const TTTOOLINFOW* info = Info(lParam);
  return ToolInfoSize(info) ? s.tools.Find(ToolKey{info->hwnd, info->uId}) : nullptr;
}

// Stops watching `window` once no tool of this tooltip needs its mouse input.
void ReleaseWindow(TooltipState& s, HWND window, bool wasSubclassed) {
  if (wasSubclassed && !s.tools.SubclassesWindow(window)) UnwatchToolWindow(window, s.self);
}

// A tip on screen for `tool` takes its new text and size at once.
void RefreshIfShown(TooltipState& s, const ToolKey& key) {
  if (s.shown && s.current == key) RefreshShown(s);
}

LRESULT AddTool(TooltipState& s, LPARAM lParam) {
  const TTTOOLINFOW* info = Info(lParam);
  UINT size = ToolInfoSize(info);
  if (!size) return FALSE;
  Tool tool = ToolFromInfo(*info, size);
  if (tool.flags & TTF_SUBCLASS) WatchToolWindow(tool.Window(), s.self);
  s.tools.Add(std::move(tool));
  return TRUE;
}

LRESULT DeleteTool(TooltipState& s, LPARAM lParam) {
  Tool* tool = FindTool(s, lParam);
  if (!tool) return 0;
  ToolKey key = tool->key;
  if (s.current == key && !LeaveTool(s)) return 0;
  if (!(tool = s.tools.Find(key))) return 0;  // TTN_POP's handler may have removed it
  HWND window = tool->Window();
  bool subclassed = (tool->flags & TTF_SUBCLASS) != 0;
  s.tools.Remove(key);
  ReleaseWindow(s, window, subclassed);
  return 0;
}

LRESULT SetToolInfo(TooltipState& s, LPARAM lParam) {
  Tool* tool = FindTool(s, lParam);
  if (!tool) return 0;
  HWND oldWindow = tool->Window();
  bool wasSubclassed = (tool->flags & TTF_SUBCLASS) != 0;
  *tool = ToolFromInfo(*Info(lParam), ToolInfoSize(Info(lParam)));
  if (tool->flags & TTF_SUBCLASS) WatchToolWindow(tool->Window(), s.self);
  ReleaseWindow(s, oldWindow, wasSubclassed);
  RefreshIfShown(s, tool->key);
  return 0;
}

LRESULT UpdateTipText(TooltipState& s, LPARAM lParam) {
  Tool* tool = FindTool(s, lParam);
  if (!tool) return 0;
  tool->SetText(Info(lParam)->lpszText, Info(lParam)->hinst);
  RefreshIfShown(s, tool->key);
  return 0;
}

LRESULT CopyInfo(const Tool* tool, LPARAM lParam) {
  if (!tool) return FALSE;
  auto* info = reinterpret_cast<TTTOOLINFOW*>(lParam);
  ToolToInfo(*tool, info, ToolInfoSize(info));
  return TRUE;
}

// TTM_GETTEXTW: wParam is the buffer's size in characters (80 when 0, the size older
// callers' buffers have); the text is cut to fit and always terminated.
LRESULT GetText(TooltipState& s, WPARAM capacity, LPARAM lParam) {
  Tool* tool = FindTool(s, lParam);
  LPWSTR buffer = tool ? Info(lParam)->lpszText : nullptr;
  if (!buffer || IS_INTRESOURCE(buffer) || buffer == LPSTR_TEXTCALLBACKW) return 0;
  size_t room = capacity ? capacity : 80;
  ToolKey key = tool->key;
  std::u16string text = ResolveText(s, key);
  size_t count = std::min(text.size(), room - 1);
  std::memcpy(buffer, text.data(), count * sizeof(WCHAR));
  buffer[count] = 0;
  return 0;
}

LRESULT HitTest(TooltipState& s, LPARAM lParam) {
  auto* hit = reinterpret_cast<TTHITTESTINFOW*>(lParam);
  if (!hit) return FALSE;
  std::optional<ToolKey> key = s.tools.HitTest(hit->hwnd, hit->pt);
  if (!key) return FALSE;
  if (ToolInfoSize(&hit->ti)) ToolToInfo(*s.tools.Find(*key), &hit->ti, ToolInfoSize(&hit->ti));
  return TRUE;
}

LRESULT BubbleSizeOf(TooltipState& s, LPARAM lParam) {
  Tool* tool = FindTool(s, lParam);
  if (!tool) return 0;
  UINT flags = tool->flags;
  ToolKey key = tool->key;
  SIZE size = BubbleSize(s, DisplayText(ResolveText(s, key), s.Style()), flags);
  return MAKELONG(size.cx, size.cy);
}

}  // namespace

bool ToolMessage(TooltipState& s, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case TTM_ADDTOOLW: *result = AddTool(s, lParam); return true;
    case TTM_DELTOOLW: *result = DeleteTool(s, lParam); return true;
    case TTM_NEWTOOLRECTW:
      if (Tool* tool = FindTool(s, lParam)) tool->rect = Info(lParam)->rect;
      *result = 0;
      return true;
    case TTM_GETTOOLINFOW: *result = CopyInfo(FindTool(s, lParam), lParam); return true;
    case TTM_SETTOOLINFOW: *result = SetToolInfo(s, lParam); return true;
    case TTM_UPDATETIPTEXTW: *result = UpdateTipText(s, lParam); return true;
    case TTM_GETTEXTW: *result = GetText(s, wParam, lParam); return true;
    case TTM_GETTOOLCOUNT: *result = LRESULT(s.tools.Count()); return true;
    case TTM_ENUMTOOLSW:
      *result = ToolInfoSize(Info(lParam)) ? CopyInfo(s.tools.At(wParam), lParam) : FALSE;
      return true;
    case TTM_GETCURRENTTOOLW: {
      const Tool* tool = s.CurrentTool();
      *result = !lParam ? LRESULT(tool != nullptr)
                        : ToolInfoSize(Info(lParam)) ? CopyInfo(tool, lParam) : FALSE;
      return true;
    }
    case TTM_HITTESTW: *result = HitTest(s, lParam); return true;
    case TTM_GETBUBBLESIZE: *result = BubbleSizeOf(s, lParam); return true;
  }
  return false;
}

}  // namespace talix::comctl::tooltip
