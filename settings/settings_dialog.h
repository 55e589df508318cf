// The settings dialog (dialog 2), run modally.
#pragma once
#include <windows.h>

void RunSettingsDialog(HWND window);
