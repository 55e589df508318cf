#include "filelist/folder_picker.h"

#include <commctrl.h>

#include "common/app_state.h"
#include "common/dpi.h"
#include "common/modal.h"
#include "filelist/current_folder.h"
#include "filelist/entry_rules.h"
#include "filelist/file_list.h"
#include "filelist/file_rows.h"
#include "filelist/found_entry.h"
#include "common/list_view.h"
#include "filelist/path_text.h"
#include "filelist/picker_rules.h"
#include "resource.h"

namespace {

// Room for any name a search reports in the code page, so nothing is read cut short.
constexpr int kRowTextSize = MAX_PATH * 2 + 1;

HWND FolderList(HWND dialog) { return GetDlgItem(dialog, IDC_PICK_LIST); }

void InsertRow(HWND list, int row, const char* text, int image, const char* date) {
  InsertListRow(list, row, text, image);
  if (date) SetListText(list, row, 1, date);
}

bool CreateFolderList(HWND dialog) {
  HIMAGELIST images = ImageList_Create(12, 12, ILC_MASK | ILC_COLOR32, 7, 0);
  for (int id = IDI_FOLDER_UP; id <= IDI_DRIVE_RAMDISK; ++id) {
    ImageList_ReplaceIcon(images, -1, LoadIconA(g_instance, MAKEINTRESOURCEA(id)));
  }
  int dpi = WindowDpi(dialog);
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0,
                              ScaleForDpi(20, dpi), ScaleForDpi(400, dpi), ScaleForDpi(420, dpi), dialog,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PICK_LIST)), g_instance, nullptr);
  if (!list) {
    ImageList_Destroy(images);
    return false;
  }
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  const ListColumn columns[] = {{"ファイル名", 200}, {"更新日", 120}};
  AddListColumns(list, columns, 2, dpi);
  return true;
}

// The first selected row, or -1; also -1 without a list, where a message to
// no window would answer 0 for ever.
int SelectedRow(HWND list) { return list ? NextListRow(list, -1, LVNI_SELECTED) : -1; }

// The other drives, when f is a root; returns the next row.
int FillDriveRows(HWND list, const char* f) {
  int row = 0;
  if (!ShowsDriveRows(f)) return row;
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    char root[4] = {letter, ':', '\\', '\0'};
    int image = DriveImage(GetDriveTypeA(root));
    if (image < 0 || SameTextIgnoringCase(root, f)) continue;
    InsertRow(list, row, root, image, nullptr);
    ++row;
  }
  return row;
}

// Every entry of f passes the same test: a plain folder is listed, with
// "." and ".." among them; files, hidden and system folders are not. A
// folder whose name the code page lacks shows its short name, or is left out
// when it has none: its look-alike would open another folder.
void FillFolderRows(HWND list, const char* f, int row) {
  char pattern[kPathTextSize];
  if (!ListPattern(pattern, f)) return;
  ForEachFound(pattern, [&](const char* name, const WIN32_FIND_DATAW& data) {
    if (!IsPlainFolder(data.dwFileAttributes)) return true;
    char date[40] = {};
    int32_t sizeKb = 0;
    RowTextsFromFindData(data, date, &sizeKb);
    InsertRow(list, row, name, EntryImage(name), date);
    ++row;
    return true;
  });
}

void Fill(HWND dialog) {
  char f[kPathTextSize];
  CopyCurrentFolder(f);
  SetDlgItemTextA(dialog, IDC_PICK_FOLDER, f);
  HWND list = FolderList(dialog);
  HoldListDrawing(list);
  FillFolderRows(list, f, FillDriveRows(list, f));
  ResumeListDrawing(list);
}

void InitPicker(HWND dialog) {
  if (CreateFolderList(dialog)) {
    Fill(dialog);
    return;
  }
  // The dialog never shows: the warning belongs to the window it was opened from.
  ShowMessage(GetWindow(dialog, GW_OWNER), "フォルダの一覧が作れません", "フォルダ選択", MB_ICONWARNING);
  EndDialog(dialog, 0);
}

void ReadRowText(HWND list, int row, char* text) { GetListText(list, row, 0, text, kRowTextSize); }

void Navigate(HWND dialog) {
  HWND list = FolderList(dialog);
  int row = SelectedRow(list);
  if (row < 0) return;
  char text[kRowTextSize];
  ReadRowText(list, row, text);
  char f[kPathTextSize];
  CopyCurrentFolder(f);
  if (!NavigateFolder(f, text)) return;  // f would outgrow its 255 bytes
  SetCurrentFolder(f);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  Fill(dialog);
}

// Scans every selected row as a subfolder of the shown folder; true when a
// row was added to the file list.
bool Load(HWND dialog) {
  HWND list = FolderList(dialog);
  int32_t start = RowCount();
  int32_t rowIndex = start;
  for (int row; (row = SelectedRow(list)) >= 0;) {
    char text[kRowTextSize];
    ReadRowText(list, row, text);
    char folder[kRowTextSize] = {};
    GetDlgItemTextA(dialog, IDC_PICK_FOLDER, folder, sizeof folder);
    SetListRowState(list, row, 0, kMarkBits);
    char path[kPathTextSize];
    if (!JoinPath(path, folder, text)) continue;  // too long: passed over
    int32_t next = ScanOneFolder(path, rowIndex);
    if (next != 0) rowIndex = next;
  }
  if (rowIndex != start) return true;
  ShowMessage(dialog, "読込出来ません！", "フォルダ選択", MB_ICONWARNING);
  return false;
}

void OnPickerCommand(HWND dialog, WORD id) {
  if (id == IDC_PICK_LOAD && Load(dialog)) EndDialog(dialog, 1);
}

void OnNotify(HWND dialog, WPARAM wParam, const NMHDR* header) {
  if (wParam == IDC_PICK_LIST && header->code == static_cast<UINT>(NM_DBLCLK)) Navigate(dialog);
}

void PaintNothing(HWND dialog) {
  PAINTSTRUCT paint;
  BeginPaint(dialog, &paint);
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK PickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: InitPicker(dialog); return TRUE;
    case WM_NOTIFY: OnNotify(dialog, wParam, reinterpret_cast<const NMHDR*>(lParam)); return FALSE;
    case WM_COMMAND: OnPickerCommand(dialog, LOWORD(wParam)); return FALSE;
    case WM_CLOSE: EndDialog(dialog, 1); return TRUE;
    case WM_PAINT: PaintNothing(dialog); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void RunFolderPicker(HWND window) { RunModalDialog(IDD_PICKER, window, PickerProc, 0); }
