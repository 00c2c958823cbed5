// Resource ids of the default theme module (TALIX_Dark.skx) and of any theme that
// replaces it. Library code includes this header instead of writing the numbers.
//
// Kinds, by prefix:
//   IDB_   pictures: "PNG" resources with an alpha channel (the loader turns it into the
//          picture's mask) or plain BITMAP resources where the picture is opaque;
//   IDS_COLOR_  string resources holding a colour as "R,G,B" text;
//   IDF_   embedded TrueType fonts, resource type "TTF";
//   IDI_, IDR_  the window-class icon and the transfer animations.
// Sizes and states of every picture are listed in dark.theme.json beside this file.
#ifndef TALIX_THEME_IDS_H
#define TALIX_THEME_IDS_H

// Common (icon) buttons: one background per graphical state, in state order disabled,
// normal, hot, pushed, focused, focused+hot, focused+hot+pushed.
#define IDB_COMMON_BUTTON_SMALL_DISABLED          5030
#define IDB_COMMON_BUTTON_SMALL_NORMAL            5031
#define IDB_COMMON_BUTTON_SMALL_HOT               5032
#define IDB_COMMON_BUTTON_SMALL_PUSHED            5033
#define IDB_COMMON_BUTTON_SMALL_FOCUSED           5034
#define IDB_COMMON_BUTTON_SMALL_FOCUSED_HOT       5035
#define IDB_COMMON_BUTTON_SMALL_FOCUSED_PUSHED    5036
#define IDB_COMMON_BUTTON_MEDIUM_DISABLED         5037
#define IDB_COMMON_BUTTON_MEDIUM_NORMAL           5038
#define IDB_COMMON_BUTTON_MEDIUM_HOT              5039
#define IDB_COMMON_BUTTON_MEDIUM_PUSHED           5040
#define IDB_COMMON_BUTTON_MEDIUM_FOCUSED          5041
#define IDB_COMMON_BUTTON_MEDIUM_FOCUSED_HOT      5042
#define IDB_COMMON_BUTTON_MEDIUM_FOCUSED_PUSHED   5043
#define IDB_COMMON_BUTTON_LARGE_DISABLED          5044
#define IDB_COMMON_BUTTON_LARGE_NORMAL            5045
#define IDB_COMMON_BUTTON_LARGE_HOT               5046
#define IDB_COMMON_BUTTON_LARGE_PUSHED            5047
#define IDB_COMMON_BUTTON_LARGE_FOCUSED           5048
#define IDB_COMMON_BUTTON_LARGE_FOCUSED_HOT       5049
#define IDB_COMMON_BUTTON_LARGE_FOCUSED_PUSHED    5050

// Combo box field: left end, stretched middle, right end (drop-down button) per state.
#define IDB_COMBO_NORMAL_LEFT      5060
#define IDB_COMBO_NORMAL_MIDDLE    5061
#define IDB_COMBO_NORMAL_RIGHT     5062
#define IDB_COMBO_STATE3_LEFT      5063
#define IDB_COMBO_STATE3_MIDDLE    5064
#define IDB_COMBO_STATE3_RIGHT     5065
#define IDB_COMBO_HOT_LEFT         5066
#define IDB_COMBO_HOT_MIDDLE       5067
#define IDB_COMBO_HOT_RIGHT        5068
#define IDB_COMBO_PRESSED_LEFT     5069
#define IDB_COMBO_PRESSED_MIDDLE   5070
#define IDB_COMBO_PRESSED_RIGHT    5071

// Check box and radio button marks, by graphical state.
#define IDB_CHECK_UNCHECKED_DISABLED   5100
#define IDB_CHECK_UNCHECKED_NORMAL     5101
#define IDB_CHECK_UNCHECKED_HOT        5102
#define IDB_CHECK_CHECKED_DISABLED     5103
#define IDB_CHECK_CHECKED_NORMAL       5104
#define IDB_CHECK_CHECKED_HOT          5105
#define IDB_RADIO_UNCHECKED_DISABLED   5106
#define IDB_RADIO_UNCHECKED_NORMAL     5107
#define IDB_RADIO_UNCHECKED_HOT        5108
#define IDB_RADIO_CHECKED_DISABLED     5109
#define IDB_RADIO_CHECKED_NORMAL       5110
#define IDB_RADIO_CHECKED_HOT          5111

