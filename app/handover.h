// Files handed over by Explorer and scripts: paths on the command line, a
// drop on the main window, and the paths that a second start of the tool
// forwards to the window already open ("Send to" on a selection).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "filelist/path_args.h"

constexpr UINT kForwardedPathsMessage = WM_APP + 0x50;

// The resolved paths of this process's command line; empty when it has none.
std::vector<HandedPath> CommandLinePaths();

// Hands paths to a tool window already open; true when it took them. The
// caller then ends without a window of its own and leaves plimsar.ini alone.
bool ForwardToOpenWindow(const std::vector<HandedPath>& paths);

// WM_COPYDATA: takes forwarded paths and answers at once; they are added by
// kForwardedPathsMessage, so the sender never waits on a message box.
LRESULT OnCopyData(HWND window, const COPYDATASTRUCT* data);
void OnForwardedPaths(HWND window, LPARAM paths);

// WM_DROPFILES: files and folders dropped on the main window, also during a
// run (the run keeps its own copy of its rows).
void OnDropFiles(HWND window, HDROP drop);
