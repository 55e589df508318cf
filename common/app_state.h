// Window handles and values set once at start-up and read everywhere.
#pragma once
#include <windows.h>

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern HWND g_toolbar;
extern HWND g_fileList;
extern HWND g_statusBar;
extern HWND g_modelessDialog;  // the newest modeless dialog (About, stopping, searching)
extern char g_startupDir[256];

// Records the process's current directory as the start-up directory.
void RecordStartupDirectory();
