#include "filelist/gather.h"
// Interim: the gathering commands are not wired yet.
void AddFilesCommand(HWND) {}
void AddFolderCommand(HWND) {}
void AddSubfoldersCommand(HWND, int) {}
int32_t ScanOneFolder(const char*, int32_t) { return 0; }
