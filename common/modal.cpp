#include "common/modal.h"

#include "common/app_state.h"
#include "common/lazy_proc.h"

namespace {

ModalHooks g_hooks;

constexpr UINT kDriveDialog = WM_APP + 0x3A1;
constexpr char kProcProp[] = "plimsar.realproc";

struct DrivenDialog {
  DLGPROC proc;
  int templateId;
};
DrivenDialog* g_starting;  // the dialog being created, until WM_INITDIALOG

// Stands in front of a dialog's own procedure while a test drives it.
INT_PTR CALLBACK DrivenProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  auto* d = static_cast<DrivenDialog*>(GetPropA(dlg, kProcProp));
  if (!d) {
    d = g_starting;
    if (!d) return FALSE;
    if (msg == WM_INITDIALOG) {
      SetPropA(dlg, kProcProp, d);
      g_starting = nullptr;
      INT_PTR r = d->proc(dlg, msg, wp, lp);
      PostMessageA(dlg, kDriveDialog, 0, 0);
      return r;
    }
  }
  if (msg == kDriveDialog) {
    if (g_hooks.dialogDriver) g_hooks.dialogDriver(dlg, d->templateId);
    return TRUE;
  }
  if (msg == WM_NCDESTROY) RemovePropA(dlg, kProcProp);
  return d->proc(dlg, msg, wp, lp);
}

}  // namespace

void SetModalHooks(const ModalHooks& hooks) { g_hooks = hooks; }

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type) {
  if (g_hooks.messageBox) return g_hooks.messageBox(owner, text, caption, type);
  return MessageBoxA(owner, text, caption, type);
}

INT_PTR RunModalDialog(int templateId, HWND owner, DLGPROC proc, LPARAM param) {
  if (!g_hooks.dialogDriver) {
    return DialogBoxParamA(g_instance, MAKEINTRESOURCEA(templateId), owner, proc, param);
  }
  DrivenDialog d{proc, templateId};
  g_starting = &d;
  INT_PTR r = DialogBoxParamA(g_instance, MAKEINTRESOURCEA(templateId), owner, DrivenProc, param);
  g_starting = nullptr;
  return r;
}

BOOL RunOpenFileDialog(OPENFILENAMEA* ofn) {
  if (g_hooks.openFile) return g_hooks.openFile(ofn);
  auto open = LazyProc<decltype(&GetOpenFileNameA)>(ofn->hwndOwner, "comdlg32.dll", "GetOpenFileNameA");
  return open ? open(ofn) : FALSE;
}

BOOL RunOpenFileDialogW(OPENFILENAMEW* ofn) {
  if (g_hooks.openFileW) return g_hooks.openFileW(ofn);
  auto open = LazyProc<decltype(&GetOpenFileNameW)>(ofn->hwndOwner, "comdlg32.dll", "GetOpenFileNameW");
  return open ? open(ofn) : FALSE;
}

void RunBrowseForFolder(BROWSEINFOW* info, wchar_t* out) {
  ZeroMemory(out, MAX_PATH * sizeof(wchar_t));
  if (g_hooks.browseFolder) {
    g_hooks.browseFolder(info, out);
    return;
  }
  HWND owner = info->hwndOwner ? info->hwndOwner : g_mainWindow;
  // One warning at most: each is looked for only once the one before it is had.
  using Browse = decltype(&SHBrowseForFolderW);
  using PathOf = decltype(&SHGetPathFromIDListW);
  using Release = decltype(&CoTaskMemFree);
  auto browse = LazyProc<Browse>(owner, "shell32.dll", "SHBrowseForFolderW");
  auto pathOf = browse ? LazyProc<PathOf>(owner, "shell32.dll", "SHGetPathFromIDListW") : nullptr;
  auto release = pathOf ? LazyProc<Release>(owner, "ole32.dll", "CoTaskMemFree") : nullptr;
  if (!release) return;  // as if cancelled, after the warning
  LPITEMIDLIST item = browse(info);
  if (!item) return;
  if (!pathOf(item, out)) ZeroMemory(out, MAX_PATH * sizeof(wchar_t));
  release(item);
}
