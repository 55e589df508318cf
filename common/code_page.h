// Between UTF-16 and the code page texts the tool keeps. A character code
// page 932 lacks is never replaced by a look-alike: ¥ (U+00A5) would become a
// real "\" and the text would name another file.
#pragma once
#include <windows.h>

#include <string>

// wide in the code page; false when a character has no place in it (out then
// holds "?" in its place, fit only to be shown).
bool ToCodePage(const std::wstring& wide, std::string* out);

// The code page text as UTF-16.
std::wstring ToWide(const std::string& text);

// A full path the code page can hold: path itself, else its short form when
// that one converts whole; false when neither does.
bool CodePagePath(const std::wstring& path, std::string* out);
