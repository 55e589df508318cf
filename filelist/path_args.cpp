#include "filelist/path_args.h"

#include <cstring>
#include <sstream>

#include "common/cp932.h"

namespace {

constexpr char kUsableMark = '+', kUnusableMark = '-';

}  // namespace

std::vector<std::wstring> SplitArguments(const std::wstring& commandLine) {
  std::vector<std::wstring> args;
  std::wstring current;
  bool inQuotes = false, inArgument = false;
  for (wchar_t c : commandLine) {
    if (c == L'"') {
      inQuotes = !inQuotes;
      inArgument = true;
    } else if ((c == L' ' || c == L'\t') && !inQuotes) {
      if (inArgument) args.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) args.push_back(current);
  // The first is the program itself.
  if (!args.empty()) args.erase(args.begin());
  return args;
}

std::vector<std::string> ListFileEntries(const std::string& text) {
  std::vector<std::string> entries;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == ';') continue;
    line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
    if (!line.empty()) entries.push_back(line);
  }
  return entries;
}

bool HasWildcard(const std::string& path) {
  // Searched after the last separator; -1 when there is none starts at 0.
  size_t from = static_cast<size_t>(cp932::LastBackslash(path.c_str()) + 1);
  return path.find_first_of("*?", from) != std::string::npos;
}

std::string PackPaths(const std::vector<HandedPath>& paths) {
  std::string block;
  for (const HandedPath& path : paths) {
    block += path.usable ? kUsableMark : kUnusableMark;
    block += path.path;
    block += '\0';
  }
  return block;
}

std::vector<HandedPath> UnpackPaths(const char* data, size_t size) {
  std::vector<HandedPath> paths;
  size_t at = 0;
  while (at < size) {
    const void* zero = std::memchr(data + at, '\0', size - at);
    size_t end = zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : size;
    if (end > at + 1 && (data[at] == kUsableMark || data[at] == kUnusableMark))
      paths.push_back({std::string(data + at + 1, end - at - 1), data[at] == kUsableMark});
    at = end + 1;
  }
  return paths;
}
