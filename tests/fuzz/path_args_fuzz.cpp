// libFuzzer target: what other programs and files hand in. Arbitrary bytes as
// the block another start forwards, as a command line and as a list file:
// nothing is read past the input, and each result reads back the same when
// written out again in its own form.
#include <cstdint>
#include <cstdlib>

#include "filelist/path_args.h"

static void Check(bool ok) {
  if (!ok) std::abort();
}

static void Block(const char* data, size_t size) {
  const std::vector<HandedPath> paths = UnpackPaths(data, size);
  for (const HandedPath& p : paths) Check(!p.path.empty() && p.path.find('\0') == std::string::npos);
  const std::string block = PackPaths(paths);
  Check(UnpackPaths(block.data(), block.size()) == paths);
}

// Every argument, quoted, after a program name splits into the same arguments.
static void CommandLine(const uint8_t* data, size_t size) {
  std::wstring line;
  for (size_t i = 0; i + 1 < size; i += 2) line += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  const std::vector<std::wstring> args = SplitArguments(line);
  std::wstring again = L"p";
  for (const std::wstring& arg : args) {
    Check(arg.find(L'"') == std::wstring::npos);
    again += L" \"" + arg + L"\"";
  }
  Check(SplitArguments(again) == args);
}

// Every entry, quoted on a line of its own, reads back as the same entry.
static void ListFile(const char* data, size_t size) {
  const std::vector<std::string> entries = ListFileEntries(std::string(data, size));
  std::string again;
  for (const std::string& entry : entries) {
    Check(!entry.empty() && entry.find('\n') == std::string::npos);
    again += "\"" + entry + "\"\r\n";
  }
  Check(ListFileEntries(again) == entries);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  Block(text, size);
  CommandLine(data, size);
  ListFile(text, size);
  return 0;
}
