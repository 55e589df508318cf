#include "common/cp932.h"

#include <cstring>

namespace cp932 {

size_t CharLength(const char* text, size_t len, size_t i) {
  if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < len && text[i + 1] != '\0') return 2;
  return 1;
}

size_t LastCharOffset(const char* text, size_t len) {
  size_t last = len;
  for (size_t i = 0; i < len; i += CharLength(text, len, i)) last = i;
  return last;
}

bool EndsWithBackslash(const char* text) {
  size_t len = std::strlen(text);
  size_t last = LastCharOffset(text, len);
  return last < len && text[last] == '\\' && last + 1 == len;
}

long LastBackslash(const char* text) {
  size_t len = std::strlen(text);
  long found = -1;
  for (size_t i = 0; i < len; i += CharLength(text, len, i)) {
    if (text[i] == '\\') found = static_cast<long>(i);
  }
  return found;
}

bool Contains(const char* haystack, const char* needle) {
  size_t n = std::strlen(needle);
  size_t len = std::strlen(haystack);
  for (size_t i = 0; i + n <= len; i += CharLength(haystack, len, i)) {
    if (std::memcmp(haystack + i, needle, n) == 0) return true;
  }
  return false;
}

size_t CutLength(const char* text, size_t len, size_t maxBytes) {
  size_t end = 0;
  while (end < len) {
    size_t n = CharLength(text, len, end);
    if (end + n > maxBytes || (n == 1 && IsLeadByte(static_cast<unsigned char>(text[end])))) break;
    end += n;
  }
  return end;
}

void CopyCut(char* field, size_t fieldSize, const char* text, size_t len) {
  std::memset(field, 0, fieldSize);
  std::memcpy(field, text, CutLength(text, len, fieldSize - 1));
}

}  // namespace cp932
