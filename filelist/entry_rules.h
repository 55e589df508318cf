// Which file-system entries the walk and the folder picker take as folders.
#pragma once
#include <cstdint>

constexpr uint32_t kAttributeHidden = 0x2;
constexpr uint32_t kAttributeSystem = 0x4;
constexpr uint32_t kAttributeDirectory = 0x10;

// A folder the user can walk into: the directory bit without the hidden or
// system bit. Archive, read-only, compressed or not-indexed folders count.
constexpr bool IsPlainFolder(uint32_t attributes) {
  return (attributes & kAttributeDirectory) != 0 && (attributes & (kAttributeHidden | kAttributeSystem)) == 0;
}

// Names beginning with "." ("." and ".." among them).
constexpr bool IsDotName(const char* name) { return name[0] == '.'; }

constexpr bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
