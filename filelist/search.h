// Searching by file name: in the list, and on the fixed drives.
#pragma once
#include <windows.h>

void ListSearchCommand(HWND window);
void DriveSearchCommand(HWND window);
