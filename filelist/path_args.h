// Paths handed to the tool from outside: the command line, list files and
// the block one instance forwards to another. Window-free.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The arguments after the program name. Blanks and tabs separate them;
// double quotes group and are dropped. Backslashes are always literal, so
// "C:\" stays C:\ (a path never holds a quote).
std::vector<std::wstring> SplitArguments(const std::wstring& commandLine);

// The paths of a list file: one per line, CR LF or LF, surrounding blanks
// and one pair of quotes dropped; blank lines and lines starting with ";"
// are ignored.
std::vector<std::string> ListFileEntries(const std::string& text);

// True when the last part of path holds "*" or "?". Neither byte is ever a
// trail byte in code page 932, so a byte test is exact.
bool HasWildcard(const std::string& path);

// One path handed in. An argument that could not be named (it leaves the
// code page, or names an unreadable list file) is kept unusable, with path
// only the text to show in the warning.
struct HandedPath {
  std::string path;
  bool usable = true;
};

// The forwarded block: each entry as "+" (usable) or "-", its text and a zero byte, in order.
std::string PackPaths(const std::vector<HandedPath>& paths);
// Reads a block of size bytes from another process: never past size, an
// unterminated last entry is kept; an entry without a known mark or text is
// skipped.
std::vector<HandedPath> UnpackPaths(const char* data, size_t size);