// Step bar pieces.
#define IDB_STEPBAR_FILL         5205
#define IDB_STEPBAR_LEFT         5206
#define IDB_STEPBAR_RIGHT        5207
#define IDB_STEPBAR_SEPARATOR    5208
#define IDB_STEPBAR_BACKGROUND   5209

// Caption buttons of the window background, per kind: normal, hot, pressed.
#define IDB_CAPTION_CLOSE_NORMAL          32502
#define IDB_CAPTION_CLOSE_HOT             32503
#define IDB_CAPTION_CLOSE_PRESSED         32504
#define IDB_CAPTION_MINIMIZE_NORMAL       32505
#define IDB_CAPTION_MINIMIZE_HOT          32506
#define IDB_CAPTION_MINIMIZE_PRESSED      32507
#define IDB_CAPTION_MAXIMIZE_HOT          32531
#define IDB_CAPTION_MAXIMIZE_NORMAL       32532
#define IDB_CAPTION_MAXIMIZE_PRESSED      32533
#define IDB_CAPTION_CLOSE_ONLY_NORMAL     32534
#define IDB_CAPTION_CLOSE_ONLY_HOT        32535
#define IDB_CAPTION_CLOSE_ONLY_PRESSED    32536
#define IDB_CAPTION_RESTORE_HOT           32537
#define IDB_CAPTION_RESTORE_NORMAL        32538
#define IDB_CAPTION_RESTORE_PRESSED       32539

// Caption application icons of the library's own windows.
#define IDB_RECIPIENT_CAPTION_ICON   30205
#define IDB_DEVICE_CAPTION_ICON      34021

// Recipient dialog: list images (index in the dialog's image list in the comment),
// column header pieces and button icons (icon, disabled icon).
#define IDB_CONTACT_FIELD_0       32410  // image 0
#define IDB_CONTACT_FIELD_1       32411  // image 1
#define IDB_CONTACT_FIELD_2       32412  // image 2
#define IDB_CONTACT_FIELD_3       32413  // image 3
#define IDB_CONTACT_FIELD_4       32414  // image 4
#define IDB_CONTACT_FIELD_5       32415  // image 5
#define IDB_CONTACT_FIELD_6       32416  // image 6
#define IDB_CONTACT_EMAIL         32417  // image 7
#define IDB_CONTACT_EMAIL_2       32418  // image 8
#define IDB_CONTACT_FIELD_9       32419  // image 9
#define IDB_CONTACT_FIELD_OTHER   32420  // image 10
#define IDB_CONTACT_CLOSED        32421  // image 12
#define IDB_CONTACT_OPEN          32422  // image 13
#define IDB_CONTACT_FIELD_11      32423  // image 11
#define IDB_RECIPIENT_CANCEL      32426
#define IDB_RECIPIENT_OK          32427
#define IDB_RECIPIENT_OK_DISABLED 32428
#define IDB_RECIPIENT_ADD         32429
#define IDB_RECIPIENT_ADD_DISABLED     32430
#define IDB_RECIPIENT_REMOVE           32431
#define IDB_RECIPIENT_REMOVE_DISABLED  32432
#define IDB_RECIPIENT_REFRESH          32433
#define IDB_RECIPIENT_REFRESH_DISABLED 32434
#define IDB_LIST_HEADER_BACKGROUND     32435
#define IDB_LIST_HEADER_SEPARATOR      32436

// Icons of the common buttons of dialogs (icon, disabled icon).
#define IDB_ICON_CANCEL             34005
#define IDB_ICON_CANCEL_DISABLED    34006
#define IDB_ICON_CONFIRM            34007
#define IDB_ICON_CONFIRM_DISABLED   34008
#define IDB_ICON_NO                 34009
#define IDB_ICON_NO_DISABLED        34010
#define IDB_ICON_HELP               34015
#define IDB_ICON_HELP_DISABLED      34016
#define IDB_ICON_CONNECTION         34017
#define IDB_ICON_CONNECTION_DISABLED 34018
#define IDB_ICON_REFRESH            34019
#define IDB_ICON_REFRESH_DISABLED   34020
#define IDB_ICON_RECIPIENTS         34022
#define IDB_ICON_RECIPIENTS_DISABLED 34023
#define IDB_ICON_OK                 35006
#define IDB_ICON_OK_DISABLED        35007

