// DialogBoxParamW, DialogBoxIndirectParamW and EndDialog.
#include "platform/user/dialog/dialog_box.h"

#include "platform/user/dialog/dialog_state.h"

#include <windows.h>

namespace talix::user {
namespace {

HWND TopLevelOwner(HWND parent) {
  if (!parent) return nullptr;
  HWND root = GetAncestor(parent, GA_ROOT);
  return root ? root : parent;
}

}  // namespace

INT_PTR RunModalDialog(const void* data, size_t size, DialogRequest request,
                       const ModalDialogRun& run) {
  if (request.parent && !IsWindow(request.parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  HWND owner = TopLevelOwner(request.parent);
  request.parent = owner;
  request.modal = true;
  HWND dialog = CreateDialogFromTemplate(data, size, request);
  auto state = dialog ? DialogStateOf(dialog) : nullptr;
  if (!state) return -1;
  if (owner && IsWindowEnabled(owner) && !state->ended) {
    EnableWindow(owner, FALSE);
    state->disabledOwner = owner;
  }
  ModalLoop loop;
  loop.kind = run.kind;
  loop.window = dialog;
  loop.filterCode = run.filterCode;
  loop.idleOwner = (GetWindowLongW(dialog, GWL_STYLE) & DS_NOIDLEMSG) ? nullptr : owner;
  loop.showWhenIdle = true;
  loop.Ended = [&] { return state->ended; };
  loop.Preprocess = [&](MSG& msg) { return IsDialogMessageW(dialog, &msg) != FALSE; };
  if (run.onIdle) loop.OnIdle = [&](unsigned count) { run.onIdle(dialog, count); };
  RunModalLoop(loop);
  // EndDialog gave the owner back already; a dialog destroyed without it did not.
  if (state->disabledOwner && IsWindow(state->disabledOwner))
    EnableWindow(state->disabledOwner, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return state->ended ? state->result : -1;
}

}  // namespace talix::user

using namespace talix::user;

INT_PTR DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate,
                                HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (!hDialogTemplate) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  DialogRequest request{hInstance, hWndParent, lpDialogFunc, dwInitParam, true};
  return RunModalDialog(hDialogTemplate, KnownTemplateSize(hDialogTemplate), request,
                        ModalDialogRun{});
}

INT_PTR DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                        DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  const void* data;
  size_t size;
  if (!FindDialogResource(hInstance, lpTemplateName, &data, &size)) return -1;
  DialogRequest request{hInstance, hWndParent, lpDialogFunc, dwInitParam, true};
  return RunModalDialog(data, size, request, ModalDialogRun{});
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult) {
  auto state = IsWindow(hDlg) ? FindDialogState(hDlg) : nullptr;
  if (!state) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  state->ended = true;
  state->result = nResult;
  HWND owner = state->disabledOwner;
  state->disabledOwner = nullptr;
  if (owner && IsWindow(owner)) {
    EnableWindow(owner, TRUE);
    if (GetActiveWindow() == hDlg) SetActiveWindow(owner);
  }
  ShowWindow(hDlg, SW_HIDE);
  // A loop waiting on another thread notices the end at its next message.
  if (GetWindowThreadProcessId(hDlg, nullptr) != GetCurrentThreadId())
    PostMessageW(hDlg, WM_NULL, 0, 0);
  return TRUE;
}
