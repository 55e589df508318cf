// The main window: class registration, creation, layout and painting.
#pragma once
#include <windows.h>

constexpr char kMainClassName[] = "Main Window";
constexpr char kMainTitle[] = "Plimsar Ver1.02";

bool RegisterMainWindowClass(HINSTANCE instance);
// Creates the centred main window; settings are loaded and the children
// created while it is created.
HWND CreateMainWindow(HINSTANCE instance);
// Runs until WM_QUIT; returns its wParam.
int RunMessageLoop();
