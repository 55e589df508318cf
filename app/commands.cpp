#include "app/commands.h"

#include "app/about_dialog.h"
#include "common/app_state.h"
#include "common/help.h"
#include "filelist/file_list.h"
#include "filelist/folder_picker.h"
#include "filelist/gather.h"
#include "filelist/search.h"
#include "resource.h"
#include "runner/run.h"
#include "runner/status_texts.h"
#include "settings/settings_dialog.h"

namespace {

void OpenAboutBox(HWND window) { g_modelessDialog = CreateAboutBox(window); }

void RunSettingsAndRefresh(HWND window) {
  RunSettingsDialog(window);
  UpdateStatusTexts();
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

}  // namespace

const char* ToolbarTooltip(UINT_PTR commandId) {
  switch (commandId) {
    case IDT_FOLDER_PICKER: return "フォルダを選択し追加";
    case IDT_ADD_SUBFOLDERS: return "サブフォルダ内も追加";
    case IDT_ADD_FOLDER: return "フォルダ単位で追加";
    case IDT_ADD_FILES: return "１ファイル追加";
    case IDT_REMOVE: return "リストから削除";
    case IDT_RUN: return "実行";
    case IDT_STOP: return "停止";
    case IDT_HELP: return "ヘルプ";
    case IDT_EXIT: return "終了";
    default: return nullptr;
  }
}

LRESULT OnCommand(HWND window, WORD id) {
  switch (id) {
    case IDM_EXIT:
    case IDT_EXIT: DestroyWindow(window); break;
    case IDM_REMOVE_SELECTED: RemoveRows(window, kRemoveSelectedOrWarn); break;
    case IDM_REMOVE_ALL: RemoveRows(window, kRemoveAll); break;
    case IDT_REMOVE: RemoveRows(window, kRemoveSelectedElseAll); break;
    case IDM_SELECT_ALL: SelectAll(); break;
    case IDM_DESELECT_SELECTED: DeselectSelected(); break;
    case IDM_SETTINGS: RunSettingsAndRefresh(window); break;
    case IDM_HELP:
    case IDT_HELP: OpenHelpPage(window, kToolHelpPage); break;
    case IDM_HOMEPAGE: OpenHelpPage(window, kHomePage); break;
    case IDM_ABOUT: OpenAboutBox(window); break;
    case IDT_FOLDER_PICKER:
    case IDM_FOLDER_PICKER: RunFolderPicker(window); break;
    case IDT_ADD_SUBFOLDERS:
    case IDM_ADD_SUBFOLDERS: AddSubfoldersCommand(window, 1); break;
    case IDT_ADD_FOLDER:
    case IDM_ADD_FOLDER: AddFolderCommand(window); break;
    case IDT_ADD_FILES:
    case IDM_ADD_FILES: AddFilesCommand(window); break;
    case IDM_LIST_SEARCH: ListSearchCommand(window); break;
    case IDM_DRIVE_SEARCH: DriveSearchCommand(window); break;
    case IDM_RUN_ALL: StartRun(window, kRunWholeList); break;
    case IDM_RUN_SELECTION: StartRun(window, kRunSelection); break;
    case IDT_RUN: StartRun(window, kRunSelectionElseAll); break;
    case IDT_STOP: StopRun(window); break;
    default: break;
  }
  return 0;
}

LRESULT OnNotify(NMHDR* header) {
  if (header->code != TTN_NEEDTEXTA) return 0;
  auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
  tip->hinst = g_instance;
  if (const char* text = ToolbarTooltip(header->idFrom)) tip->lpszText = const_cast<char*>(text);
  return 0;
}

LRESULT OnTimer(HWND window, WPARAM timerId) {
  if (timerId == kTimeLimitTimer) OnTimeLimitExpired(window);
  if (timerId == kProgressTimer) {
    TickProgress();
    EndOfRunStep();
  }
  return 0;
}
