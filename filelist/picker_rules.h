// The folder picker's rules on texts: which drive rows it shows, which image
// a row gets, and how a double-click rewrites the current folder f. Lengths of
// f count bytes, as plimsar.ini's f is measured; searches for "\" step by
// code page 932 characters, so ソ or 表 never passes for a "\".
#pragma once
#include <cstddef>

// Images of the picker's list (icons 310 to 316, in that order).
enum PickerImage {
  kImageFolderUp = 0,
  kImageFolder = 1,
  kImageDriveFixed = 2,
  kImageDriveCdrom = 3,
  kImageDriveRemovable = 4,
  kImageDriveRemote = 5,
  kImageDriveRamdisk = 6,
};

// The image of a drive of GetDriveTypeA's type, or -1 for a drive not shown.
int DriveImage(unsigned driveType);

// The image of a directory entry's row.
int EntryImage(const char* name);

// Drive rows are shown when f is three bytes long, as a root such as c:\ is.
bool ShowsDriveRows(const char* f);

// True when two texts are equal apart from ASCII letter case.
bool SameTextIgnoringCase(const char* a, const char* b);

// A drive row's text: three bytes, ":" second and "\" third.
bool IsDriveRowText(const char* text);

// Rewrites f (a 256-byte text) for a double-click on a row with text:
// a drive row jumps there, a name beginning with "." goes up one level,
// any other name descends into it. A descent that would make f longer than
// 255 bytes leaves f unchanged and returns false.
bool NavigateFolder(char* f, const char* text);
