// String ids of the language modules for the message box buttons. OK and Cancel are
// the library's common button texts.
#pragma once

#define IDS_LANG_OK 2
#define IDS_LANG_CANCEL 3
#define IDS_LANG_YES 60
#define IDS_LANG_NO 61
