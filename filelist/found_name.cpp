#include "filelist/found_name.h"

#include <cstring>

namespace {

// 0x3F is never a trail byte in code page 932 (those start at 0x40), so a
// byte-wise search finds only real "?" characters.
bool Whole(const char* text) { return text[0] != '\0' && std::strchr(text, '?') == nullptr; }

}  // namespace

const char* UsableName(const char* name, const char* shortName) {
  if (Whole(name)) return name;
  if (shortName && Whole(shortName)) return shortName;
  return nullptr;
}
