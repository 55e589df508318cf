#include "filelist/folder_walk.h"

#include <cstring>

#include "filelist/entry_rules.h"

namespace {

struct Walk {
  FolderTable* table;
  const char* parent;
};

bool TakeEntry(void* context, const char* name, uint32_t attributes) {
  auto* walk = static_cast<Walk*>(context);
  FolderTable* table = walk->table;
  if (table->count == kMaxWalkFolders) return false;  // full: the listing ends
  if (!IsPlainFolder(attributes) || IsDotName(name)) return true;
  WalkFolder& next = table->entries[table->count];
  char pattern[kPathTextSize];
  // A folder that could never be listed is not worth a place in the table;
  // the next one overwrites what JoinPath left, and the table starts zeroed.
  if (JoinPath(next.path, walk->parent, name) && ListPattern(pattern, next.path)) ++table->count;
  return true;
}

}  // namespace

void WalkFolders(const char* start, FolderTable* table, ListFolder list, void* context) {
  std::memset(table, 0, sizeof *table);
  if (std::strlen(start) > kMaxPathText) return;
  std::memcpy(table->entries[0].path, start, std::strlen(start));
  table->count = 1;
  for (int current = 0; current < table->count; ++current) {
    WalkFolder& folder = table->entries[current];
    char pattern[kPathTextSize];
    if (ListPattern(pattern, folder.path)) {
      Walk walk{table, folder.path};
      list(context, pattern, TakeEntry, &walk);
    }
    folder.listed = true;
    if (table->count == kMaxWalkFolders) return;
  }
}
