// Path texts of the gathering commands. Every path lives in a 256-byte text
// (255 bytes and the zero); a text that would not fit is refused, never cut,
// so a long path can not turn into a different, shorter one.
#pragma once
#include <cstddef>

constexpr size_t kPathTextSize = 256;
constexpr size_t kMaxPathText = kPathTextSize - 1;

// out (kPathTextSize bytes) = a + b + c. When that is longer than
// kMaxPathText, out is left empty and the result is false.
bool ConcatPath(char* out, const char* a, const char* b, const char* c = "");

// folder + "\*." + extension: the one-folder scan's pattern.
inline bool ScanPattern(char* out, const char* folder, const char* ext) { return ConcatPath(out, folder, "\\*.", ext); }
// folder + "\*": every entry of a folder.
inline bool ListPattern(char* out, const char* folder) { return ConcatPath(out, folder, "\\*"); }
// folder + "\" + name, also when folder already ends in "\".
inline bool JoinPath(char* out, const char* folder, const char* name) { return ConcatPath(out, folder, "\\", name); }

// True when folder (folderLen bytes) + "\" + name fits a path text.
bool JoinedPathFits(size_t folderLen, const char* name);

// The folder of a found path: everything before its last "\" character.
// False (out empty) when path holds no "\" or the folder does not fit.
bool FolderOfPath(const char* path, char* out);
