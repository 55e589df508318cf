#include "runner/stopping_dialog.h"

#include "common/app_state.h"
#include "resource.h"

namespace {

// Everything is left to the dialog manager.
INT_PTR CALLBACK StoppingDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

HWND CreateStoppingDialog(HWND owner) {
  HWND dialog = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_STOPPING), owner, StoppingDialogProc, 0);
  if (dialog) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}
