#include "settings/lenient_number.h"

#include <cstring>
#include <string>

int32_t ParseLenientInt(const char* text, size_t maxBytes) {
  std::string t(text, strnlen(text, maxBytes));
  const char* p = t.c_str();
  while (*p == ' ' || (*p >= 0x09 && *p <= 0x0D)) ++p;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  uint32_t value = 0;  // unsigned, so overflow wraps instead of being undefined
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}
