// libFuzzer target: arbitrary bytes as the block another start forwards, as a
// command line (two bytes a character) and as a list file. Nothing is read
// past the input, and each result reads back the same once written out again.
#include <cstdint>
#include <cstdlib>

#include "filelist/path_args.h"

static bool operator==(const HandedPath& a, const HandedPath& b) { return a.path == b.path && a.usable == b.usable; }

static void Check(bool ok) {
  if (!ok) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const std::vector<HandedPath> paths = UnpackPaths(text, size);
  for (const HandedPath& p : paths) Check(!p.path.empty() && p.path.find('\0') == std::string::npos);
  const std::string block = PackPaths(paths);
  Check(UnpackPaths(block.data(), block.size()) == paths);

  std::wstring line, quoted = L"p";
  for (size_t i = 0; i + 1 < size; i += 2) line += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  const std::vector<std::wstring> args = SplitArguments(line);
  for (const std::wstring& arg : args) quoted += L" \"" + arg + L"\"";  // no argument holds a quote
  Check(SplitArguments(quoted) == args);

  const std::vector<std::string> entries = ListFileEntries(std::string(text, size));
  std::string lines;
  for (const std::string& entry : entries) lines += "\"" + entry + "\"\r\n";
  Check(ListFileEntries(lines) == entries);
  return 0;
}
