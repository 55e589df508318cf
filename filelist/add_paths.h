// Files and folders handed to the tool from outside (the command line, list
// files, a drop, another start of the tool), made into rows the way the
// gathering commands make them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Full code page 932 paths for the given arguments. A relative one is taken
// from the current directory, "@file" names a list file whose lines are
// read in its place, and a path holding a character outside the code page
// becomes its short form. One that cannot be named is kept, with
// kUnnamedMark in front, so that it can be reported.
std::vector<std::string> ResolvePaths(const std::vector<std::wstring>& args);

// Adds each path at the end of the file list: a file as one row whatever its
// extension, a folder scanned for the selected extension, a wildcard
// expanded into the entries it matches. One warning, owned by owner, names
// the first path that added nothing; the others are still added.
void AddPaths(HWND owner, const std::vector<std::string>& paths);
