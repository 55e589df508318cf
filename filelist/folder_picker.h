// The tool's own folder browser (dialog 9).
#pragma once
#include <windows.h>

void RunFolderPicker(HWND window);
