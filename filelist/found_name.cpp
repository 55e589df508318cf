#include "filelist/found_name.h"

const char* UsableName(const char* name, bool nameWhole, const char* shortName, bool shortWhole) {
  if (nameWhole && name[0] != '\0') return name;
  if (shortWhole && shortName[0] != '\0') return shortName;
  return nullptr;
}
