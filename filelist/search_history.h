// The search text and the search dialog's history: in memory only, from
// start-up to exit, newest first, at most 11 texts.
#pragma once

#include "filelist/path_text.h"

constexpr int kHistoryEntries = 11;
// Only the newest 10 entries take part in the duplicate test.
constexpr int kHistoryCompared = 10;

struct SearchState {
  char text[kPathTextSize];                      // the last search's text
  char history[kHistoryEntries][kPathTextSize];  // an empty entry ends the list
};

extern SearchState g_search;

// Number of texts before the first empty entry.
int HistoryCount(const SearchState& s);

// True when one of the 10 newest entries begins with text (an empty text
// always counts as present).
bool HistoryHolds(const SearchState& s, const char* text);

// Puts text in front when it is not present; the 11th entry falls off. A text
// over 255 bytes is cut there, characters kept whole.
void RememberSearchText(SearchState& s, const char* text);
