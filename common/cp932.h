// Code page 932 text, stepped by characters: a trail byte may be 0x5C ("\")
// or an ASCII letter (ソ is 0x83 0x5C, ア is 0x83 0x41), so byte-wise scans
// for separators or substrings go wrong.
#pragma once
#include <cstddef>

namespace cp932 {

constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Length in bytes of the character starting at text[i] (1 or 2; a lead byte
// at the very end counts as one).
size_t CharLength(const char* text, size_t len, size_t i);

// Offset of the last character of text, or len when text is empty.
size_t LastCharOffset(const char* text, size_t len);

// True when the last character of text is the single byte "\".
bool EndsWithBackslash(const char* text);

// Offset of the last "\" character, or -1.
long LastBackslash(const char* text);

// Substring test that only matches at character boundaries of haystack.
bool Contains(const char* haystack, const char* needle);

// Bytes of the longest start of text (len bytes) that fits in maxBytes with
// every character whole. A character that would straddle the limit is left
// out, and so is a lead byte whose trail byte is missing (at the end of text
// or before a zero): a lone lead byte would swallow whatever follows it.
size_t CutLength(const char* text, size_t len, size_t maxBytes);

// Zero-fills field, then copies into it the start of text (len bytes) that
// CutLength keeps within fieldSize - 1 bytes. Every text cut to a field's
// size goes through here.
void CopyCut(char* field, size_t fieldSize, const char* text, size_t len);

}  // namespace cp932
