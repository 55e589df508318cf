// The worker: the run's second thread, launching each Job's program in turn.
#pragma once
#include <windows.h>

// Thread procedure started by StartRun once the first block is in the job
// table; it runs every block of the captured rows.
DWORD WINAPI RunWorker(void* unused);

// How the worker starts each program, and how a run makes and starts the
// worker. Tests replace them to fail a step on purpose; nothing else does.
using StartProcessFn = decltype(&CreateProcessA);
using CreateThreadFn = decltype(&CreateThread);
using ResumeThreadFn = decltype(&ResumeThread);
extern StartProcessFn g_startProcess;
extern CreateThreadFn g_createThread;
extern ResumeThreadFn g_resumeThread;
