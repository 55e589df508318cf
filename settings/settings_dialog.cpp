#include "settings/settings_dialog.h"

#include <cstring>
#include <mutex>
#include <string>

#include "common/help.h"
#include "common/modal.h"
#include "resource.h"
#include "settings/settings.h"
#include "settings/settings_form.h"
#include "settings/settings_lock.h"

// The worker copies the settings for each launch under SettingsMutex(). Every
// step here reads or writes the controls outside the lock and holds it only to
// copy fields, so a run never sees a half-written text and a sent message
// never waits on a lock the worker holds.

namespace {

// The whole text of a control; byte limits are applied when it is stored.
std::string ControlText(HWND dialog, int id) {
  int length = GetWindowTextLengthA(GetDlgItem(dialog, id));
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  UINT got = GetDlgItemTextA(dialog, id, &text[0], length + 1);
  text.resize(got);
  return text;
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

Settings CopyOfSettings() {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  return g_settings;
}

void ChooseProgram(HWND dialog) {
  char file[kPathSize] = {};
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    std::memcpy(file, g_settings.p, sizeof file - 1);
  }
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = dialog;
  ofn.lpstrFilter = "PalyFile(*.exe)\0*.exe\0ALLFile(*.*)\0*.*\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrTitle = "PalyFileの在処を指定";
  ofn.Flags = OFN_HIDEREADONLY;
  if (!RunOpenFileDialog(&ofn)) return;
  // A path that fills the whole buffer is too long for p; some systems
  // return it cut and unterminated instead of failing. Keep p as it was.
  if (!std::memchr(file, '\0', sizeof file)) return;
  char stored[kPathSize];
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    StoreText(g_settings.p, sizeof g_settings.p, file);
    std::memcpy(stored, g_settings.p, sizeof stored);
  }
  SetDlgItemTextA(dialog, IDC_SET_PROGRAM, stored);
}

void RegisterNewFileType(HWND dialog) {
  std::string text = ControlText(dialog, IDC_SET_NEWTYPE);
  RegisterOutcome outcome;
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    outcome = RegisterFileType(g_settings, text);
  }
  if (outcome == RegisterOutcome::kDuplicate) ShowMessage(dialog, "すでに登録済みの文字です。", "残念！", MB_OK);
  if (outcome == RegisterOutcome::kAdded) FillSettingsDialog(dialog);
}

void ApplyAndClose(HWND dialog) {
  ApplySettingsDialog(dialog);
  EndDialog(dialog, 1);
}

void OnSettingsCommand(HWND dialog, WORD id) {
  switch (id) {
    case IDC_SET_BROWSE: ChooseProgram(dialog); break;
    case IDC_SET_REGISTER: RegisterNewFileType(dialog); break;
    case IDC_SET_OK: ApplyAndClose(dialog); break;
    case IDC_SET_CANCEL: EndDialog(dialog, 1); break;
    case IDC_SET_HELP: OpenHelpPage(dialog, kSettingsHelpPage); break;
    default: break;  // IDOK and IDCANCEL too: Enter and Escape do nothing
  }
}

void PaintNothing(HWND dialog) {
  PAINTSTRUCT ps;
  BeginPaint(dialog, &ps);
  EndPaint(dialog, &ps);
}

}  // namespace

void FillSettingsDialog(HWND dialog) {
  SettingsForm form = FormFromSettings(CopyOfSettings());
  HWND combo = GetDlgItem(dialog, IDC_SET_FILETYPE);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& type : form.fileTypes) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.c_str()));
  }
  SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(form.fileType.c_str()));
  SetDlgItemTextA(dialog, IDC_SET_PROGRAM, form.p.c_str());
  SetDlgItemTextA(dialog, IDC_SET_OPTION1, form.op_m1.c_str());
  SetDlgItemTextA(dialog, IDC_SET_OPTION2, form.op_m2.c_str());
  CheckDlgButton(dialog, IDC_SET_FORCE_END, form.forceEnd ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextA(dialog, IDC_SET_OFF_TIM, form.offTim.c_str());
  SetDlgItemTextA(dialog, IDC_SET_OFF_SIZE, form.offSize.c_str());
  CheckRadioButton(dialog, IDC_SET_END_WINDOWS, IDC_SET_END_TERMINATE,
                   form.endByTerminate ? IDC_SET_END_TERMINATE : IDC_SET_END_WINDOWS);
}

void ApplySettingsDialog(HWND dialog) {
  SettingsForm form;
  form.fileType = ControlText(dialog, IDC_SET_FILETYPE);
  form.p = ControlText(dialog, IDC_SET_PROGRAM);
  form.op_m1 = ControlText(dialog, IDC_SET_OPTION1);
  form.op_m2 = ControlText(dialog, IDC_SET_OPTION2);
  form.forceEnd = IsChecked(dialog, IDC_SET_FORCE_END);
  form.offTim = ControlText(dialog, IDC_SET_OFF_TIM);
  form.offSize = ControlText(dialog, IDC_SET_OFF_SIZE);
  form.endByWindows = IsChecked(dialog, IDC_SET_END_WINDOWS);
  form.endByTerminate = IsChecked(dialog, IDC_SET_END_TERMINATE);
  std::lock_guard<std::mutex> lock(SettingsMutex());
  ApplyForm(form, g_settings);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: FillSettingsDialog(dialog); return TRUE;
    case WM_COMMAND: OnSettingsCommand(dialog, LOWORD(wp)); return FALSE;
    case WM_CLOSE: EndDialog(dialog, 1); return FALSE;  // closes without applying
    case WM_PAINT: PaintNothing(dialog); return FALSE;
    default: return FALSE;
  }
}

void RunSettingsDialog(HWND window) { RunModalDialog(IDD_SETTINGS, window, SettingsDialogProc, 0); }
