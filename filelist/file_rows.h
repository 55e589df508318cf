// Rows made from the file system, shared by every command that adds files:
// the one-folder scan and the row of one looked-up file.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Appends the file at path as the last row: its usable name after the last
// "\", in the folder before it, held by the code page (its short form when the
// long one leaves it). False when the file can not be looked up, is no single
// file, or can not be named.
bool AppendPathRow(const std::wstring& path);

// Appends every entry of folder matching "*.<selected extension>"; returns 0
// when the search finds no entry at all, else the running row index after it.
int32_t ScanOneFolder(const char* folder, int32_t rowIndex);
