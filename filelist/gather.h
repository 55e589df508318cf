// Adding files: the open-file dialog, one folder, a folder with its subfolders.
#pragma once
#include <windows.h>

void AddFilesCommand(HWND window);
void AddFolderCommand(HWND window);
void AddSubfoldersCommand(HWND window, int drawingType);
