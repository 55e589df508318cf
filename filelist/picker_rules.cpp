#include "filelist/picker_rules.h"

#include <cstring>

#include "common/cp932.h"
#include "filelist/path_text.h"

namespace {

constexpr unsigned kDriveRemovable = 2, kDriveFixed = 3, kDriveRemote = 4, kDriveCdrom = 5, kDriveRamdisk = 6;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The offset of character number index (0-based), or the length.
size_t CharOffset(const char* text, size_t index) {
  size_t len = std::strlen(text), i = 0;
  for (size_t n = 0; n < index && i < len; ++n) i += cp932::CharLength(text, len, i);
  return i;
}

bool Descend(char* f, const char* name) {
  const char* separator = "";
  size_t chars = CharCount(f);
  if (chars > 3 || chars == 2) separator = "\\";
  if (chars == 1) separator = ":\\";
  char joined[kPathTextSize];
  if (!ConcatPath(joined, f, separator, name)) return false;
  std::memcpy(f, joined, kPathTextSize);
  return true;
}

void GoUp(char* f) {
  long cut = cp932::LastBackslash(f, 1);
  size_t len = cut < 0 ? 0 : static_cast<size_t>(cut);
  std::memset(f + len, 0, kPathTextSize - len);
  if (CharCount(f) == 2) f[std::strlen(f)] = '\\';
}

}  // namespace

size_t CharCount(const char* text) {
  size_t len = std::strlen(text), n = 0;
  for (size_t i = 0; i < len; i += cp932::CharLength(text, len, i)) ++n;
  return n;
}

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

bool ShowsDriveRows(const char* f) { return CharCount(f) == 3; }

bool SameTextIgnoringCase(const char* a, const char* b) {
  size_t la = std::strlen(a), lb = std::strlen(b);
  if (la != lb) return false;
  for (size_t i = 0; i < la;) {
    size_t n = cp932::CharLength(a, la, i);
    if (n != cp932::CharLength(b, lb, i)) return false;
    // Only single-byte letters fold: a trail byte may look like a letter.
    if (n == 1 ? Lower(a[i]) != Lower(b[i]) : std::memcmp(a + i, b + i, n) != 0) return false;
    i += n;
  }
  return true;
}

bool IsDriveRowText(const char* text) {
  if (CharCount(text) != 3) return false;
  size_t second = CharOffset(text, 1), third = CharOffset(text, 2);
  return text[second] == ':' && text[third] == '\\' && third == second + 1;
}

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
