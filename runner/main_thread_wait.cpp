#include "runner/main_thread_wait.h"

DWORD WaitHandlingMessages(HANDLE handle, DWORD timeoutMs) {
  ULONGLONG start = GetTickCount64();
  for (;;) {
    DWORD left = INFINITE;
    if (timeoutMs != INFINITE) {
      ULONGLONG spent = GetTickCount64() - start;
      left = spent >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - spent);
    }
    DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE | QS_PAINT);
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED_0) return WAIT_OBJECT_0;
    if (r == WAIT_TIMEOUT) return WAIT_TIMEOUT;
    if (r != WAIT_OBJECT_0 + 1) return WAIT_FAILED;
    // Peeking handles the sent messages; only paint messages are taken from
    // the queue, so no command or timer runs inside the wait. A window that
    // never validates would paint forever: a few rounds, then wait again.
    MSG msg;
    for (int i = 0; i < 8 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i) DispatchMessageA(&msg);
    if (left == 0) return WaitForSingleObject(handle, 0) == WAIT_TIMEOUT ? WAIT_TIMEOUT : WAIT_OBJECT_0;
  }
}
