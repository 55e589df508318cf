// Reading and writing "plimsar.ini" in the start-up directory.
#pragma once
#include <windows.h>

constexpr char kSettingsFileName[] = "plimsar.ini";

// Resets g_settings, then applies the file in the current directory
// (creating it empty when missing). Failure: a warning owned by owner.
// Also removes the new file a save killed half-way left behind.
void LoadSettings(HWND owner);

// Writes g_settings into the start-up directory through a new file that
// replaces the old one in one step and keeps its attributes, so a failed save
// never loses the old file. Where no new file can be made, the old one is
// written in place. A read-only file is never written. Failure: a warning.
void SaveSettings(HWND owner);
