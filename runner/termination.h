// Ending the current Job's program: at its time limit, or on the stop command.
#pragma once
#include <windows.h>

#include "runner/launch_handover.h"

// Ends the current Job's program as apri_end says (WM_CLOSE to its unowned
// top-level windows and termination after 5 s, or termination at once), with
// dialog 3 shown meanwhile. Once `running` is 0 it also unmarks every row and
// waits for the worker to end. `choice` says which program it may end: any
// (stop), or only the one the delivered timer expiry was armed for. Main
// thread only; a call made while one is under way does not start a second.
void EndCurrentProgram(HWND window, ProgramChoice choice);

// EnumWindows callback: posts WM_CLOSE to a window without owner that belongs
// to the process whose PROCESS_INFORMATION lParam points to.
BOOL CALLBACK PostCloseToProgramWindows(HWND window, LPARAM launched);

// True from the start of EndCurrentProgram to its end.
bool EndingUnderWay();

// Waits (handling sent messages) for the worker to end and releases its
// handle. Does nothing when no handle is held, or when called from inside
// such a wait: the call under way releases it.
void ReleaseWorker();

// True while ReleaseWorker waits; a run started then would be a second worker.
bool ReleaseUnderWay();
