#include "filelist/search_history.h"

#include <cstring>

#include "common/cp932.h"

SearchState g_search;

int HistoryCount(const SearchState& s) {
  int n = 0;
  while (n < kHistoryEntries && s.history[n][0] != '\0') ++n;
  return n;
}

bool HistoryHolds(const SearchState& s, const char* text) {
  size_t n = std::strlen(text);
  if (n == 0) return true;
  for (int i = 0; i < kHistoryCompared; ++i) {
    // Byte-wise is safe here: text is whole characters, so a match starting
    // at offset 0 ends on a character boundary of the entry too.
    if (std::strncmp(s.history[i], text, n) == 0) return true;
  }
  return false;
}

void RememberSearchText(SearchState& s, const char* text) {
  if (HistoryHolds(s, text)) return;
  std::memmove(s.history[1], s.history[0], (kHistoryEntries - 1) * kPathTextSize);
  cp932::CopyCut(s.history[0], kPathTextSize, text, std::strlen(text));
}
