#include "common/help_address.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/cp932.h"

namespace {

// Bytes an address can not hold as they are: "#" would start a fragment, "?"
// a query, "%" an escape. None of them is ever a trail byte (those start at 0x40).
constexpr char kEscaped[] = " #%?";
constexpr char kHex[] = "0123456789ABCDEF";

bool CopyOut(const std::string& text, char* out, size_t size) {
  if (text.size() + 1 > size) return false;
  std::memcpy(out, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

bool BuildHelpAddress(const char* programPath, const char* page, char* out, size_t size) {
  size_t dirLen = static_cast<size_t>(std::max(cp932::LastBackslash(programPath), 0L));
  std::string address = "file:///";
  for (size_t i = 0; i < dirLen;) {
    size_t n = cp932::CharLength(programPath, dirLen, i);
    if (n == 1 && programPath[i] == '\\') {
      address += '/';
    } else if (n == 1 && std::strchr(kEscaped, programPath[i]) != nullptr) {
      unsigned char c = static_cast<unsigned char>(programPath[i]);
      address += {'%', kHex[c / 16], kHex[c % 16]};
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
