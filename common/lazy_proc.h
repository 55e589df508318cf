// Functions of DLLs that only some commands need (the open-file and browse
// dialogs, the drive search, COM). Resolving them on first use keeps those
// libraries out of start-up, where each costs a load before the window shows.
#pragma once
#include <windows.h>

// The load call, LoadLibraryExA unless a test plays an older or broken system.
extern HMODULE(WINAPI* g_loadLibraryEx)(LPCSTR file, HANDLE reserved, DWORD flags);

// name from dll in the system folder only, so no DLL of the same name beside
// the program or in the current folder is ever loaded. When it cannot be had,
// a warning owned by owner names the DLL and the result is nullptr; nothing is
// remembered, so the next call tries again.
FARPROC LazyProcAddress(HWND owner, const char* dll, const char* name);

template <typename F>
F LazyProc(HWND owner, const char* dll, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(LazyProcAddress(owner, dll, name)));
}
