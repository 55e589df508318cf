// The file list: a report list view of rows (name, folder, date, size).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

enum RemoveMode { kRemoveAll = 0, kRemoveSelectedOrWarn = 1, kRemoveSelectedElseAll = 2 };

HWND CreateFileList(HWND parent);

// Columns (the user's widths in proportion), row image and font from one DPI to the other.
void RescaleFileList(int fromDpi, int toDpi);

// Appends a row at rowIndex, which callers keep equal to the row count.
void AppendRow(const char* name, const char* folder, const char* date, int32_t sizeKb, int32_t rowIndex);

// Date text (local time) and size in kilobytes of a file-system entry.
void RowTextsFromFindData(const WIN32_FIND_DATAW& data, char* date40, int32_t* sizeKb);

void SelectAll();
void DeselectAll();
void DeselectSelected();
void RemoveRows(HWND owner, int mode);

// Direct reading and marking of rows.
int RowCount();
int NextSelectedRow(int after);  // -1 finds the first selected row; -1 when none
void MarkRow(int row, bool marked);
void GetRowText(int row, int column, char* out, int size);

constexpr UINT kMarkBits = LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED;
