#include "filelist/path_args.h"

#include <cstring>

#include "common/cp932.h"

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
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == ';') continue;
    line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
    if (!line.empty()) entries.push_back(line);
  }
  return entries;
}

bool HasWildcard(const std::string& path) {
  long sep = cp932::LastBackslash(path.c_str());
  return path.find_first_of("*?", sep < 0 ? 0 : static_cast<size_t>(sep)) != std::string::npos;
}

std::string PackPaths(const std::vector<std::string>& paths) {
  std::string block;
  for (const std::string& path : paths) {
    block += path;
    block += '\0';
  }
  return block;
}

std::vector<std::string> UnpackPaths(const char* data, size_t size) {
  std::vector<std::string> paths;
  size_t at = 0;
  while (at < size) {
    const void* zero = std::memchr(data + at, '\0', size - at);
    size_t end = zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : size;
    if (end > at) paths.emplace_back(data + at, end - at);
    at = end + 1;
  }
  return paths;
}
