// The tooltip's message handlers, by group. Each answers the messages of its group into
// `result` and returns true; false for messages of other groups.
#pragma once

#include "platform/comctl/tooltip/tooltip_state.h"

namespace talix::comctl::tooltip {

// TTM_ADDTOOLW, TTM_DELTOOLW and the other messages about tools and their text.
bool ToolMessage(TooltipState& s, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
// Delays, colours, margins, maximum width, title and font.
bool SettingMessage(TooltipState& s, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The shown tip takes its tool's current text and the size for it, where it is.
void RefreshShown(TooltipState& s);

}  // namespace talix::comctl::tooltip
