// Every message box and modal dialog of the tool goes through these calls,
// so that a test running the real windows in-process can read and answer them.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <functional>

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type);

// DialogBoxParamA on the tool's own template.
INT_PTR RunModalDialog(int templateId, HWND owner, DLGPROC proc, LPARAM param);

// GetOpenFileNameA.
BOOL RunOpenFileDialog(OPENFILENAMEA* ofn);
// GetOpenFileNameW: files to add, whose names the code page may not hold.
BOOL RunOpenFileDialogW(OPENFILENAMEW* ofn);

// SHBrowseForFolderW and SHGetPathFromIDListW: the chosen folder's path into
// out (MAX_PATH characters), or an empty text when nothing was chosen.
void RunBrowseForFolder(BROWSEINFOW* info, wchar_t* out);

// Test seam. Unset members fall through to the real calls. messageBox may be
// called from the worker thread. dialogDriver runs inside the dialog's own
// modal loop, once it is initialised, and must end the dialog.
struct ModalHooks {
  std::function<int(HWND owner, const char* text, const char* caption, UINT type)> messageBox;
  std::function<void(HWND dialog, int templateId)> dialogDriver;
  std::function<BOOL(OPENFILENAMEA* ofn)> openFile;
  std::function<void(BROWSEINFOW* info, wchar_t* out)> browseFolder;
  std::function<BOOL(OPENFILENAMEW* ofn)> openFileW;
};
void SetModalHooks(const ModalHooks& hooks);
