// Stands in for the browser in the help tests: appends its own command line,
// as it was started, to the file named by PLIMSAR_BROWSER_LOG.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  FILE* log = std::fopen(std::getenv("PLIMSAR_BROWSER_LOG"), "ab");
  std::fprintf(log, "%s\n", GetCommandLineA());
  return std::fclose(log);
}
