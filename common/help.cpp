#include "common/help.h"

#include "common/modal.h"

void OpenHelpPage(HWND owner, const char* page) {
  char program[MAX_PATH] = {};
  char address[1024];
  char commandLine[1200];
  DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
  bool ok = n > 0 && n < sizeof program && BuildHelpAddress(program, page, address, sizeof address) &&
            BuildBrowserCommandLine(address, commandLine, sizeof commandLine);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (ok) {
    ok = CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &process) != 0;
  }
  if (!ok) {
    ShowMessage(owner, "Internet Explorerが見つかりませんでした。", "残念！", MB_OK);
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
