// Files handed in by Explorer and scripts: paths on the command line, a drop
// on the main window, and the paths that a second start of the tool forwards
// to the window already open ("Send to" on a selection).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "filelist/path_args.h"

// The handed paths as the resolving code gives them; only passed through here.
using HandedList = std::vector<HandedPath>;

// Posted by the window to itself for each block of forwarded paths it has
// queued. It carries nothing, so any process may send it harmlessly.
constexpr UINT kHandedFilesMessage = WM_APP + 0x50;

// The resolved paths of this process's command line; empty when it has none.
HandedList CommandLinePaths();

// Held from before a start looks for an open window until it has either
// forwarded its paths or made its own window, so that starts at the same
// moment make one window between them. One per user session. Only starts with
// paths look for a window, so only they take it: a start without paths opens
// its window at once, even while another waits for a busy one.
class StartLock {
 public:
  explicit StartLock(bool wanted);
  ~StartLock() { Release(); }
  void Release();
  StartLock(const StartLock&) = delete;
  StartLock& operator=(const StartLock&) = delete;

 private:
  HANDLE mutex_;
};

// Hands paths to a tool window already open, waiting for as long as that
// window is busy and its process lives; true when it took them all. The
// caller then ends without a window of its own and leaves plimsar.ini alone.
// Otherwise paths keeps the ones no window took, for the caller's own window.
bool ForwardToOpenWindow(HandedList& paths);

// WM_COPYDATA: queues forwarded paths and answers at once; they are added
// on kHandedFilesMessage, so the sender never waits on a message box.
LRESULT OnCopyData(HWND window, const COPYDATASTRUCT* data);
void OnHandedFilesMessage(HWND window);

// WM_DROPFILES: files and folders dropped on the main window, also during a
// run (the run keeps its own copy of its rows).
void OnDropFiles(HWND window, HDROP drop);
