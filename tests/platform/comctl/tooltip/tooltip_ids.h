// Resource ids of the tooltip tests.
#pragma once

#define IDS_TOOL_TEXT 101
