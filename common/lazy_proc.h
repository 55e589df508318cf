// Functions of DLLs that only some commands need (the open-file and browse
// dialogs, the drive search). Resolving them on first use keeps those
// libraries out of start-up, where each costs a load before the window shows.
#pragma once
#include <windows.h>

// From the system folder only, so no DLL of the same name beside the
// program or in the current folder is ever loaded. nullptr when missing.
template <typename F>
F LazyProc(const char* dll, const char* name) {
  HMODULE module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
