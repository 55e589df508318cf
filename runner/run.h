// The batch runner as the rest of the tool sees it.
#pragma once
#include <windows.h>

#include <cstdint>

enum RunMode { kRunWholeList = 0, kRunSelection = 1, kRunSelectionElseAll = 2 };

constexpr UINT_PTR kTimeLimitTimer = 1;
constexpr UINT_PTR kProgressTimer = 2;

// Run commands: capture every row to run, fill the job table with the first
// block of them and start the worker.
void StartRun(HWND window, int mode);
// Captures a file-list row for the run; false when it does not come after the
// last one captured.
bool CaptureJob(int row);
// Stop command: no further job starts, the current program is ended.
void StopRun(HWND window);
// Timer 1: the current job's time limit has expired.
void OnTimeLimitExpired(HWND window);
// Timer 2: blink the running row, mark and unmark the others.
void TickProgress();
// Timer 2, after TickProgress: once the run has ended, stop both timers and unmark every row.
void EndOfRunStep();
// WM_PAINT: mark the rows of queued and running jobs, unmark the rest.
void ApplyRowsOnPaint();

// Phase of the running row's blinking; never reset between runs.
extern int32_t blinkPhase;
