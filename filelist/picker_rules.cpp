#include "filelist/picker_rules.h"

#include <algorithm>
#include <cstring>

#include "common/cp932.h"
#include "filelist/path_text.h"

namespace {

constexpr unsigned kDriveRemovable = 2, kDriveFixed = 3, kDriveRemote = 4, kDriveCdrom = 5, kDriveRamdisk = 6;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The separator goes by f's length in bytes, as the stored f is measured: a
// drive letter ("c", 1 byte) gets ":\", "c:" (2) gets "\", a root such as
// "c:\" (3) nothing, anything longer one "\".
bool Descend(char* f, const char* name) {
  const char* separator = "";
  size_t len = std::strlen(f);
  if (len > 3 || len == 2) separator = "\\";
  if (len == 1) separator = ":\\";
  char joined[kPathTextSize];
  if (!ConcatPath(joined, f, separator, name)) return false;
  std::memcpy(f, joined, kPathTextSize);
  return true;
}

void GoUp(char* f) {
  size_t len = static_cast<size_t>(std::max(cp932::LastBackslash(f), 0L));
  std::memset(f + len, 0, kPathTextSize - len);
  if (len == 2) f[len] = '\\';  // "c:" becomes the root "c:\"
}

}  // namespace

int DriveImage(unsigned driveType) {
  switch (driveType) {
    case kDriveFixed: return kImageDriveFixed;
    case kDriveCdrom: return kImageDriveCdrom;
    case kDriveRemovable: return kImageDriveRemovable;
    case kDriveRemote: return kImageDriveRemote;
    case kDriveRamdisk: return kImageDriveRamdisk;
    default: return -1;
  }
}

int EntryImage(const char* name) { return name[0] == '.' ? kImageFolderUp : kImageFolder; }

bool ShowsDriveRows(const char* f) { return std::strlen(f) == 3; }

bool SameTextIgnoringCase(const char* a, const char* b) {
  size_t la = std::strlen(a), lb = std::strlen(b);
  if (la != lb) return false;
  for (size_t i = 0; i < la;) {
    // Only single-byte letters fold: a trail byte may look like a letter. A
    // lead byte in a never equals a single byte in b, so a's steps do for both.
    size_t n = cp932::CharLength(a, la, i);
    if (n == 1 ? Lower(a[i]) != Lower(b[i]) : std::memcmp(a + i, b + i, n) != 0) return false;
    i += n;
  }
  return true;
}

// ":" is never a trail byte, so the bytes before it are a whole character.
bool IsDriveRowText(const char* text) { return std::strlen(text) == 3 && text[1] == ':' && text[2] == '\\'; }

bool NavigateFolder(char* f, const char* text) {
  if (IsDriveRowText(text)) {
    std::memset(f, 0, kPathTextSize);
    std::memcpy(f, text, std::strlen(text));
    return true;
  }
  if (text[0] != '.') return Descend(f, text);
  GoUp(f);
  return true;
}
