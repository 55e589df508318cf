#include "common/help_address.h"

#include <cstring>
#include <string>

#include "common/cp932.h"

namespace {

bool CopyOut(const std::string& text, char* out, size_t size) {
  if (text.size() + 1 > size) return false;
  std::memcpy(out, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

bool BuildHelpAddress(const char* programPath, const char* page, char* out, size_t size) {
  long sep = cp932::LastBackslash(programPath);
  size_t dirLen = sep < 0 ? 0 : static_cast<size_t>(sep);
  std::string address = "file:///";
  for (size_t i = 0; i < dirLen;) {
    size_t n = cp932::CharLength(programPath, dirLen, i);
    if (n == 1 && programPath[i] == '\\') {
      address += '/';
    } else if (n == 1 && programPath[i] == ' ') {
      address += "%20";
    } else {
      address.append(programPath + i, n);
    }
    i += n;
  }
  address += "/help/";
  address += page;
  return CopyOut(address, out, size);
}

bool BuildBrowserCommandLine(const char* address, char* out, size_t size) {
  return CopyOut(std::string(kBrowserPath) + " " + address, out, size);
}
