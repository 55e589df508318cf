#include "common/lazy_proc.h"

#include <string>

#include "common/modal.h"

HMODULE(WINAPI* g_loadLibraryEx)(LPCSTR, HANDLE, DWORD) = LoadLibraryExA;

namespace {

HMODULE LoadFromSystemFolder(const char* dll) {
  HMODULE module = g_loadLibraryEx(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module) return module;
  // Windows 7 without update KB2533623 refuses the flag: the full path in the
  // system folder names the same file, and its own imports are looked for there.
  char folder[MAX_PATH];
  UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return g_loadLibraryEx((std::string(folder) + "\\" + dll).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

FARPROC LazyProcAddress(HWND owner, const char* dll, const char* name) {
  HMODULE module = LoadFromSystemFolder(dll);
  FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
  if (!proc) ShowMessage(owner, (std::string(dll) + "が読み込めません。").c_str(), "ライブラリエラー", MB_ICONWARNING);
  return proc;
}
