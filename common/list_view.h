// Small list-view calls shared by the file list, the folder picker and the
// progress marks, so each builds its LVITEMA the same way.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "common/dpi_scale.h"

struct ListColumn {
  const char* heading;
  int width;
};

// The widths are those of 96 DPI, laid out at dpi.
inline void AddListColumns(HWND list, const ListColumn* columns, int count, int dpi = kBaseDpi) {
  for (int i = 0; i < count; ++i) {
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = LVCFMT_LEFT;
    col.cx = ScaleForDpi(columns[i].width, dpi);
    col.pszText = const_cast<char*>(columns[i].heading);
    col.iSubItem = i;
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
}

// Inserts a row whose lParam is its row number.
inline void InsertListRow(HWND list, int row, const char* text, int image) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = row;
  item.pszText = const_cast<char*>(text);
  item.iImage = image;
  item.lParam = row;
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

inline void SetListText(HWND list, int row, int column, const char* text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// Zero-filled first, so a cut text is still terminated.
inline void GetListText(HWND list, int row, int column, char* out, int size) {
  ZeroMemory(out, size);
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = out;
  item.cchTextMax = size;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

inline void SetListRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// The first row after `after` (-1: from the top) holding LVNI_ flag, or -1.
inline int NextListRow(HWND list, int after, UINT flag) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, after, MAKELPARAM(flag, 0)));
}

// Drawing of a list view held while many of its rows change: every row
// change of a shown list otherwise repaints it at once, which makes a scan
// of thousands of files take minutes.
inline void HoldListDrawing(HWND list) { SendMessageA(list, WM_SETREDRAW, FALSE, 0); }

// Draws again, once, with every change.
inline void ResumeListDrawing(HWND list) {
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}
