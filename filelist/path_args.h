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

// An entry that could not be named (left the code page, or an unreadable
// list file) travels with this mark in front of the text to show: "|" is
// never part of a Windows path.
constexpr char kUnnamedMark = '|';

// The forwarded block: each entry and its zero byte, in order.
std::string PackPaths(const std::vector<std::string>& paths);
// Reads a block of size bytes from another process: never past size, an
// unterminated last entry is kept, empty entries are skipped.
std::vector<std::string> UnpackPaths(const char* data, size_t size);
