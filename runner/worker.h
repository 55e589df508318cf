// The worker: the run's second thread, launching each Job's program in turn.
#pragma once
#include <windows.h>

// Thread procedure started by StartRun once the job table is complete.
DWORD WINAPI RunWorker(void* unused);

// How the worker starts each program. Tests replace it to fail a launch on
// purpose; nothing else changes it.
using StartProcessFn = decltype(&CreateProcessA);
extern StartProcessFn g_startProcess;
