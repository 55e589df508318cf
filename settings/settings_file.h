// Reading and writing "plimsar.ini" in the start-up directory.
#pragma once
#include <windows.h>

constexpr char kSettingsFileName[] = "plimsar.ini";

// Resets g_settings, then applies the file in the current directory
// (creating it empty when missing). Failure: a warning owned by owner.
void LoadSettings(HWND owner);

// Writes g_settings into the start-up directory through a temporary file that
// replaces the old one in one step, so a failed save never loses the old file.
void SaveSettings(HWND owner);
