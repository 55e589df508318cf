#include "runner/run.h"

#include "runner/job_table.h"
// Interim: the runner is not wired yet.
JobTable g_jobTable;
RunControl g_run;
void StartRun(HWND, int) {}
void StopRun(HWND) {}
void OnTimeLimitExpired(HWND) {}
void TickProgress() {}
void EndOfRunStep() {}
void ApplyRowsOnPaint() {}
