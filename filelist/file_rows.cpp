#include "filelist/file_rows.h"

#include <cstring>

#include "common/code_page.h"
#include "common/list_view.h"
#include "common/app_state.h"
#include "filelist/current_folder.h"
#include "filelist/entry_rules.h"
#include "filelist/file_list.h"
#include "filelist/found_entry.h"
#include "filelist/path_text.h"

namespace {

void AppendFoundRow(const char* name, const char* folder, const WIN32_FIND_DATAW& data, int32_t rowIndex) {
  char date[40] = {};
  int32_t sizeKb = 0;
  RowTextsFromFindData(data, date, &sizeKb);
  AppendRow(name, folder, date, sizeKb, rowIndex);
}

}  // namespace

bool AppendPathRow(const std::wstring& path) {
  size_t last = path.rfind(L'\\');
  // A wildcard would look up whatever it matches, not this one file.
  if (last == std::wstring::npos || last + 1 == path.size() || path.find_first_of(L"*?", last) != std::wstring::npos)
    return false;
  std::string folder;
  if (!CodePagePath(path.substr(0, last), &folder) || folder.size() > kMaxPathText) return false;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  std::string name;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !UsableEntryName(data, &name) ||
      !JoinedPathFits(folder.size(), name.c_str()))
    return false;
  AppendFoundRow(name.c_str(), folder.c_str(), data, RowCount());
  return true;
}

int32_t ScanOneFolder(const char* folder, int32_t rowIndex) {
  char ext[8];
  CopySelectedExtension(ext);
  char pattern[kPathTextSize];
  if (!ScanPattern(pattern, folder, ext)) return 0;
  size_t folderLen = std::strlen(folder);
  HoldListDrawing(g_fileList);
  bool searched = ForEachFound(pattern, [&](const char* name, const WIN32_FIND_DATAW& data) {
    // An entry whose full path would not fit a path text is passed over.
    if (!IsDotOrDotDot(name) && JoinedPathFits(folderLen, name)) AppendFoundRow(name, folder, data, rowIndex++);
    return true;
  });
  ResumeListDrawing(g_fileList);
  return searched ? rowIndex : 0;
}
