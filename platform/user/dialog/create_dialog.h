// Making a dialog from a template: the dialog window, its font, its controls and
// WM_INITDIALOG. Shared by CreateDialog* and DialogBox*.
#pragma once

#include "platform/user/dialog/dialog_template.h"

namespace talix::user {

struct DialogRequest {
  HINSTANCE instance = nullptr;
  HWND parent = nullptr;  // the parent of a child dialog, the owner of a popup one
  DLGPROC proc = nullptr;
  LPARAM param = 0;
  bool modal = false;     // DialogBox: leave the dialog hidden for the modal loop to show
};

// Creates the dialog from `size` bytes of template (kTemplateSizeUnknown when not known).
// Null with the last error set when the template is malformed or a window cannot be made.
HWND CreateDialogFromTemplate(const void* data, size_t size, const DialogRequest& request);
// The template bytes of a resource dialog; false (last error set) when there is none.
bool FindDialogResource(HINSTANCE instance, LPCWSTR name, const void** data, size_t* size);
// The size of an in-memory template when it is the start of a GlobalAlloc block.
size_t KnownTemplateSize(const void* data);

}  // namespace talix::user
