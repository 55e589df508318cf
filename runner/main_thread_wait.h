// Waits of the main thread. The worker's status-bar refresh is a message sent
// to a control of the main thread, so the main thread handles sent messages
// (and paints) while it waits, or the two threads would block each other.
#pragma once
#include <windows.h>

// Waits for handle to be signalled or timeoutMs (INFINITE allowed) to pass.
// Returns WAIT_OBJECT_0 (also for an abandoned mutex), WAIT_TIMEOUT or WAIT_FAILED.
DWORD WaitHandlingMessages(HANDLE handle, DWORD timeoutMs);
