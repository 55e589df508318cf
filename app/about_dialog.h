// About box: a small modeless dialog (template IDD_ABOUT) with the tool's
// name, version, purpose and a picture painted above the frame.
#pragma once

#include <windows.h>

// Creates a new About box owned by `owner`, shows it and returns it.
// Every call makes a new box; each keeps its own copy of the picture.
HWND CreateAboutBox(HWND owner);

// The box's dialog procedure (exposed so the box can be driven in tests).
INT_PTR CALLBACK AboutDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
