#include "filelist/path_resolve.h"

#include <windows.h>

#include "common/code_page.h"

namespace {

// A list file is a few thousand lines at most; anything far larger is not one.
constexpr DWORD kMaxListFileBytes = 16u << 20;

std::wstring FullPathW(const std::wstring& path) {
  std::wstring full(32768, L'\0');
  DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
  if (n == 0 || n >= full.size()) return path;
  full.resize(n);
  return full;
}

std::string FullPathA(const std::string& path) {
  char full[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n == 0 || n >= sizeof full ? path : std::string(full, n);
}

bool ReadListFile(const std::wstring& path, std::string* text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxListFileBytes;
  DWORD got = 0;
  if (ok) {
    text->assign(static_cast<size_t>(size.QuadPart), '\0');
    ok = size.QuadPart == 0 ||
         (ReadFile(file, &(*text)[0], static_cast<DWORD>(size.QuadPart), &got, nullptr) && got == size.QuadPart);
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

std::vector<HandedPath> ResolvePaths(const std::vector<std::wstring>& args) {
  std::vector<HandedPath> paths;
  for (const std::wstring& arg : args) {
    if (arg.empty()) continue;
    std::string path;
    if (arg[0] != L'@') {
      // Its full path, in its short form when the long one leaves the code page.
      bool usable = CodePagePath(FullPathW(arg), &path);
      paths.push_back({path, usable});
      continue;
    }
    std::string text;
    if (!ReadListFile(FullPathW(arg.substr(1)), &text)) {
      ToCodePage(arg, &path);
      paths.push_back({path, false});
      continue;
    }
    // The lines are code page text already; relative ones count from here too.
    for (const std::string& entry : ListFileEntries(text)) paths.push_back({FullPathA(entry)});
  }
  return paths;
}
