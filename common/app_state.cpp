#include "common/app_state.h"

HINSTANCE g_instance;
HWND g_mainWindow;
HWND g_toolbar;
HWND g_fileList;
HWND g_statusBar;
HWND g_modelessDialog;
char g_startupDir[256];

void RecordStartupDirectory() {
  char dir[MAX_PATH] = {};
  DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
  ZeroMemory(g_startupDir, sizeof g_startupDir);
  // A directory too long for the record is left empty: the save then goes to
  // whatever directory is current, rather than to a cut, wrong path.
  if (n > 0 && n < sizeof g_startupDir) CopyMemory(g_startupDir, dir, n);
}
