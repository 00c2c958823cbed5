// The state of one tooltip window and the operations the message handlers share.
#pragma once

#include "platform/comctl/tooltip/tool_list.h"

#include <optional>
#include <string>

namespace talix::comctl::tooltip {

enum TimerId : UINT_PTR { kInitialTimer = 1, kAutopopTimer, kLeaveCheckTimer };

struct TooltipState {
  explicit TooltipState(HWND window) : self(window) {}
  HWND self;
  ToolList tools;

  bool active = true;
  std::optional<ToolKey> current;  // the tool the pointer is on (or tracked, or shown)
  bool shown = false;
  bool tracking = false;     // the current tool is shown by TTM_TRACKACTIVATE
  bool suppressed = false;   // clicked or popped: no tip until the pointer leaves the tool
  POINT lastPoint{};         // screen position of the last relayed mouse message
  POINT trackPoint{};        // TTM_TRACKPOSITION
  std::u16string shownText;  // the text of the tip on screen, as drawn

  int delays[4] = {-1, -1, -1, -1};  // by TTDT_*; -1 follows the double-click time
  COLORREF background = 0;
  COLORREF textColour = 0;
  RECT margin{};
  int maxWidth = -1;
  std::u16string title;
  UINT titleIcon = TTI_NONE;
  HFONT font = nullptr;      // WM_SETFONT's font; null: ownFont
  HFONT ownFont = nullptr;   // the status font, made at creation

  HFONT Font() const { return font ? font : ownFont; }
  LONG Style() const { return GetWindowLongW(self, GWL_STYLE); }
  UINT Delay(UINT which) const;
  Tool* CurrentTool() { return current ? tools.Find(*current) : nullptr; }
};

TooltipState* StateOf(HWND hwnd);

// Showing and hiding (tooltip_show.cpp).
void Relay(TooltipState& s, const MSG& msg);
void OnTimer(TooltipState& s, UINT_PTR id);
void ShowCurrent(TooltipState& s);
// Pop and LeaveTool send TTN_POP, whose handler may destroy the tooltip: they return
// false when it is gone, and then `s` must not be used again.
[[nodiscard]] bool Pop(TooltipState& s);
// The pointer left the current tool (or it went away): hide, stop waiting, forget it.
[[nodiscard]] bool LeaveTool(TooltipState& s);
void Popup(TooltipState& s);
void TrackActivate(TooltipState& s, bool on, const TTTOOLINFOW* info);
void TrackPosition(TooltipState& s, LPARAM lParam);
// The text of a tool, asking the owner for callback text.
std::u16string ResolveText(TooltipState& s, const ToolKey& key);
// Sends WM_NOTIFY with `header` (hwndFrom, idFrom, code filled in) to the tool's hwnd.
LRESULT NotifyOwner(TooltipState& s, const Tool& tool, UINT code, NMHDR* header);

// Where the top-left corner of a tip of `size` for `tool` goes (tooltip_place.cpp).
POINT TipPlacement(const TooltipState& s, const Tool& tool, SIZE size);

// Sizes and painting (tooltip_paint.cpp).
// The text as drawn: without TTS_NOPREFIX, single ampersands are removed ("&&" gives
// "&") and the text ends at the first tab.
std::u16string DisplayText(const std::u16string& text, LONG style);
UINT DrawFlags(const TooltipState& s, UINT toolFlags);
// The window size that shows `text` of a tool with `toolFlags`.
SIZE BubbleSize(TooltipState& s, const std::u16string& text, UINT toolFlags);
// Converts between the text rectangle and the window rectangle (TTM_ADJUSTRECT).
void AdjustRect(const TooltipState& s, bool larger, RECT* rect);
void Paint(TooltipState& s, HDC hdc);
void EraseBackground(const TooltipState& s, HDC hdc);

}  // namespace talix::comctl::tooltip
