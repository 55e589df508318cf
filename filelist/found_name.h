// The name to keep for a found file-system entry. The ANSI find calls turn a
// character that code page 932 lacks (𠮷, emoji) into "?", which no real
// Windows name holds and which a later lookup would read as a wildcard.
#pragma once

// name when it came through whole; else the entry's short name when that is
// whole; else nullptr: the entry cannot be named, and is passed over.
const char* UsableName(const char* name, const char* shortName);
