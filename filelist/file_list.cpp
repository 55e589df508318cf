#include "filelist/file_list.h"

#include <commctrl.h>

#include <cstdio>

#include "common/app_state.h"
#include "common/dpi.h"
#include "common/dpi_scale.h"
#include "common/modal.h"
#include "common/list_view.h"
#include "filelist/row_text.h"
#include "resource.h"

namespace {

constexpr ListColumn kColumns[] = {{"ファイル名", 190}, {"フォルダ名", 220}, {"日付け", 100}, {"サイズ", 60}};
constexpr int kRowImage = 12;  // the row image's side at 96 DPI

// The row image drawn for dpi. The 96-DPI one is the sheet of the window's
// icon size, shrunk by the list; the larger ones are drawn at their size.
HIMAGELIST RowImages(int dpi) {
  int size = PictureSize(kRowImage, dpi);
  HIMAGELIST images = ImageList_Create(size, size, ILC_MASK | ILC_COLOR32, 1, 0);
  int id = PictureResource(dpi, IDI_FILEROW, IDI_FILEROW_150, IDI_FILEROW_200);
  if (id == IDI_FILEROW) {
    ImageList_ReplaceIcon(images, -1, LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_FILEROW)));
  } else if (HICON icon = static_cast<HICON>(LoadImageA(g_instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0))) {
    ImageList_ReplaceIcon(images, -1, icon);
    DestroyIcon(icon);
  }
  return images;
}

void DeleteSelectedRows() {
  for (int row; (row = NextSelectedRow(-1)) != -1;) SendMessageA(g_fileList, LVM_DELETEITEM, row, 0);
}

}  // namespace

HWND CreateFileList(HWND parent) {
  int dpi = WindowDpi(parent);
  HIMAGELIST images = RowImages(dpi);
  InitCommonControls();
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FILELIST)), g_instance, nullptr);
  if (!list) {
    ImageList_Destroy(images);
    return nullptr;
  }
  LRESULT ex = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ex | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  AddListColumns(list, kColumns, 4, dpi);
  return list;
}

void RescaleFileList(int fromDpi, int toDpi) {
  RescaleListColumns(g_fileList, fromDpi, toDpi);
  LRESULT old = SendMessageA(g_fileList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(RowImages(toDpi)));
  if (old) ImageList_Destroy(reinterpret_cast<HIMAGELIST>(old));
  RescaleFont(g_fileList, fromDpi, toDpi);
}

void AppendRow(const char* name, const char* folder, const char* date, int32_t sizeKb, int32_t rowIndex) {
  InsertListRow(g_fileList, rowIndex, name, 0);
  SetListText(g_fileList, rowIndex, 1, folder);
  SetListText(g_fileList, rowIndex, 2, date);
  char size[16] = {};
  std::snprintf(size, sizeof size, "%d", static_cast<int>(sizeKb));
  SetListText(g_fileList, rowIndex, 3, size);
}

void RowTextsFromFindData(const WIN32_FIND_DATAW& data, char* date40, int32_t* sizeKb) {
  // Shown in local time: a UTC date would be nine hours off in Japan.
  SYSTEMTIME utc = {}, local = {};
  FileTimeToSystemTime(&data.ftLastWriteTime, &utc);
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
  FormatDateText(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, date40);
  *sizeKb = SizeInKilobytes(data.nFileSizeHigh, data.nFileSizeLow);
}

int RowCount() { return static_cast<int>(SendMessageA(g_fileList, LVM_GETITEMCOUNT, 0, 0)); }

// Without a list there is no selected row: a message to no window answers 0,
// which would keep every "while a row is selected" loop going for ever.
int NextSelectedRow(int after) { return g_fileList ? NextListRow(g_fileList, after, LVNI_SELECTED) : -1; }

void MarkRow(int row, bool marked) { SetListRowState(g_fileList, row, marked ? kMarkBits : 0, kMarkBits); }

void GetRowText(int row, int column, char* out, int size) { GetListText(g_fileList, row, column, out, size); }

void SelectAll() {
  int count = RowCount();
  for (int row = 0; row < count; ++row) MarkRow(row, true);
}

void DeselectAll() {
  int count = RowCount();
  for (int row = 0; row < count; ++row) MarkRow(row, false);
}

void DeselectSelected() {
  for (int row; (row = NextSelectedRow(-1)) != -1;) MarkRow(row, false);
}

void RemoveRows(HWND owner, int mode) {
  if (mode == kRemoveSelectedOrWarn || mode == kRemoveSelectedElseAll) {
    if (NextSelectedRow(-1) != -1) {
      DeleteSelectedRows();
      return;
    }
    if (mode == kRemoveSelectedOrWarn) {
      ShowMessage(owner, "ファイルが選択していません", "選択ミス", MB_ICONWARNING);
      return;
    }
  }
  SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
}
