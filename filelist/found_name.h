// The name to keep for a found file-system entry. Its wide names are brought
// into code page 932 without look-alikes; a character the code page lacks
// (𠮷, emoji, ¥) is lost on the way, and such a name would name another file
// or, holding "?", read as a wildcard.
#pragma once

// name when it came through whole; else the entry's short name when that did
// and is not empty; else nullptr: the entry cannot be named, and is passed over.
const char* UsableName(const char* name, bool nameWhole, const char* shortName, bool shortWhole);
