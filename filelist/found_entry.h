// File-system searches in UTF-16, each entry named as code page 932 can hold
// it (filelist/found_name.h): the ANSI find calls would hand over a
// look-alike name for another file.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The usable code page name of a found entry into name; false when it has
// none and the entry is passed over.
bool UsableEntryName(const WIN32_FIND_DATAW& data, std::string* name);

// Searches pattern (code page text) and calls visit for each entry that has a
// usable name until visit returns false; false when the search can not start.
using VisitFound = std::function<bool(const char* name, const WIN32_FIND_DATAW& data)>;
bool ForEachFound(const char* pattern, const VisitFound& visit);
