// Resource ids of the menu test resources, shared by menus.rc and the tests.
#pragma once

#define IDM_STANDARD 1
#define IDM_EXTENDED 2
#define IDM_DEPTH_LIMIT 3
#define IDM_TRUNCATED_POPUP 10
#define IDM_UNKNOWN_VERSION 11
#define IDM_UNTERMINATED_TEXT 12
#define IDM_TOO_DEEP 13
#define IDM_EXTENDED_TRUNCATED 14
#define IDM_OFFSET_PAST_END 15
#define IDM_EMPTY 16
#define IDA_MAIN 20
#define IDA_NO_END_FLAG 21

#define CMD_OPEN 100
#define CMD_EXIT 101
#define CMD_HELP 102
#define CMD_RECENT_ONE 110
#define CMD_VIEW 200
#define CMD_BIG 201
#define CMD_QUIT 202
#define CMD_NEW 300
#define CMD_NEW_SHIFTED 301
#define CMD_CHAR_A 302
#define CMD_ALT_F 303
#define CMD_F1 304

#define IDD_WITH_MENU 30
