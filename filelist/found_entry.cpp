#include "filelist/found_entry.h"

#include "common/code_page.h"
#include "filelist/found_name.h"

bool UsableEntryName(const WIN32_FIND_DATAW& data, std::string* name) {
  std::string longName, shortName;
  bool longWhole = ToCodePage(data.cFileName, &longName);
  bool shortWhole = !longWhole && ToCodePage(data.cAlternateFileName, &shortName);  // needed only then
  const char* usable = UsableName(longName.c_str(), longWhole, shortName.c_str(), shortWhole);
  if (usable) *name = usable;
  return usable != nullptr;
}

bool ForEachFound(const char* pattern, const VisitFound& visit) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(ToWide(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  std::string name;
  do {
    if (UsableEntryName(data, &name) && !visit(name.c_str(), data)) break;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return true;
}
