#include "filelist/folder_picker.h"
// Interim: the folder picker is not wired yet.
void RunFolderPicker(HWND) {}
