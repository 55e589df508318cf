// Help pages ship in "help\" beside the program; the browser gets a file address.
#pragma once
#include <cstddef>

constexpr char kBrowserPath[] = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
constexpr char kToolHelpPage[] = "plimsar.html";
constexpr char kSettingsHelpPage[] = "settings.html";
constexpr char kHomePage[] = "plimsar.html";

// "file:///C:/dir/help/page" from the program's full path. Backslashes become
// slashes character by character (a trail byte 0x5C stays); blanks, "#", "%"
// and "?" become %20, %23, %25 and %3F.
// Returns false when out (size bytes) is too small.
bool BuildHelpAddress(const char* programPath, const char* page, char* out, size_t size);

// The browser's command line: its path, one blank, the address.
bool BuildBrowserCommandLine(const char* address, char* out, size_t size);
