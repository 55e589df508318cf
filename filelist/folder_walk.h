// The subfolder command's walk: breadth-first from the chosen folder, at
// most 32 folders, through a folder lister so the rules run without Windows.
#pragma once
#include <cstdint>

#include "filelist/path_text.h"

constexpr int kMaxWalkFolders = 32;

struct WalkFolder {
  char path[kPathTextSize];
  bool listed;  // its entries were listed (false: only found)
};

struct FolderTable {
  WalkFolder entries[kMaxWalkFolders];
  int count;
};

// Called for each entry of a listing, in the order the file system reports
// them; returns false to end the listing.
using VisitEntry = bool (*)(void* walk, const char* name, uint32_t attributes);

// Lists the entries matching pattern, calling visit for each until it
// returns false; returns false when the search can not start.
using ListFolder = bool (*)(void* context, const char* pattern, VisitEntry visit, void* walk);

// Fills table from start. A start that does not fit a path text gives an
// empty table. A subfolder whose listing pattern would not fit is passed over.
void WalkFolders(const char* start, FolderTable* table, ListFolder list, void* context);