// Device selection list: media icons 0 to 3 (icon 2 for media kind 0, 0 for kind 1,
// 3 for kind 2, 1 for kind 3).
#define IDB_MEDIA_ICON_0   34024
#define IDB_MEDIA_ICON_1   34025
#define IDB_MEDIA_ICON_3   34026
#define IDB_MEDIA_ICON_2   34027

// Progress dialog: the two pictures and the nine animation images between them.
#define IDB_PROGRESS_LEFT        34028
#define IDB_PROGRESS_RIGHT       34029
#define IDB_PROGRESS_ANIM_FIRST  34030
#define IDB_PROGRESS_ANIM_1      34031
#define IDB_PROGRESS_ANIM_2      34032
#define IDB_PROGRESS_ANIM_3      34033
#define IDB_PROGRESS_ANIM_4      34034
#define IDB_PROGRESS_ANIM_5      34035
#define IDB_PROGRESS_ANIM_6      34036
#define IDB_PROGRESS_ANIM_7      34037
#define IDB_PROGRESS_ANIM_LAST   34038

// About box: the suite pictures.
#define IDB_SUITE_LOGO          35000
#define IDB_SUITE_LOGO_SMALL    35001

// Pieces no class default names, for hosts that give a tab skin or a static chrome skin
// a definition. Tab pieces in the order of the tab skin's bitmap table (0 and 7 are not
// drawn and are blank).
#define IDB_TAB_BLANK                5300
#define IDB_TAB_PANEL_LEFT           5301
#define IDB_TAB_PANEL_BOTTOM_LEFT    5302
#define IDB_TAB_PANEL_TOP_RIGHT      5303
#define IDB_TAB_PANEL_RIGHT          5304
#define IDB_TAB_PANEL_BOTTOM_RIGHT   5305
#define IDB_TAB_PANEL_BOTTOM         5306
#define IDB_TAB_BLANK_7              5307
#define IDB_TAB_PANEL_TOP            5308
#define IDB_TAB_SELECTED_LEFT        5309
#define IDB_TAB_SELECTED_MIDDLE      5310
#define IDB_TAB_SELECTED_RIGHT       5311
#define IDB_TAB_LEFT                 5312
#define IDB_TAB_MIDDLE               5313
#define IDB_TAB_RIGHT                5314
#define IDB_TAB_JOIN_TO_SELECTED     5315
#define IDB_TAB_JOIN_FROM_SELECTED   5316
#define IDB_TAB_JOIN                 5317
// Nine-part panel in the static chrome skin's order.
#define IDB_PANEL_TOP_LEFT       5330
#define IDB_PANEL_TOP            5331
#define IDB_PANEL_TOP_RIGHT      5332
#define IDB_PANEL_BOTTOM_LEFT    5333
#define IDB_PANEL_BOTTOM         5334
#define IDB_PANEL_BOTTOM_RIGHT   5335
#define IDB_PANEL_LEFT           5336
#define IDB_PANEL_CENTRE         5337
#define IDB_PANEL_RIGHT          5338

// Colours ("R,G,B" text).
#define IDS_COLOR_TEXT               600
#define IDS_COLOR_CHOSEN_TEXT        604
#define IDS_COLOR_SELECTED_ITEM      3003
#define IDS_COLOR_ITEM_BACKGROUND    30601
#define IDS_COLOR_UNSUPPORTED_TEXT   30605

// Embedded fonts, resource type "TTF".
#define IDF_FONT_REGULAR       34001
#define IDF_FONT_BOLD          34002
#define IDF_FONT_ITALIC        34003
#define IDF_FONT_BOLD_ITALIC   34004

// The device selection window's class icon.
#define IDI_DEVICE_WINDOW   512

// File transfer progress animation ("AVI" resources), and its form for mirrored desktops.
#define IDR_TRANSFER_ANIMATION       6106
#define IDR_TRANSFER_ANIMATION_RTL   6107

#endif  // TALIX_THEME_IDS_H
