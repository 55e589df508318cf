// Adding files: the open-file dialog, one folder, a folder with its subfolders.
#pragma once
#include <windows.h>

#include <cstdint>

void AddFilesCommand(HWND window);
void AddFolderCommand(HWND window);
void AddSubfoldersCommand(HWND window, int drawingType);

// Appends the file folder\name as the last row, named as the file system
// stores it; false when it can not be looked up or named. A name holding "?"
// (characters lost outside code page 932) takes only the entry reported under
// that very name, never another file the wildcard finds.
bool AppendFileRow(const char* folder, const char* name);

// Appends every entry of folder matching "*.<selected extension>"; returns 0
// when the search finds no entry at all, else the running row index after it.
int32_t ScanOneFolder(const char* folder, int32_t rowIndex);
