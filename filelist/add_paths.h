// Files and folders handed to the tool from outside (the command line, list
// files, a drop, another start of the tool), made into rows the way the
// gathering commands make them, once filelist/path_resolve.h has named them.
#pragma once
#include <windows.h>

#include <vector>

#include "filelist/path_args.h"
#include "filelist/path_resolve.h"

// Adds each usable path at the end of the file list: a file as one row
// whatever its extension, a folder scanned for the selected extension, a
// wildcard expanded into the entries it matches. One warning, owned by owner,
// names the first path that added nothing; the others are still added.
void AddPaths(HWND owner, const std::vector<HandedPath>& paths);
