#include "filelist/search.h"
// Interim: the searches are not wired yet.
void ListSearchCommand(HWND) {}
void DriveSearchCommand(HWND) {}
