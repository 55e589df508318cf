// The tool's life around its message loop. WinMain and the in-process tests
// both go through these, so a test's exit saves exactly as the tool does.
#pragma once
#include <windows.h>

// Registers the class, creates the main window (the settings are read while
// it is created), shows it, records the start-up directory and starts COM on
// this thread. nullptr when the class or the window cannot be made; nothing
// is read or written then, and the class is gone again.
HWND StartTool(HINSTANCE instance, int show);

// After the message loop has ended: writes the settings and ends COM.
void FinishTool();
