#include "filelist/file_list.h"

#include <commctrl.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/modal.h"
#include "filelist/row_text.h"
#include "resource.h"

namespace {

struct Column {
  const char* heading;
  int width;
};
constexpr Column kColumns[] = {{"ファイル名", 190}, {"フォルダ名", 220}, {"日付け", 100}, {"サイズ", 60}};

void SetSubItem(int row, int column, const char* text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  SendMessageA(g_fileList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void DeleteSelectedRows() {
  for (int row; (row = NextSelectedRow(-1)) != -1;) SendMessageA(g_fileList, LVM_DELETEITEM, row, 0);
}

}  // namespace

HWND CreateFileList(HWND parent) {
  HIMAGELIST images = ImageList_Create(12, 12, ILC_MASK | ILC_COLOR32, 1, 0);
  ImageList_ReplaceIcon(images, -1, LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_FILEROW)));
  InitCommonControls();
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FILELIST)), g_instance,
                              nullptr);
  if (!list) return nullptr;
  LRESULT ex = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ex | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = LVCFMT_LEFT;
    col.cx = kColumns[i].width;
    col.pszText = const_cast<char*>(kColumns[i].heading);
    col.iSubItem = i;
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
  return list;
}

void AppendRow(const char* name, const char* folder, const char* date, int32_t sizeKb, int32_t rowIndex) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = rowIndex;
  item.pszText = const_cast<char*>(name);
  item.iImage = 0;
  item.lParam = rowIndex;
  SendMessageA(g_fileList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  SetSubItem(rowIndex, 1, folder);
  SetSubItem(rowIndex, 2, date);
  char size[16] = {};
  std::snprintf(size, sizeof size, "%d", static_cast<int>(sizeKb));
  SetSubItem(rowIndex, 3, size);
}

void RowTextsFromFindData(const WIN32_FIND_DATAA& data, char* date40, int32_t* sizeKb) {
  // Shown in local time: a UTC date would be nine hours off in Japan.
  SYSTEMTIME utc = {}, local = {};
  FileTimeToSystemTime(&data.ftLastWriteTime, &utc);
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
  FormatDateText(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, date40);
  *sizeKb = SizeInKilobytes(data.nFileSizeHigh, data.nFileSizeLow);
}

int RowCount() { return static_cast<int>(SendMessageA(g_fileList, LVM_GETITEMCOUNT, 0, 0)); }

int NextSelectedRow(int after) {
  return static_cast<int>(SendMessageA(g_fileList, LVM_GETNEXTITEM, after, MAKELPARAM(LVNI_SELECTED, 0)));
}

void MarkRow(int row, bool marked) {
  LVITEMA item = {};
  item.stateMask = kMarkBits;
  item.state = marked ? kMarkBits : 0;
  SendMessageA(g_fileList, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void GetRowText(int row, int column, char* out, int size) {
  ZeroMemory(out, size);
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = out;
  item.cchTextMax = size;
  SendMessageA(g_fileList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

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
