// Arguments handed in from outside (the command line, a drop) made into the
// code page paths the rows are made from. The window-free rules live in
// filelist/path_args.h.
#pragma once
#include <string>
#include <vector>

#include "filelist/path_args.h"

// Full code page 932 paths for the given arguments. A relative one is taken
// from the current directory, "@file" names a list file whose lines are
// read in its place, and a path holding a character outside the code page
// becomes its short form. One that cannot be named is kept unusable, so that
// it can be reported.
std::vector<HandedPath> ResolvePaths(const std::vector<std::wstring>& args);
