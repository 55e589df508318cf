// The settings the gathering commands read and write: the current folder f
// and the selected extension, copied under the settings lock because the
// worker thread reads the same record during a run.
#pragma once

// f into out (256 bytes).
void CopyCurrentFolder(char* out);
// f becomes text, cut to 255 bytes with characters kept whole, the rest of f zero.
void SetCurrentFolder(const char* text);
// The selected extension into out (8 bytes, at most 7 characters).
void CopySelectedExtension(char* out);
